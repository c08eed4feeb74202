#include "file/application_xml.h"
#include "model/catalogue/mapping_rows.h"
#include "tests/model/module_fixture.h"

#include <QFile>
#include <QTest>

namespace {

struct Row {
    QString dsname, table, newRow, columns, constants, nonBase, parent, condition;
};

QList<Row> tableRows(const DataSet& t) {
    auto text = [&](int rec, const char* f) {
        return t.valueAt(rec, t.field(QString::fromUtf8(f))).toString();
    };
    QList<Row> out;
    for (int rec = 1; rec <= t.recordCount(); ++rec)
        out.append({text(rec, "dsname"), text(rec, "plo_tabela"), text(rec, "nowy_wiersz"),
                    text(rec, "plo_kolumny"), text(rec, "plo_wartosci"), text(rec, "niebazowe"),
                    text(rec, "plo_nadrzedna"), text(rec, "warunek")});
    return out;
}

// "COLUMN=value" of a list, by column.
QString valueOf(const QString& list, const QString& column) {
    for (const QString& entry : ApplicationXml::zrobliste(list))
        if (entry.section(QLatin1Char('='), 0, 0) == column)
            return entry.section(QLatin1Char('='), 1);
    return QStringLiteral("<none>");
}

QString codeFields(const DataSet& t) {
    QString out;
    for (const auto& f : t.fields())
        if (f->name().contains(QLatin1String("_kodRT"))) out += QLatin1Char(';') + f->name();
    return out;
}

} // namespace

class TestMapping : public QObject {
    Q_OBJECT

private:
    ModuleFixture fx;
    DataSet& mapping() const { return fx.t("tabMapowanie"); }

private slots:
    void init() {
        mapping().emptyTable();
        fillMappingTable(*fx.dm);
    }

    // Every field the writer will ask for, and every link field, is in its dataset.
    void everyNamedFieldExists() {
        extendMappingTable(*fx.dm);
        for (const Row& r : tableRows(mapping())) {
            const DataSet* ds = fx.dm->findTable(r.dsname);
            QVERIFY2(ds, qPrintable(r.dsname));
            QStringList names = ApplicationXml::zrobliste(r.nonBase);
            for (const QString& pair : ApplicationXml::zrobliste(r.columns))
                names << pair.section('=', 1);
            for (const QString& name : names)
                QVERIFY2(ds->findField(name), qPrintable(r.dsname + "." + name));
            if (r.condition.isEmpty()) continue;
            const DataSet* parent = fx.dm->findTable(valueOf(r.condition, "ds_nadrz"));
            QVERIFY(parent);
            QVERIFY(parent->findField(valueOf(r.condition, "kol_nadrz")));
            QVERIFY(ds->findField(valueOf(r.condition, "kol_pod")));
        }
    }

    void extensionsAppendToTheFirstRowOfTheDataset() {
        const QList<Row> before = tableRows(mapping());
        extendMappingTable(*fx.dm);
        const QList<Row> after = tableRows(mapping());

        const QString applicantCodes = codeFields(fx.t("dsBeneficjent"));
        const QString institutionCodes = codeFields(fx.t("dsInstytucje"));
        QCOMPARE(applicantCodes.count(';'), 12);
        QCOMPARE(institutionCodes.count(';'), 3);
        QVERIFY(applicantCodes.contains(";lkp_adr_woj_kodRT"));

        for (int i = 0; i < after.size(); ++i) {
            QString expected = before[i].nonBase;
            if (i == 50) expected += applicantCodes;            // row 51, first of dsBeneficjent
            if (i == 88) expected += institutionCodes;          // row 89, the only dsInstytucje row
            if (i == 48) expected += ";gm_kod;pow_kod;woj_kod"; // row 49, dsLokalizacja
            QCOMPARE(after[i].nonBase, expected);
        }
        // Extending again adds nothing.
        extendMappingTable(*fx.dm);
        const QList<Row> twice = tableRows(mapping());
        for (int i = 0; i < after.size(); ++i)
            QCOMPARE(twice[i].nonBase, after[i].nonBase);
    }

    void zrobliste_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pieces");
        auto row = [](const char* text, const QStringList& pieces) {
            QTest::newRow(*text ? text : "empty") << text << pieces;
        };
        row("", {});
        row("a", {"a"});
        row("a;b;", {"a", "b"});
        row("a;;b", {"a", "", "b"});
        row("a;;", {"a", ""});
        row(";a", {"", "a"});
        row(";", {""});
    }
    void zrobliste() {
        QFETCH(QString, text);
        QFETCH(QStringList, pieces);
        QCOMPARE(ApplicationXml::zrobliste(text), pieces);
    }
};

QTEST_GUILESS_MAIN(TestMapping)
#include "tst_mapping.moc"
