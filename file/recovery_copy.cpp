#include "file/recovery_copy.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace RecoveryCopy {

namespace {

const QString kNewPrefix = QStringLiteral("nowy-wniosek");
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

QString folder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(state).filePath(QStringLiteral("Zelgor/odzyskiwanie"));
}

QString prepareFolder() {
    const QString path = folder();
    if (!QDir().mkpath(path) || !QFileInfo(path).isDir())
        return QStringLiteral("nie można utworzyć katalogu %1").arg(QDir::toNativeSeparators(path));
    if (!QFile::setPermissions(path, kOwnerOnly | QFileDevice::ExeOwner))
        return QStringLiteral("nie można ograniczyć praw katalogu %1")
            .arg(QDir::toNativeSeparators(path));
    return QString();
}

QString pathFor(const QString& applicationFile) {
    // The full path tells apart files of the same name in different folders; the base
    // name keeps the folder readable for a person who looks into it.
    const QFileInfo file(applicationFile);
    const QByteArray digest =
        QCryptographicHash::hash(file.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
            .toHex()
            .left(12);
    return QDir(folder()).filePath(file.completeBaseName() + QLatin1Char('-') +
                                   QString::fromLatin1(digest) + QStringLiteral(".xml"));
}

QString newApplicationPath() {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QDir dir(folder());
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("%1-%2-%3-%4.xml")
                                 .arg(kNewPrefix, stamp)
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(n);
        if (!QFileInfo::exists(dir.filePath(name))) return dir.filePath(name);
    }
}

QStringList orphanedNewApplicationCopies() {
    const QDir dir(folder());
    QFileInfoList copies = dir.entryInfoList({kNewPrefix + QStringLiteral("*.xml")}, QDir::Files);
    std::sort(copies.begin(), copies.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.lastModified() > b.lastModified();
    });
    QStringList out;
    for (const QFileInfo& copy : copies) {
        QLockFile probe(copy.absoluteFilePath() + QStringLiteral(".lock"));
        probe.setStaleLockTime(0);
        if (tryLock(probe)) out << copy.absoluteFilePath(); // unlocked again on return
    }
    return out;
}

std::optional<QDateTime> offered(const QString& copy, const QString& applicationFile) {
    const QFileInfo info(copy);
    if (!info.isFile()) return std::nullopt;
    const QDateTime written = info.lastModified();
    if (!applicationFile.isEmpty()) {
        const QFileInfo file(applicationFile);
        if (file.exists() && file.lastModified() >= written) {
            QFile::remove(copy); // the file was saved after it: nothing left to keep
            return std::nullopt;
        }
    }
    return written;
}

QString question(const QDateTime& written) {
    return QStringLiteral("Znaleziono niezapisaną wersję tego wniosku z dnia %1, godz. %2. "
                          "Czy przywrócić niezapisane zmiany?")
        .arg(written.toString(QStringLiteral("yyyy.MM.dd")),
             written.toString(QStringLiteral("HH:mm")));
}

std::unique_ptr<QLockFile> own(const QString& copy, QString* error) {
    const QString prepared = prepareFolder();
    if (!prepared.isEmpty()) {
        if (error) *error = prepared;
        return nullptr;
    }
    auto lock = std::make_unique<QLockFile>(copy + QStringLiteral(".lock"));
    // Only a dead owner makes a lock stale, however long a living editor keeps it.
    lock->setStaleLockTime(0);
    if (!tryLock(*lock)) {
        if (error && lock->error() != QLockFile::LockFailedError)
            *error = QStringLiteral("nie można utworzyć pliku blokady %1")
                         .arg(QDir::toNativeSeparators(copy + QStringLiteral(".lock")));
        return nullptr;
    }
    restrict(copy + QStringLiteral(".lock"));
    return lock;
}

bool tryLock(QLockFile& lock) {
    if (lock.tryLock(0)) return true;
    qint64 pid = 0;
    if (lock.error() != QLockFile::LockFailedError || lock.getLockInfo(&pid, nullptr, nullptr))
        return false;
    lock.removeStaleLockFile();
    return lock.tryLock(0);
}

void restrict(const QString& path) {
    QFile::setPermissions(path, kOwnerOnly);
}

} // namespace RecoveryCopy
