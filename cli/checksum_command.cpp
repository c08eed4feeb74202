#include "cli/checksum_command.h"

#include "cli/console.h"
#include "cli/progress.h"
#include "cli/session.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace {

struct FileCheck {
    QString file;
    QString stored;
    QString computed;
    bool held = false;
    bool verified = false;
    bool loaded = false;
    QString fileVersion;
};

FileCheck checkFile(const QString& path, const QString& binFolder) {
    Session session(binFolder);
    ApplicationFile& file = session.file();
    file.OpenApplicationFile(path);
    session.reportMessages(path);

    FileCheck c;
    c.file = path;
    c.loaded = !file.LoadFailed;
    c.fileVersion = file.FileVersion;
    c.stored = ApplicationChecksum(session.dm()).storedChecksum();
    c.computed = ComputeChecksum(session.dm());
    c.held = c.loaded && file.FileVersion == file.settings().moduleVersion;
    c.verified = file.VerifyChecksum();
    return c;
}

QString verdict(const FileCheck& c) {
    if (!c.loaded) return QStringLiteral("plik uszkodzony, suma kontrolna nie jest sprawdzana");
    if (!c.held)
        return QStringLiteral(
                   "plik zapisany w innej wersji (%1), suma kontrolna nie jest sprawdzana")
            .arg(c.fileVersion);
    return c.verified ? QStringLiteral("suma kontrolna poprawna")
                      : QStringLiteral("suma kontrolna niepoprawna");
}

QString plainLine(const FileCheck& c) {
    const QString none = QStringLiteral("(brak)");
    return QStringLiteral("%1: zapisana %2, obliczona %3: %4")
        .arg(c.file, c.stored.isEmpty() ? none : c.stored, c.computed, verdict(c));
}

QJsonObject jsonObject(const FileCheck& c) {
    return QJsonObject{
        {QStringLiteral("file"), c.file},         {QStringLiteral("stored"), c.stored},
        {QStringLiteral("computed"), c.computed}, {QStringLiteral("held"), c.held},
        {QStringLiteral("verified"), c.verified}, {QStringLiteral("loaded"), c.loaded}};
}

// The check of one file; no value, and the reason on standard error, when the file is missing
// or cannot be read. An unusable dictionary ends the command: it serves every file.
std::optional<FileCheck> checkReported(const QString& path, const QString& binFolder) {
    if (!QFileInfo(path).isFile()) {
        Console::err(QStringLiteral("Nie znaleziono pliku wniosku: %1").arg(path));
        return std::nullopt;
    }
    try {
        return checkFile(path, binFolder);
    } catch (const SessionError&) {
        throw;
    } catch (const std::exception& e) {
        Console::err(QStringLiteral("%1: błąd odczytu: %2").arg(path, QString::fromUtf8(e.what())));
        return std::nullopt;
    }
}

} // namespace

int runChecksumCommand(const Arguments& args) {
    int exit = ExitOk;
    QJsonArray results;
    Progress progress(QStringLiteral("Sprawdzono"), args.files.size());
    for (const QString& path : args.files) {
        const std::optional<FileCheck> c = checkReported(path, args.binFolder);
        progress.done();
        if (!c) {
            exit = ExitError;
            continue;
        }
        if (args.json)
            results.append(jsonObject(*c));
        else
            Console::out(plainLine(*c));
        if (!c->loaded)
            exit = ExitError;
        else if (!c->verified && exit == ExitOk)
            exit = ExitCheckFailed;
    }
    if (args.json)
        Console::out(
            QString::fromUtf8(QJsonDocument(results).toJson(QJsonDocument::Indented)).trimmed());
    return exit;
}
