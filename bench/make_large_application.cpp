// Writes a large application for the file benchmarks: every list table with ROWS rows
// (default 200), every year shown and every plain data field the file stores filled.
// The rows are filled as a load does (dependent rules paused, the finance trees
// recomputed at the end) and saved through the program's own save, so the file is what
// the program writes; it is then read back and its checksum verified.
//   make_large_application OUT [ROWS]
#include "bench/sample_module.h"
#include "file/application_file.h"
#include "file/mapping_lists.h"
#include "model/dm_main.h"
#include "model/finance_years.h"
#include "platform/ui/headlessui.h"
#include "validation/application_validation.h"

#include <QCoreApplication>

#include <cstdio>
#include <map>
#include <set>

namespace {

// Keys and numbering are left to the module's rules; links get values that fit.
bool isKey(const QString& name) {
    const QString n = name.toLower();
    return n == "id" || n == "par_id" || n.startsWith("lp") || n == "etap" || n.endsWith("_id") ||
           n.contains("_id") || n.startsWith("tab6") || n == "suma_kontrolna" ||
           n == "czy_kwalifikowane";
}

// The year switches "Dodaj rok" sets: every later year of every year grid shown.
void showAllYears(DataSet& wniosek) {
    for (const char* family : {"tab6lprod", "tab6lrez", "tab6ltyp", "tab6m", "tab6n", "tab6o"})
        for (int year = FinanceYears::kLastBaseYear + 1; year <= FinanceYears::kLastYear; ++year)
            wniosek.field(QLatin1String(family) + QString::number(year) + QLatin1Char('v'))
                .setValue(QStringLiteral("T"));
}

// The fields the file stores, per table (lower case): the mapping's columns and
// non-base fields. A value anywhere else would be lost by the save but still count in
// the checksum.
using StoredFields = std::map<QString, std::set<QString>>;

StoredFields storedFields(const TdmDataSets& dm) {
    StoredFields out;
    for (const MappingLists& m : readMappingLists(dm.table(QStringLiteral("tabMapowanie")))) {
        auto& fields = out[m.dsname.toLower()];
        for (const auto& column : m.columns)
            fields.insert(column.second.toLower());
        for (const QString& name : m.nonBase)
            fields.insert(name.toLower());
    }
    return out;
}

void fillRow(DataSet& t, const std::set<QString>& stored, int i) {
    for (const auto& f : t.fields()) {
        if (f->kind() != FieldKind::Data || f->isReadOnly() || isKey(f->name()) ||
            !stored.count(f->name().toLower()))
            continue;
        switch (f->type()) {
        case FieldType::String:
            f->setValue(f->size() <= 2
                            ? QStringLiteral("T")
                            : QStringLiteral("Wartość %1 nr %2 żółć").arg(f->name()).arg(i));
            break;
        case FieldType::Integer:
        case FieldType::Int64:
            f->setValue(i);
            break;
        case FieldType::Float:
            f->setValue(1000.5 + i);
            break;
        case FieldType::Date:
            f->setValue(QDate(2005, 1, 1).addDays(i % 700));
            break;
        case FieldType::Boolean:
            f->setValue(i % 2 == 0);
            break;
        }
    }
}

// A table the file does not store gets no rows.
void addRows(TdmDataSets& dm, const StoredFields& stored, const char* name, int rows,
             const std::function<void(DataSet&, int)>& extra = {}) {
    const auto fields = stored.find(QString::fromLatin1(name).toLower());
    if (fields == stored.end()) return;
    DataSet& t = dm.table(QString::fromLatin1(name));
    if (!t.isActive()) t.open();
    for (int i = 1; i <= rows; ++i) {
        if (!t.append()) continue;
        fillRow(t, fields->second, i);
        if (extra) extra(t, i);
        t.post();
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "Użycie: make_large_application PLIK [WIERSZE]\n");
        return 2;
    }
    const int rows = argc > 2 ? std::atoi(argv[2]) : 200;
    HeadlessUi ui;
    auto dm = makeSampleModule(ui);
    dm->SprawdzSlownik();
    const QString path = QString::fromLocal8Bit(argv[1]);
    {
        // The file's start-up extends the mapping, so it comes before the filling.
        ApplicationFile file(*dm, ui, HostSettings::ReadHostSettings(sampleFolderSources()));
        file.runShowTimeSteps(); // what the editor does to a new application it shows
        const StoredFields stored = storedFields(*dm);
        DataSet& w = dm->table("dsWniosek");
        w.edit();
        w.field("typ_projektu").setValue("D");           // revenue table open
        w.field("zgod_pom_pub_korzystal").setValue("T"); // public aid table open
        showAllYears(w);
        w.post();
        // Filled as a load fills: the sums and percentages of the finance trees are
        // recomputed once at the end.
        dm->loadWithRulesPaused([&] {
            dm->Wczytywanie = true;
            for (const char* t :
                 {"dsOsobyUpow", "dsInstytucje", "dsLokalizacja", "dsProdukty", "dsRezultaty",
                  "dsOddz", "dsKatPrzych", "dsPomocPub", "dsZamPub", "dsEtapyRealizacji"})
                addRows(*dm, stored, t, rows);
            addRows(*dm, stored, "dsPlanWydatki", rows, [](DataSet& t, int i) {
                t.field("Etap").setValue(i % 20 + 1);
                t.field("CZY_KWALIFIKOWANE").setValue(i % 2 ? "T" : "N");
            });
            for (const char* tree : {"dsZrodlaFin", "dsProfilWyd"})
                addRows(*dm, stored, tree, rows,
                        [](DataSet& t, int) { t.field("par_id").setValue(10); });
            dm->Wczytywanie = false;
        });
        if (!file.saveAs(path)) {
            std::fprintf(stderr, "Nie udało się zapisać %s\n", argv[1]);
            return 1;
        }
    }
    // Read back as `validate` reads it: a checksum that no longer matches means the
    // filling wrote something the reading rules change.
    auto check = makeSampleModule(ui);
    check->SprawdzSlownik();
    ApplicationFile reread(*check, ui, HostSettings::ReadHostSettings(sampleFolderSources()));
    reread.Silent = true;
    if (!validateApplicationFile(reread, *check, path).checksumVerified) {
        std::fprintf(stderr, "Suma kontrolna %s nie zgadza się po ponownym odczycie\n", argv[1]);
        return 1;
    }
    return 0;
}
