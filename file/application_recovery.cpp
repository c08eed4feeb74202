// The recovery copy of ApplicationFile: written beside the application as save would write
// it, and loaded back in its place.
#include "file/application_file.h"

#include "model/dm_main.h"
#include "platform/utils/scopeexit.h"

#include <QDir>
#include <QFileInfo>

QString ApplicationFile::writeRecoveryCopy(const QString& path) {
    // Everything save would change stays as it was: the copy is not the application file.
    const bool changed = dm_.Zmieniony;
    const QString firstVersion = FirstVersion;
    ScopeExit restore([&] {
        dm_.Zmieniony = changed;
        FirstVersion = firstVersion;
    });
    if (FirstVersion.isEmpty()) FirstVersion = settings_.moduleVersion;
    try {
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return QStringLiteral("nie można utworzyć katalogu %1")
                .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
        refreshChecksumForSaving();
        writeDocument(path);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

void ApplicationFile::restoreRecoveryCopy(const QString& path) {
    const QString fileName = FileName;
    OpenApplicationFile(path);
    FileName = fileName;
    dm_.Zmieniony = true;
}
