#include "file/recovery_copy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace RecoveryCopy {

QString folder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(state).filePath(QStringLiteral("Zelgor/odzyskiwanie"));
}

QString pathFor(const QString& applicationFile) {
    if (applicationFile.isEmpty())
        return QDir(folder()).filePath(QStringLiteral("nowy-wniosek.xml"));
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

std::optional<QDateTime> offered(const QString& applicationFile) {
    const QFileInfo copy(pathFor(applicationFile));
    if (!copy.isFile()) return std::nullopt;
    const QDateTime written = copy.lastModified();
    if (!applicationFile.isEmpty()) {
        const QFileInfo file(applicationFile);
        if (file.exists() && file.lastModified() >= written) return std::nullopt;
    }
    return written;
}

QString question(const QDateTime& written) {
    return QStringLiteral("Znaleziono niezapisaną wersję tego wniosku z dnia %1, godz. %2. "
                          "Czy przywrócić niezapisane zmiany?")
        .arg(written.toString(QStringLiteral("yyyy.MM.dd")),
             written.toString(QStringLiteral("HH:mm")));
}

void remove(const QString& applicationFile) {
    QFile::remove(pathFor(applicationFile));
}

} // namespace RecoveryCopy
