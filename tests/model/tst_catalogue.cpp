#include "model/catalogue/catalogue.h"
#include "platform/dataset/dataset.h"

#include <QTest>

#include <memory>

namespace {

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
