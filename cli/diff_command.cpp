#include "cli/diff_command.h"

#include "cli/arguments.h"
#include "cli/console.h"
#include "cli/session.h"
#include "editor/forms/frames/field_captions.h"
#include "import/application_diff.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <future>
#include <memory>

namespace {

struct Side {
    QString path;
    std::unique_ptr<FileModule> module;
    bool loaded = false;
    bool held = false; // saved by this module version: its checksum is checked
    bool verified = false;
    QString version;
    QString error;

    QString checksumText() const {
        if (!held)
            return QStringLiteral("plik zapisany w innej wersji (%1), suma kontrolna nie jest "
                                  "sprawdzana")
                .arg(version);
        return verified ? QStringLiteral("suma kontrolna poprawna")
                        : QStringLiteral("suma kontrolna niepoprawna");
    }
    QJsonObject json() const {
        return {{QStringLiteral("file"), path},
                {QStringLiteral("checksum"), checksumText()},
                {QStringLiteral("verified"), verified}};
    }
};

// Opens the file as the editor does, on the session's dictionaries.
void load(Side& side, const TdmDataSets& dictionaries, const HostSettings& settings) {
    if (!QFileInfo(side.path).isFile()) {
        side.error = QStringLiteral("Nie znaleziono pliku wniosku: %1").arg(side.path);
        return;
    }
    try {
        side.module = std::make_unique<FileModule>(dictionaries, settings);
        ApplicationFile& file = side.module->file();
        file.Silent = true;
        file.OpenApplicationFile(side.path);
        side.loaded = !file.LoadFailed;
        if (!side.loaded) {
            side.error =
                QStringLiteral("%1: plik uszkodzony, nie można go porównać.").arg(side.path);
            return;
        }
        side.version = file.FileVersion;
        side.held = file.FileVersion == settings.moduleVersion;
        side.verified = file.VerifyChecksum();
    } catch (const std::exception& e) {
        side.error =
            QStringLiteral("%1: błąd odczytu: %2").arg(side.path, QString::fromUtf8(e.what()));
    }
}

QString quoted(const QString& value) {
    return QStringLiteral("„%1”").arg(value);
}

QString rowText(const ApplicationDifference& d) {
    if (!d.listTable) return {};
    QString row;
    switch (d.kind) {
    case ApplicationDifference::Inserted:
        row = QStringLiteral("wiersz %1 dodany").arg(d.newRow);
        break;
    case ApplicationDifference::Deleted:
        row = QStringLiteral("wiersz %1 usunięty").arg(d.oldRow);
        break;
    case ApplicationDifference::Changed:
        row = d.oldRow == d.newRow
                  ? QStringLiteral("wiersz %1").arg(d.newRow)
                  : QStringLiteral("wiersz %1 (dawniej %2)").arg(d.newRow).arg(d.oldRow);
        break;
    }
    if (!d.rowName.isEmpty()) row += QStringLiteral(" „%1”").arg(d.rowName);
    return row;
}

QString plainLine(const ApplicationDifference& d) {
    QStringList parts{d.place.section};
    const QString row = rowText(d);
    if (!row.isEmpty()) parts << row;
    switch (d.kind) {
    case ApplicationDifference::Changed:
        parts << d.place.caption + QStringLiteral(": ") + quoted(d.oldValue) +
                     QStringLiteral(" → ") + quoted(d.newValue);
        break;
    case ApplicationDifference::Inserted:
        parts << d.newValue;
        break;
    case ApplicationDifference::Deleted:
        parts << d.oldValue;
        break;
    }
    return parts.join(QStringLiteral(" — "));
}

QJsonObject jsonObject(const ApplicationDifference& d) {
    static const char* const kinds[] = {"changed", "inserted", "deleted"};
    QJsonObject o{{QStringLiteral("kind"), QLatin1String(kinds[d.kind])},
                  {QStringLiteral("section"), d.place.section},
                  {QStringLiteral("caption"), d.place.caption},
                  {QStringLiteral("control"), d.place.control},
                  {QStringLiteral("table"), d.table},
                  {QStringLiteral("old"), d.oldValue},
                  {QStringLiteral("new"), d.newValue}};
    if (!d.field.isEmpty()) o.insert(QStringLiteral("field"), d.field);
    if (d.listTable) {
        o.insert(QStringLiteral("old_row"), d.oldRow);
        o.insert(QStringLiteral("new_row"), d.newRow);
        if (!d.rowName.isEmpty()) o.insert(QStringLiteral("row_name"), d.rowName);
    }
    return o;
}

void print(const Arguments& args, const Side& before, const Side& after,
           const std::vector<ApplicationDifference>& differences) {
    if (args.json) {
        QJsonArray list;
        for (const ApplicationDifference& d : differences)
            list.append(jsonObject(d));
        const QJsonObject o{{QStringLiteral("old"), before.json()},
                            {QStringLiteral("new"), after.json()},
                            {QStringLiteral("equal"), differences.empty()},
                            {QStringLiteral("differences"), list}};
        Console::out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)).trimmed());
    } else {
        Console::out(QStringLiteral("Stary: %1: %2").arg(before.path, before.checksumText()));
        Console::out(QStringLiteral("Nowy: %1: %2").arg(after.path, after.checksumText()));
        for (const ApplicationDifference& d : differences)
            Console::out(plainLine(d));
        Console::out(differences.empty() ? QStringLiteral("Wnioski się nie różnią.")
                                         : QStringLiteral("Różnice: %1").arg(differences.size()));
    }
}

} // namespace

int runDiffCommand(const Arguments& args) {
    Session session(args.binFolder); // the dictionary, read once
    const TdmDataSets& dictionaries = session.dm();
    const HostSettings settings = session.settings();
    Side before{args.files[0], {}, false, false, false, {}, {}};
    Side after{args.files[1], {}, false, false, false, {}, {}};
    // The two files load at once.
    auto loading = std::async(std::launch::async, [&] { load(before, dictionaries, settings); });
    load(after, dictionaries, settings);
    loading.get();
    bool failed = false;
    for (const Side* side : {&before, &after})
        if (!side->error.isEmpty()) {
            Console::err(side->error);
            failed = true;
        }
    if (failed) return ExitError;

    const std::vector<ApplicationDifference> differences =
        compareApplications(before.module->dm(), after.module->dm(), editor::diffCaptions());
    print(args, before, after, differences);
    // The two files' data stay until the process ends, as a session's do: freeing a large
    // application row by row is a good part of the run.
    FileModule::keepUntilExit(std::move(before.module));
    FileModule::keepUntilExit(std::move(after.module));
    return differences.empty() ? ExitOk : ExitCheckFailed;
}
