// Writes a large application for the file benchmarks: every list table with ROWS rows
// (default 200), every plain data field filled.
//   make_large_application OUT [ROWS]
#include "bench/sample_module.h"
#include "file/application_file.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// Keys and numbering are left to the module's rules; links get values that fit.
bool isKey(const QString& name) {
    const QString n = name.toLower();
    return n == "id" || n == "par_id" || n.startsWith("lp") || n == "etap" || n.endsWith("_id") ||
           n.contains("_id") || n.startsWith("tab6") || n == "suma_kontrolna" ||
           n == "czy_kwalifikowane";
}

void fillRow(DataSet& t, int i) {
    for (const auto& f : t.fields()) {
        if (f->kind() != FieldKind::Data || f->isReadOnly() || isKey(f->name())) continue;
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

void addRows(TdmDataSets& dm, const char* name, int rows,
             const std::function<void(DataSet&, int)>& extra = {}) {
    DataSet& t = dm.table(QString::fromLatin1(name));
    if (!t.isActive()) t.open();
    for (int i = 1; i <= rows; ++i) {
        if (!t.append()) continue;
        fillRow(t, i);
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
    DataSet& w = dm->table("dsWniosek");
    w.edit();
    w.field("typ_projektu").setValue("D");           // revenue table open
    w.field("zgod_pom_pub_korzystal").setValue("T"); // public aid table open
    w.post();
    dm->Wczytywanie = true; // bulk filling: the sums are recomputed once at the end
    for (const char* t : {"dsOsobyUpow", "dsInstytucje", "dsLokalizacja", "dsProdukty",
                          "dsRezultaty", "dsOddz", "dsKatPrzych", "dsPomocPub", "dsZamPub"})
        addRows(*dm, t, rows);
    addRows(*dm, "dsEtapyRealizacji", rows);
    addRows(*dm, "dsPlanWydatki", rows, [](DataSet& t, int i) {
        t.field("Etap").setValue(i % 20 + 1);
        t.field("CZY_KWALIFIKOWANE").setValue(i % 2 ? "T" : "N");
    });
    for (const char* tree : {"dsZrodlaFin", "dsProfilWyd"})
        addRows(*dm, tree, rows, [](DataSet& t, int) { t.field("par_id").setValue(10); });
    dm->Wczytywanie = false;
    ApplicationFile file(*dm, ui, HostSettings::ReadHostSettings(sampleFolderSources()));
    if (!file.saveAs(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "Nie udało się zapisać %s\n", argv[1]);
        return 1;
    }
    return 0;
}
