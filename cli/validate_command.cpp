#include "cli/validate_command.h"

#include "cli/arguments.h"
#include "cli/batch.h"
#include "cli/console.h"
#include "cli/progress.h"
#include "cli/session.h"
#include "validation/application_validation.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <vector>

namespace {

struct FileResult {
    QString file;
    bool exists = false;
    ValidationOutcome outcome;
    QString error; // an unexpected failure while checking the file
};

// One file on a module of its own that takes the dictionaries of the shared one.
FileResult validateOne(const QString& path, const TdmDataSets& dictionaries,
                       const HostSettings& settings) {
    FileResult r;
    r.file = path;
    r.exists = QFileInfo(path).isFile();
    if (!r.exists) return r;
    try {
        FileModule module(dictionaries, settings);
        r.outcome = validateApplicationFile(module.file(), module.dm(), path);
        // Anything the module would have shown in a box belongs to the file's messages.
        r.outcome.messages += module.ui().shownTexts();
    } catch (const std::exception& e) {
        r.error = QString::fromUtf8(e.what());
    }
    return r;
}

QString summary(const FileResult& r) {
    const ValidationOutcome& o = r.outcome;
    if (!o.valid) {
        qsizetype errors = 0;
        for (const Finding& f : o.findings)
            errors += f.severity == Severity::Error;
        return QStringLiteral("błędy: %1").arg(errors);
    }
    if (o.warning) {
        qsizetype warnings = 0;
        for (const Finding& f : o.findings)
            warnings += f.severity == Severity::Warning;
        return QStringLiteral("ostrzeżenia: %1").arg(warnings);
    }
    return QStringLiteral("poprawny");
}

void printPlain(const FileResult& r) {
    const ValidationOutcome& o = r.outcome;
    QString line = r.file + QStringLiteral(": ") + summary(r);
    if (!o.loaded)
        line += QStringLiteral(" (plik uszkodzony)");
    else if (!o.checksumVerified)
        line += QStringLiteral(" (niepoprawna suma kontrolna)");
    Console::out(line);
    for (const Finding& f : o.findings) {
        const QString target = f.field.isEmpty() ? f.control : f.table + QLatin1Char('.') + f.field;
        Console::out(QStringLiteral("  [%1] %2 (%3)").arg(f.rule, f.message, target));
    }
}

QJsonObject jsonObject(const FileResult& r) {
    const ValidationOutcome& o = r.outcome;
    QJsonArray findings;
    for (const Finding& f : o.findings)
        findings.append(QJsonObject{
            {QStringLiteral("rule"), f.rule},
            {QStringLiteral("severity"), f.severity == Severity::Error ? "error" : "warning"},
            {QStringLiteral("message"), f.message},
            {QStringLiteral("field"),
             f.field.isEmpty() ? QString() : f.table + QLatin1Char('.') + f.field},
            {QStringLiteral("control"), f.control}});
    return QJsonObject{
        {QStringLiteral("file"), r.file},
        {QStringLiteral("loaded"), o.loaded},
        {QStringLiteral("valid"), o.valid},
        {QStringLiteral("warning"), o.warning},
        {QStringLiteral("checksum"), QJsonObject{{QStringLiteral("stored"), o.storedChecksum},
                                                 {QStringLiteral("computed"), o.computedChecksum},
                                                 {QStringLiteral("verified"), o.checksumVerified}}},
        {QStringLiteral("findings"), findings},
        {QStringLiteral("messages"), QJsonArray::fromStringList(o.messages)}};
}

} // namespace

int runValidateCommand(const Arguments& args) {
    Session session(args.binFolder); // the dictionary, read once
    const TdmDataSets& dictionaries = session.dm();
    const HostSettings settings = session.settings();

    std::vector<FileResult> results(size_t(args.files.size()));
    {
        Progress progress(QStringLiteral("Sprawdzono"), args.files.size());
        runInOrder<FileResult>(
            args.files.size(), args.jobs,
            [&](qsizetype i) { return validateOne(args.files[i], dictionaries, settings); },
            [&](qsizetype i, FileResult& r) {
                results[size_t(i)] = std::move(r);
                progress.done();
            });
    }

    int exit = ExitOk;
    QJsonArray array;
    for (const FileResult& r : results) {
        if (!r.exists || !r.error.isEmpty()) {
            Console::err(r.exists ? QStringLiteral("%1: %2").arg(r.file, r.error)
                                  : QStringLiteral("Nie ma pliku %1.").arg(r.file));
            exit = ExitError;
            continue;
        }
        if (!r.outcome.valid && exit == ExitOk) exit = ExitCheckFailed;
        if (args.json)
            array.append(jsonObject(r));
        else
            printPlain(r);
        if (!args.json)
            for (const QString& m : r.outcome.messages)
                Console::err(r.file + QStringLiteral(": ") + m);
    }
    if (args.json)
        Console::out(
            QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented)).trimmed());
    return exit;
}
