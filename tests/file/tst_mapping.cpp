#include "file/application_xml.h"
#include "model/catalogue/mapping_rows.h"
#include "tests/model/module_fixture.h"

#include <QTest>

namespace {

// The mapping as a reader of the data design lists it: runs of rows that share dataset,
// target table, new-row flag and parent, by their row numbers (the "Row N" comments of
// the declaration name the same numbers).
struct Run {
    int first, last;
    const char* dsname;
    const char* table;
    const char* newRow;
    const char* parent;
};

const Run kRuns[] = {
    {1, 1, "dsWniosek", "PLO_WNIOSKI", "N", ""},
    {2, 2, "dsPomocPub", "PLO_UDZIELONE_POMOCE", "T", "PLO_WNIOSKI"},
    {3, 20, "dsKatPrzych", "PLO_PRZEWIDYWANE_PRZYCHODY", "T", "PLO_WNIOSKI"},
    {21, 33, "dsPlanWydatki", "PLO_WYDATKI_W_RAMACH_PROJEKTOW", "T",
     "PLO_ETAPY_REALIZACJI_PROJEKTOW"},
    {34, 46, "dsZrodlaFin", "PLO_ZRODLA_FINANSOWANIA_PROJ", "T", "PLO_WNIOSKI"},
    {47, 47, "dsProfilWyd", "PLO_UDZIALY_ZRODEL_FINANS", "T", "PLO_WNIOSKI"},
    {48, 48, "dsEtapyRealizacji", "PLO_ETAPY_REALIZACJI_PROJEKTOW", "T", "PLO_WNIOSKI"},
    {49, 49, "dsLokalizacja", "PLO_LOKALIZACJE_PROJEKTOW", "T", "PLO_WNIOSKI"},
    {50, 50, "dsPozWdr", "PLO_WNIOSKI", "N", ""},
    {51, 52, "dsBeneficjent", "PLO_INSTYTUCJE", "T", "PLO_WNIOSKI"},
    {53, 53, "dsWniosek", "PLO_LOKALIZACJE_PROJEKTOW", "N", "PLO_WNIOSKI"},
    {54, 54, "dsProdukty", "PLO_WSKAZNIKI_CELOW_PROJEKTOW", "T", "PLO_WNIOSKI"},
    {55, 67, "dsProdukty", "PLO_WARTOSCI_WCP", "T", "PLO_WSKAZNIKI_CELOW_PROJEKTOW"},
    {68, 68, "dsRezultaty", "PLO_WSKAZNIKI_CELOW_PROJEKTOW", "T", "PLO_WNIOSKI"},
    {69, 81, "dsRezultaty", "PLO_WARTOSCI_WCP", "T", "PLO_WSKAZNIKI_CELOW_PROJEKTOW"},
    {82, 82, "dsKatInt", "PLO_WNIOSKI", "N", ""},
    {83, 83, "dsOddz", "PLO_WSKAZNIKI_CELOW_PROJEKTOW", "T", "PLO_WNIOSKI"},
    {84, 88, "dsOddz", "PLO_WARTOSCI_WCP", "T", "PLO_WSKAZNIKI_CELOW_PROJEKTOW"},
    {89, 89, "dsInstytucje", "PLO_INSTYTUCJE", "T", "PLO_WNIOSKI"},
    {90, 90, "dsBeneficjent", "PLO_INSTYTUCJE", "T", "PLO_WNIOSKI"},
    {91, 102, "dsProfilWyd", "PLO_UDZIALY_ZRODEL_FINANS", "T", "PLO_WNIOSKI"},
    {103, 103, "dsZamPub", "PLO_ZAMOWIENIA_PUBLICZNE", "T", "PLO_WNIOSKI"},
};

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

QStringList years(int first, int last, const QString& prefix = {}) {
    QStringList out;
    for (int y = first; y <= last; ++y)
        out << prefix + QString::number(y);
    return out;
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

    void holds103RowsOnce() {
        QCOMPARE(mapping().recordCount(), 103);
        fillMappingTable(*fx.dm);
        QCOMPARE(mapping().recordCount(), 103);
        QCOMPARE(int(declaredMappingRows().size()), 103);
        // Nothing is cut to the column widths.
        const QList<Row> rows = tableRows(mapping());
        for (int i = 0; i < 103; ++i) {
            const MappingRow& d = declaredMappingRows()[size_t(i)];
            QCOMPARE(rows[i].columns, d.plo_kolumny);
            QCOMPARE(rows[i].nonBase, d.niebazowe);
            QCOMPARE(rows[i].condition, d.warunek);
        }
    }

    void rowsInStoredOrder() {
        const QList<Row> rows = tableRows(mapping());
        int at = 0;
        for (const Run& run : kRuns) {
            QCOMPARE(run.first, at + 1); // the runs leave no row out
            for (; at < run.last; ++at) {
                QVERIFY2(at < rows.size(), "fewer rows than listed");
                const Row& r = rows[at];
                const QByteArray where = QByteArray("row ") + QByteArray::number(at + 1);
                QVERIFY2(r.dsname == QLatin1String(run.dsname), where + " " + r.dsname.toUtf8());
                QVERIFY2(r.table == QLatin1String(run.table), where + " " + r.table.toUtf8());
                QVERIFY2(r.newRow == QLatin1String(run.newRow), where.constData());
                QVERIFY2(r.parent == QLatin1String(run.parent), where.constData());
            }
        }
        QCOMPARE(at, rows.size());
    }

    // Each yearly group: the year of its constant column, the amount field it takes and
    // the rows that carry the non-base list.
    void yearGroups_data() {
        QTest::addColumn<int>("firstRow");
        QTest::addColumn<QString>("yearColumn");
        QTest::addColumn<QStringList>("yearsInOrder");
        QTest::addColumn<QString>("amountColumn");
        QTest::addColumn<QStringList>("amountFields");
        QTest::addColumn<QString>("nonBase");
        QTest::newRow("revenue 3-20")
            << 3 << "PPJ_ROK" << years(2004, 2016) + years(1, 5) << "PPJ_KWOTA"
            << years(2004, 2016) + years(1, 5, "n_") << "Lp.";
        QTest::newRow("planned expenditure 21-33") << 21 << "WRP_ROK" << years(2004, 2016)
                                                   << "WRP_KWOTA" << years(2004, 2016) << "Id;Etap";
        QTest::newRow("sources of finance 34-46")
            << 34 << "ZFP_ROK" << years(2004, 2016) << "ZFP_KWOTA" << years(2004, 2016)
            << "Razem_pr;RAZEM";
        QTest::newRow("products 55-67")
            << 55 << "WWC_ROK" << years(2004, 2016) << "WWC_WARTOSC" << years(2004, 2016) << "";
        QTest::newRow("results 69-81")
            << 69 << "WWC_ROK" << years(2004, 2016) << "WWC_WARTOSC" << years(2004, 2016) << "";
        QTest::newRow("impacts 84-88")
            << 84 << "WWC_ROK" << years(2004, 2008) << "WWC_WARTOSC" << years(2004, 2008) << "";
        QTest::newRow("profile 47")
            << 47 << "UZF_ROK" << years(2004, 2004) << "UZF_KWOTA" << years(2004, 2004) << "RAZEM";
        QTest::newRow("profile 91-102")
            << 91 << "UZF_ROK" << years(2005, 2016) << "UZF_KWOTA" << years(2005, 2016) << "";
    }
    void yearGroups() {
        QFETCH(int, firstRow);
        QFETCH(QString, yearColumn);
        QFETCH(QStringList, yearsInOrder);
        QFETCH(QString, amountColumn);
        QFETCH(QStringList, amountFields);
        QFETCH(QString, nonBase);
        const QList<Row> rows = tableRows(mapping());
        for (int i = 0; i < yearsInOrder.size(); ++i) {
            const Row& r = rows[firstRow - 1 + i];
            QCOMPARE(valueOf(r.constants, yearColumn), yearsInOrder[i]);
            QCOMPARE(valueOf(r.columns, amountColumn), amountFields[i]);
            QCOMPARE(r.nonBase, i == 0 ? nonBase : QString());
        }
    }

    void percentColumnsFollowTheYear() {
        const QList<Row> rows = tableRows(mapping());
        for (int i = 0; i < 13; ++i)
            QCOMPARE(valueOf(rows[33 + i].columns, "ZFP_PROCENT"),
                     QString::number(2004 + i) + "_pr");
        for (int i = 0; i < 12; ++i)
            QCOMPARE(valueOf(rows[90 + i].columns, "UZF_PROCENT"),
                     QString::number(2005 + i) + "_pr");
        QCOMPARE(valueOf(rows[46].columns, "UZF_PROCENT"), QString("2004_pr"));
    }

    void applicationRowNonBaseEndsWithTheYearSwitches() {
        const QStringList nonBase = ApplicationXml::zrobliste(tableRows(mapping())[0].nonBase);
        QCOMPARE(nonBase.size(), 16 + 78);
        QCOMPARE(nonBase.first(), QString("pwd_nie_dot_4poz"));
        QCOMPARE(nonBase[15], QString("harm_okres_rezultat_tmp"));
        int at = 16;
        for (const char* family : {"tab6lprod", "tab6lrez", "tab6ltyp", "tab6m", "tab6n", "tab6o"})
            for (int y = 2004; y <= 2016; ++y)
                QCOMPARE(nonBase[at++], QLatin1String(family) + QString::number(y) + "v");
    }

    void conditionsLinkChildrenToParents_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("condition");
        QTest::newRow("expenditure")
            << 21 << "ds_nadrz=dsEtapyRealizacji;kol_nadrz=Lp;kol_pod=Etap";
        QTest::newRow("products") << 67 << "ds_nadrz=dsProdukty;kol_nadrz=lp.;kol_pod=lp.";
        QTest::newRow("results") << 69 << "ds_nadrz=dsRezultaty;kol_nadrz=lp.;kol_pod=lp.";
        QTest::newRow("impacts") << 88 << "ds_nadrz=dsOddz;kol_nadrz=lp.;kol_pod=lp.";
        QTest::newRow("no condition on the applicant") << 51 << "";
    }
    void conditionsLinkChildrenToParents() {
        QFETCH(int, row);
        QFETCH(QString, condition);
        QCOMPARE(tableRows(mapping())[row - 1].condition, condition);
    }

