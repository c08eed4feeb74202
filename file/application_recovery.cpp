// The recovery copy of ApplicationFile, written beside the application as save would write
// it and loaded back in its place, and the lock that keeps one editor per file.
#include "file/application_file.h"

#include "file/recovery_copy.h"
#include "model/dm_main.h"
#include "platform/utils/scopeexit.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

QString ApplicationFile::writeRecoveryCopy(const QString& path) {
    // A save posting a record can show a rule's message box, which deactivates the editor;
    // the copy would rebuild the document the save is still writing. The save writes it all.
    if (writing_) return QString();
    // Everything save would change stays as it was: the copy is not the application file.
    // Nothing is posted either: a record being edited goes into the copy as its controls
    // show it, so a crash while typing loses nothing, and no rule runs half-way.
    const bool changed = dm_.Zmieniony;
    const QString firstVersion = FirstVersion;
    ScopeExit restore([&] {
        dm_.Zmieniony = changed;
        FirstVersion = firstVersion;
        xml_.setSnapshot(nullptr);
    });
    if (FirstVersion.isEmpty()) FirstVersion = settings_.moduleVersion;
    try {
        const QString folder = QFileInfo(path).absolutePath();
        if (!QDir().mkpath(folder))
            return QStringLiteral("nie można utworzyć katalogu %1")
                .arg(QDir::toNativeSeparators(folder));
        const ApplicationXml::Snapshot snapshot{Checksum::ofText(BuildShownChecksumText(dm_))};
        xml_.setSnapshot(&snapshot);
        writeDocument(path);
        RecoveryCopy::restrict(path);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

void ApplicationFile::restoreRecoveryCopy(const QString& path) {
    const QString fileName = FileName;
    OpenApplicationFile(path);
    FileName = fileName;
    shownData_ = true; // the copy was written from data the editor showed
    dm_.Zmieniony = true;
}

// ---------------------------------------------------------------- one editor per file

namespace {

QString lockPathFor(const QString& applicationFile) {
    const QFileInfo file(applicationFile);
    return file.absoluteDir().filePath(QLatin1Char('.') + file.fileName() +
                                       QStringLiteral(".lock"));
}

} // namespace

ApplicationFile::LockResult ApplicationFile::lockFile(const QString& path, QString* holder) {
    if (!LocksFile || path.isEmpty() || QFileInfo(path).isRelative()) return LockResult::Locked;
    const QString lockPath = lockPathFor(path);
    if (lock_ && lock_->fileName() == lockPath) return LockResult::Locked;
    auto lock = std::make_unique<QLockFile>(lockPath);
    // Only a dead editor's lock is stale, however long a living one keeps its file open.
    lock->setStaleLockTime(0);
    if (!RecoveryCopy::tryLock(*lock)) {
        if (lock->error() != QLockFile::LockFailedError)
            return LockResult::Locked; // no lock possible
        if (holder) {
            qint64 pid = 0;
            QString host, program;
            lock->getLockInfo(&pid, &host, &program);
            *holder = QStringLiteral("proces %1").arg(pid);
        }
        return LockResult::HeldByOther;
    }
    RecoveryCopy::restrict(lockPath);
    lock_ = std::move(lock);
    return LockResult::Locked;
}

void ApplicationFile::unlockFile() {
    lock_.reset();
}

QString ApplicationFile::lockedByOtherMessage(const QString& path, const QString& holder) {
    return QStringLiteral("Wniosek %1 jest już otwarty do edycji w innym oknie edytora (%2).")
        .arg(QDir::toNativeSeparators(path), holder);
}
