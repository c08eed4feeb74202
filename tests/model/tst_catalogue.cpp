#include "model/catalogue/catalogue.h"
#include "platform/dataset/dataset.h"

#include <QTest>

#include <memory>

namespace {

const QStringList kFlagFamilies = {"tab6lprod", "tab6lrez", "tab6ltyp", "tab6m", "tab6n", "tab6o"};

std::vector<const TableSpec*> allTables() {
    std::vector<const TableSpec*> out{&Catalogue::mainRecord()};
    for (const TableSpec& t : Catalogue::sectionTables())
        out.push_back(&t);
    for (const TableSpec& t : Catalogue::dictionaryTables())
        out.push_back(&t);
    return out;
}

const TableSpec* findTable(const QString& name, std::span<const TableSpec> tables) {
    for (const TableSpec& t : tables)
        if (name.compare(QString::fromUtf8(t.name), Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

const TableSpec& table(const QString& name) {
    for (const TableSpec* t : allTables())
        if (name == QString::fromUtf8(t->name)) return *t;
    throw std::runtime_error("no table " + name.toStdString());
}

const FieldSpec* findSpec(const TableSpec& t, const QString& name) {
    for (const FieldSpec& f : t.fields)
        if (name.compare(QString::fromUtf8(f.name), Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

std::unique_ptr<DataSet> build(const TableSpec& spec) {
    auto ds = std::make_unique<DataSet>(QString::fromUtf8(spec.name));
    for (const FieldSpec& f : spec.fields)
        ds->addField(Catalogue::toFieldDef(f));
    ds->open();
    return ds;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    // Building a table fails on a name repeated in any letter case.
    void everyTableBuilds_data() {
        QTest::addColumn<QString>("name");
        for (const TableSpec* t : allTables())
            QTest::newRow(t->name) << QString::fromUtf8(t->name);
    }
    void everyTableBuilds() {
        QFETCH(QString, name);
        const TableSpec& spec = table(name);
        std::unique_ptr<DataSet> ds;
        try {
            ds = build(spec);
        } catch (const DataSetError& e) {
            QFAIL(e.what());
        }
        QCOMPARE(size_t(ds->fieldCount()), spec.fields.size());
        // Every default converts to its field's type; required fields are the only ones
        // that must be filled.
        QVERIFY(ds->append());
        for (const FieldSpec& f : spec.fields)
            if (f.required) ds->field(QString::fromUtf8(f.name)).setValue(1);
        ds->post();
        QCOMPARE(ds->recordCount(), 1);
    }

    // Only the tables this type adds are its own, and all their fields are too.
    void tablesOfThisType() {
        const QStringList own = {"dsPolaSpec", "dsEtapyRealizacji", "dsPlanWydatki", "dsZamPub",
                                 "tabMapowanie"};
        for (const TableSpec* t : allTables()) {
            const QString name = QString::fromUtf8(t->name);
            QCOMPARE(t->level == Level::Type, own.contains(name));
            if (t->level == Level::Type)
                for (const FieldSpec& f : t->fields)
                    QVERIFY2(f.level == Level::Type, f.name);
        }
    }

    void yearFlagDefaults_data() {
        QTest::addColumn<QString>("family");
        for (const QString& f : kFlagFamilies)
            QTest::newRow(qPrintable(f)) << f;
    }
    void yearFlagDefaults() {
        QFETCH(QString, family);
        auto ds = build(Catalogue::mainRecord());
        QVERIFY(ds->append());
        for (int year = 2004; year <= 2016; ++year) {
            const QString name = family + QString::number(year) + "v";
            QCOMPARE(ds->field(name).asString(), QString(year <= 2008 ? "T" : "N"));
        }
    }

    // The checksum leaves out itself and the derived period counts.
    void checksumTags() {
        QStringList tagged;
        for (const FieldSpec& f : Catalogue::mainRecord().fields)
            if (f.tag != 0) tagged << QString::fromUtf8(f.name);
        tagged.sort();
        QCOMPARE(tagged,
                 QStringList({"plan_okres_do_oddania", "plan_okres_finansowej_real",
                              "plan_okres_real", "plan_okres_rzeczowej_real", "suma_kontrolna"}));
    }

    // Defaults arrive, converted to the field's type, when a row is appended.
    void defaultsOnAppend_data() {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QVariant>("expected");
        auto row = [](const char* name, const char* table, const char* field, const QVariant& v) {
            QTest::newRow(name) << table << field << v;
        };
        row("whole country no", "dsWniosek", "lok_caly_kraj", "N");
        row("base default dropped", "dsWniosek", "inne_pr_EFRR", QVariant());
        row("revenue year", "dsKatPrzych", "2016", 0.0);
        row("revenue n+5", "dsKatPrzych", "n_5", 0.0);
        row("finance year without default", "dsZrodlaFin", "2004", QVariant());
        row("profile year without default", "dsProfilWyd", "2012", QVariant());
        row("total cost", "dsCalkKoszt", "RAZEM", 0.0);
        row("qualified expenditure", "dsWydatkiKw", "2008", 0.0);
    }
    void defaultsOnAppend() {
        QFETCH(QString, tableName);
        QFETCH(QString, fieldName);
        QFETCH(QVariant, expected);
        auto ds = build(table(tableName));
        QVERIFY(ds->append());
        QCOMPARE(ds->field(fieldName).value(), expected);
    }

    // Every lookup names a key field of its own table and an existing dictionary column.
    void lookupsResolve() {
        const auto dictionaries = Catalogue::dictionaryTables();
        int lookups = 0;
        for (const TableSpec* t : allTables()) {
            for (const FieldSpec& f : t->fields) {
                const bool wired = f.keyField || f.lookupTable || f.lookupKey || f.lookupResult;
                QCOMPARE(wired, f.kind == FieldKind::Lookup);
                if (f.kind != FieldKind::Lookup) continue;
                ++lookups;
                const QString where = QString::fromUtf8(t->name) + "." + QString::fromUtf8(f.name);
                const FieldSpec* key = findSpec(*t, QString::fromUtf8(f.keyField));
                QVERIFY2(key && key->kind == FieldKind::Data, qPrintable(where));
                const TableSpec* dict = findTable(QString::fromUtf8(f.lookupTable), dictionaries);
                QVERIFY2(dict, qPrintable(where));
                QVERIFY2(findSpec(*dict, QString::fromUtf8(f.lookupKey)), qPrintable(where));
                QVERIFY2(findSpec(*dict, QString::fromUtf8(f.lookupResult)), qPrintable(where));
            }
        }
        QVERIFY(lookups > 0);
    }

    // The declared filter of a flat list is accepted by the table and lets the listed codes
    // through.
    void declaredFilters_data() {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("visible");
        auto row = [](const char* table, const char* column, const QStringList& values,
                      int visible) {
            QTest::newRow(table) << table << column << values << visible;
        };
        row("sl_INT1", "KOD", {"1", "3", "4", "34"}, 2);
        row("sl_WNS1", "WARTOSC", {"PPS", "POS", "GPS", "PPS2"}, 3);
        row("sl_RPC1", "WARTOSC", {"A", "B", "C", "A2"}, 3);
        row("sl_ZPU1", "WARTOSC", {"PN", "PO", "NZO", "NBO", "ZOC", "ZWR", "AEL", "XX"}, 7);
    }
    void declaredFilters() {
        QFETCH(QString, tableName);
        QFETCH(QString, column);
        QFETCH(QStringList, values);
        QFETCH(int, visible);
        const char* text = Catalogue::declaredDictionaryFilter(qPrintable(tableName.toUpper()));
        QVERIFY(text);
        auto ds = build(table(tableName));
        int id = 0;
        for (const QString& v : values) {
            QVERIFY(ds->append());
            if (ds->findField("ID")) ds->field("ID").setValue(++id);
            ds->field(column).setValue(v);
            ds->post();
        }
        ds->setFilter(QString::fromUtf8(text));
        ds->setFiltered(true);
        QCOMPARE(ds->recordCount(), visible);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