    void constantsOfTheInstitutionRows() {
        const QList<Row> rows = tableRows(mapping());
        QCOMPARE(rows[50].constants, QString("INS_RODZAJ=B"));
        QCOMPARE(rows[51].constants, QString("INS_RODZAJ=R"));
        QCOMPARE(rows[88].constants, QString("INS_RODZAJ=I"));
        QCOMPARE(rows[89].constants, QString());
        QCOMPARE(rows[2].constants, QString("PPJ_ROK=2004;PPJ_WAL_KOD=PLN"));
        QCOMPARE(rows[52].columns, QString("LPR_TYP_OBSZARU=umiejscowienie"));
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
    }

    void extendingTwiceAddsNothing() {
        extendMappingTable(*fx.dm);
        const QList<Row> once = tableRows(mapping());
        extendMappingTable(*fx.dm);
        const QList<Row> twice = tableRows(mapping());
        for (int i = 0; i < once.size(); ++i)
            QCOMPARE(twice[i].nonBase, once[i].nonBase);
    }

    void zrobliste_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("one") << "a" << QStringList{"a"};
        QTest::newRow("two") << "a;b" << QStringList{"a", "b"};
        QTest::newRow("trailing separator") << "a;b;" << QStringList{"a", "b"};
        QTest::newRow("empty piece kept") << "a;;b" << QStringList{"a", "", "b"};
        QTest::newRow("only the last empty piece dropped") << "a;;" << QStringList{"a", ""};
        QTest::newRow("leading separator") << ";a" << QStringList{"", "a"};
        QTest::newRow("separator alone") << ";" << QStringList{""};
    }
    void zrobliste() {
        QFETCH(QString, text);
        QFETCH(QStringList, pieces);
        QCOMPARE(ApplicationXml::zrobliste(text), pieces);
    }
};

QTEST_GUILESS_MAIN(TestMapping)
#include "tst_mapping.moc"
