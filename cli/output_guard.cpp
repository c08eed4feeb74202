#include "cli/output_guard.h"

#include "cli/console.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace OutputGuard {

namespace {

// The same file: equal device and inode (links of every kind followed), or, for names
// that do not exist yet, the same absolute path.
bool sameFile(const QString& a, const QString& b) {
    struct stat sa {};
    struct stat sb {};
    const bool hasA = ::stat(QFile::encodeName(a).constData(), &sa) == 0;
    const bool hasB = ::stat(QFile::encodeName(b).constData(), &sb) == 0;
    if (hasA && hasB) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (hasA != hasB) return false;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace

QString clash(const QString& output, const QStringList& inputs) {
    for (const QString& in : inputs)
        if (sameFile(output, in))
            return QStringLiteral("Plik wyjściowy %1 jest plikiem wejściowym %2; nic nie zapisano, "
                                  "aby nie zniszczyć wniosku. Proszę podać inną nazwę.")
                .arg(QDir::toNativeSeparators(output), QDir::toNativeSeparators(in));
    return QString();
}

bool allowed(const QString& output, const QStringList& inputs) {
    const QString reason = clash(output, inputs);
    if (!reason.isEmpty()) Console::err(reason);
    return reason.isEmpty();
}

} // namespace OutputGuard
