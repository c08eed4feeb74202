#include "cli/import_command.h"

#include "cli/arguments.h"
#include "cli/batch.h"
#include "cli/console.h"
#include "cli/output_guard.h"
#include "cli/progress.h"
#include "cli/session.h"
#include "import/import_database.h"
#include "import/import_schema.h"
#include "import/imported_application.h"
#include "model/catalogue/mapping_rows.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace {

struct FileRead {
    bool exists = false;
    ImportCandidate candidate;
    QString error; // an unexpected failure while reading the file
};

FileRead readOne(const QString& path, const TdmDataSets& dictionaries, const HostSettings& settings,
                 const ImportSchema& schema) {
    FileRead r;
    r.exists = QFileInfo(path).isFile();
    if (!r.exists) return r;
    try {
        FileModule module(dictionaries, settings);
        r.candidate = readForImport(module.file(), module.dm(), path, schema);
    } catch (const std::exception& e) {
        r.error = QString::fromUtf8(e.what());
    }
    return r;
}

// One line of the report, plain or as JSON.
struct Report {
    QString file;
    QString outcome; // imported, replaced, skipped, refused, error
    QString text;    // the plain line after the file name
    QString reason;
    QString checksum;
    qsizetype rows = 0;

    QJsonObject json() const {
        QJsonObject o{{QStringLiteral("file"), file}, {QStringLiteral("outcome"), outcome}};
        if (!reason.isEmpty()) o.insert(QStringLiteral("reason"), reason);
        if (!checksum.isEmpty()) o.insert(QStringLiteral("checksum"), checksum);
        if (rows > 0) o.insert(QStringLiteral("rows"), rows);
        return o;
    }
};

Report writeOne(ImportDatabase& db, const QString& path, FileRead& r, bool replace) {
    Report report{path, {}, {}, {}, {}, 0};
    if (!r.exists) {
        report.outcome = QStringLiteral("error");
        report.reason = QStringLiteral("Nie ma pliku %1.").arg(path);
        return report;
    }
    if (!r.error.isEmpty()) {
        report.outcome = QStringLiteral("error");
        report.reason = r.error;
        return report;
    }
    if (!r.candidate.refusal.isEmpty()) {
        report.outcome = QStringLiteral("refused");
        report.reason = r.candidate.refusal;
        report.text = QStringLiteral("odrzucony: ") + r.candidate.refusal;
        return report;
    }
    const ImportedApplication& app = r.candidate.application;
    report.checksum = app.checksum;
    try {
        switch (db.write(app, replace)) {
        case ImportOutcome::Imported:
            report.outcome = QStringLiteral("imported");
            report.rows = app.rowCount;
            report.text = QStringLiteral("zaimportowany (wiersze: %1)").arg(app.rowCount);
            break;
        case ImportOutcome::Replaced:
            report.outcome = QStringLiteral("replaced");
            report.rows = app.rowCount;
            report.text = QStringLiteral("zastąpiony (wiersze: %1)").arg(app.rowCount);
            break;
        case ImportOutcome::Skipped:
            report.outcome = QStringLiteral("skipped");
            report.text = QStringLiteral("pominięty: wniosek o sumie kontrolnej %1 jest już w "
                                         "bazie (--replace zastępuje)")
                              .arg(app.checksum);
            break;
        }
    } catch (const ImportError& e) {
        report.outcome = QStringLiteral("error");
        report.reason = QString::fromUtf8(e.what()) + QStringLiteral("; nic z pliku nie zapisano.");
    }
    return report;
}

} // namespace

int runImportCommand(const Arguments& args) {
    Session session(args.binFolder); // the dictionary, read once
    const TdmDataSets& dictionaries = session.dm();
    const HostSettings settings = session.settings();
    const ImportSchema schema = ImportSchema::fromMapping(declaredMappingRows(), dictionaries);
    // A database file named like one of the applications would be written over it.
    const QString target = args.value(QStringLiteral("db"));
    if (!target.contains(QLatin1String("://")) && !OutputGuard::allowed(target, args.files))
        return ExitError;
    std::optional<ImportDatabase> db;
    try {
        db.emplace(args.value(QStringLiteral("db")), schema);
    } catch (const ImportError& e) {
        Console::err(QString::fromUtf8(e.what()));
        return ExitError;
    }
    const bool replace = args.isSet(QStringLiteral("replace"));

    int exit = ExitOk;
    QJsonArray array;
    Progress progress(QStringLiteral("Przetworzono"), args.files.size());
    runInOrder<FileRead>(
        args.files.size(), args.jobs,
        [&](qsizetype i) { return readOne(args.files[i], dictionaries, settings, schema); },
        [&](qsizetype i, FileRead& r) {
            const Report report = writeOne(*db, args.files[i], r, replace);
            r = FileRead(); // the rows are written: free them before the next file
            progress.done();
            if (report.outcome == QLatin1String("error"))
                exit = ExitError;
            else if (report.outcome == QLatin1String("refused") && exit == ExitOk)
                exit = ExitCheckFailed;
            if (report.outcome == QLatin1String("error"))
                Console::err(report.file + QStringLiteral(": ") + report.reason);
            if (args.json)
                array.append(report.json());
            else if (report.outcome != QLatin1String("error"))
                Console::out(report.file + QStringLiteral(": ") + report.text);
        });
    if (args.json)
        Console::out(
            QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented)).trimmed());
    return exit;
}
