// The data module as a whole: tables and data sources, the dictionaries it loads from
// slowniki.xml in their variants, the dictionary gate and the run-time code fields.
#include "tests/model/module_fixture.h"
#include "tests/test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace ModuleTest;

const QString kSample = QStringLiteral(TOPAZ_EXAMPLES "/slowniki.xml");

class TestDataModule : public QObject {
    Q_OBJECT
    // The module converts a dictionary through a copy in the temporary folder; a folder of
    // the unit's own keeps other units running at the same time out of the check below.
    QTemporaryDir temp_;
private slots:
    void initTestCase() { qputenv("TMPDIR", QFile::encodeName(temp_.path())); }
    // The sample dictionary and damaged or altered copies of it: what is read, whether the
    // loader reports an error and whether the gate passes. Creation never shows a message
    // and always restores the cursor.
    void dictionaryVariants_data() {
        QTest::addColumn<QByteArrayList>("edit"); // text, replacement; "" alone: no file
        QTest::addColumn<QByteArray>("codePage");
        QTest::addColumn<bool>("error");
        QTest::addColumn<bool>("gate");
        QTest::addColumn<QStringList>("counts"); // "table=rows" after the gate, filters off
        auto row = [](const char* name, const QByteArrayList& edit, bool error, bool gate,
                      const QStringList& counts, const char* codePage = "") {
            QTest::newRow(name) << edit << QByteArray(codePage) << error << gate << counts;
        };
        row("sample", {}, false, true,
            {"sl_NUTS1=1", "sl_NUTS2=16", "sl_NUTS3=380", "sl_NUTS4=2477", "sl_PWD1=7",
             "sl_PWD2=13", "sl_PWD3=45",  "sl_PWD4=12",   "sl_INT1=4",     "sl_INT2=20",
             "sl_INT3=84", "sl_FPR1=38",  "sl_RPR1=6",    "sl_UPR1=4",     "sl_ZPU1=8",
             "sl_RPC1=6",  "sl_WNS1=6",   "sl_ZAT1=0",    "sl_ZAS1=0",     "sl_KWD1=0",
             "sl_KWP1=0"});
        // Another code page: the declaration is rewritten in a temporary copy.
        row("another code page", {}, false, true, {"sl_NUTS4=2477"}, "CP1250");
        row("title compared exactly",
            {"nazwa=\"Jednostki geograficzne NUTS\"", "nazwa=\"Jednostki Geograficzne NUTS\""},
            false, true, {"sl_NUTS1=0", "sl_NUTS4=0", "sl_PWD1=7"});
        row("fewer levels",
            {"<SLOWNIK nazwa=\"Obszary interwencji\" poziomy=\"3\">",
             "<SLOWNIK nazwa=\"Obszary interwencji\" poziomy=\"2\">"},
            false, true, {"sl_INT2=20", "sl_INT3=0"});
        // A hostile level count loads the levels that exist, at once (see the time bound).
        row("level count of a billion",
            {"<SLOWNIK nazwa=\"Jednostki geograficzne NUTS\" poziomy=\"4\">",
             "<SLOWNIK nazwa=\"Jednostki geograficzne NUTS\" poziomy=\"00000000000961041859\">"},
            false, true, {"sl_NUTS1=1", "sl_NUTS4=2477"});
        // The first element of a level number counts; later ones are not read.
        row("level repeated",
            {"<POZIOM numer=\"2\">", "<POZIOM numer=\"3\"></POZIOM><POZIOM numer=\"2\">"}, false,
            true, {"sl_NUTS2=16", "sl_NUTS3=0", "sl_INT2=20", "sl_INT3=0"});
        row("level count not a number",
            {"<SLOWNIK nazwa=\"Rodzaj formy prawnej\" poziomy=\"1\">",
             "<SLOWNIK nazwa=\"Rodzaj formy prawnej\" poziomy=\"jeden\">"},
            false, true, {"sl_FPR1=0"});
        row("unknown attribute",
            {"<ATRYBUT nazwa=\"NAZWA\">POLSKA</ATRYBUT>",
             "<ATRYBUT nazwa=\"NAZWA_PL\">POLSKA</ATRYBUT>"},
            true, false, {"sl_PWD1=0"});
        row("without the programme",
            {"<ATRYBUT nazwa=\"PWD_KOD_ID\">SPOT</ATRYBUT>",
             "<ATRYBUT nazwa=\"PWD_KOD_ID\">SPOX</ATRYBUT>"},
            false, false, {"sl_PWD1=7"});
        // Read as it streams: a fault after the first dictionaries leaves none of them loaded.
        row("truncated", {"</SLOWNIKI>", ""}, true, false, {"sl_NUTS1=0", "sl_NUTS2=0"});
        row("value in pieces",
            {"<ATRYBUT nazwa=\"PWD_KOD_ID\">SPOT</ATRYBUT>",
             "<ATRYBUT nazwa=\"PWD_KOD_ID\">S<x>P</x><![CDATA[O]]>&#84;</ATRYBUT>"},
            false, true, {"sl_PWD1=7"});
        row("missing", {""}, true, false, {"sl_NUTS2=0"});
    }
    void dictionaryVariants() {
        QFETCH(QByteArrayList, edit);
        QFETCH(QByteArray, codePage);
        QFETCH(bool, error);
        QFETCH(bool, gate);
        QFETCH(QStringList, counts);
        QTemporaryDir dir;
        if (edit != QByteArrayList{""}) {
            QByteArray d = TestSupport::readAll(kSample);
            if (!edit.isEmpty()) {
                QVERIFY(d.contains(edit[0]));
                d = edit[1].isEmpty() ? d.left(d.indexOf(edit[0]) / 2)
                                      : d.replace(edit[0], edit[1]);
            }
            QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("slowniki.xml")), d));
        }
        const QString copy = QDir(QDir::tempPath()).filePath(QStringLiteral("slowniki.xml.tmp"));
        if (!codePage.isEmpty()) qputenv("TOPAZ_SYSTEM_CODEPAGE", codePage);
        QElapsedTimer clock;
        clock.start();
        ModuleFixture fx(dir.path());
        qunsetenv("TOPAZ_SYSTEM_CODEPAGE");
        // Whatever the dictionary says, creating the module takes well under a few seconds.
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed()) + " ms"));
        QVERIFY(!QFile::exists(copy));
        QCOMPARE(fx.dm->BladSlownika, error);
        QVERIFY(fx.ui.shownTexts().isEmpty());
        QCOMPARE(fx.dm->SprawdzSlownik(), gate);
        // The gate replaces the filters whatever its result.
        if (!error) QCOMPARE(column(fx.t("sl_RPC1"), "WARTOSC"), QStringList({"A2", "B2", "C2"}));
        QVERIFY(!fx.ui.isBusyCursor());
        for (const QString& c : counts) {
            DataSet& t = fx.dm->table(c.section('=', 0, 0));
            t.setFiltered(false);
            QVERIFY2(t.recordCount() == c.section('=', 1).toInt(),
                     qPrintable(c + " != " + QString::number(t.recordCount())));
        }
    }
    void loadedSample() {
        ModuleFixture fx;
        // "PODMIOT_PROJEKTU" has rows but no table here: read, skipped, no error.
        QVERIFY(TestSupport::readAll(kSample).contains("nazwa=\"PODMIOT_PROJEKTU\""));
        QVERIFY(fx.dm->dictionaryTable("POD", 1) == nullptr);
        QCOMPARE(fx.dm->dictionaryTable("nuts", 3), &fx.t("sl_NUTS3"));
        QCOMPARE(fx.dm->findTable("DSWNIOSEK"), &fx.t("dsWniosek"));
        QVERIFY_THROWS_EXCEPTION(DataSetError, fx.dm->table("dsNieMa"));
        // Identity from the root; the file's identity starts equal to it.
        QCOMPARE(fx.dm->WersjaSlownika + fx.dm->DbidSlownika + fx.dm->SidSlownika,
                 QStringLiteral("3.1212017"));
        QCOMPARE(fx.dm->WersjaSlownikaPliku + fx.dm->DbidSlownikaPliku + fx.dm->SidSlownikaPliku,
                 QStringLiteral("3.1212017"));
        // Typed values: Nowogrodziec is a gmina of bolesławiecki.
        QVERIFY(fx.t("sl_NUTS4").locate(QStringLiteral("KOD"), QStringLiteral("0201043")));
        QCOMPARE(fx.f("sl_NUTS4", "NAZWA").asString(), QStringLiteral("Nowogrodziec"));
        QCOMPARE(fx.f("sl_NUTS4", "PARENT_ID").value().typeId(), QMetaType::Int);
        QVERIFY(fx.f("sl_NUTS1", "PARENT_ID").isNull());
        // Regions sorted by their Polish names, not by code.
        for (const char* t : {"sl_NUTS2", "sl_NUTS3", "sl_NUTS4"}) {
            const QStringList n = column(fx.t(t), "NAZWA");
            QStringList byName = n;
            QCollator c{QLocale(QLocale::Polish, QLocale::Poland)};
            std::stable_sort(byName.begin(), byName.end(), [&](const QString& a, const QString& b) {
                return c.compare(a, b) < 0;
            });
            QCOMPARE(n, byName);
        }
        // The flat lists start with their declared filters, which let exactly the listed codes
        // through; the gate's filters replace some of them, the declared filter of sl_ZPU1
        // stays ("DK" hidden); nothing is marked changed.
        fx.play({"?values sl_INT1.KOD=3 4", "?values sl_WNS1.WARTOSC=GPS POS PPS",
                 "?values sl_RPC1.WARTOSC=A B C", "?sl_ZPU1#7", "gate",
                 "?values sl_WNS1.WARTOSC=GPS2 POS2 PPS2", "?values sl_RPR1.WARTOSC=DS IN RB S",
                 "?values sl_UPR1.WARTOSC=OGN OM OR", "?sl_ZPU1#7", "?!changed", "?!warning"});
        QVERIFY(!fx.dm->Wczytywanie);
        QCOMPARE(fx.dm->KwalifikacjaNowegoWydatku, QStringLiteral("T"));
        for (const auto& t : fx.dm->tables())
            if (t->name() != QLatin1String("dsKatPrzych"))
                QVERIFY2(t->isActive(), qPrintable(t->name()));
    }
    // Every lookup names a data field of its own table and an existing dictionary column; the
    // code twins ("..._kodRT") look up the KOD of their dictionary, where it has one (sl_FPR1
    // has none).
    void lookups() {
        ModuleFixture fx;
        QMap<QString, int> twins;
        for (const auto& t : fx.dm->tables())
            for (const auto& f : t->fields()) {
                if (f->kind() != FieldKind::Lookup) continue;
                const FieldDef& d = f->definition();
                const Field* key = t->findField(d.keyField);
                const DataSet* dict = fx.dm->findTable(d.lookupDataSet);
                QVERIFY2(key && key->kind() == FieldKind::Data && dict &&
                             dict->findField(d.lookupKeyField) &&
                             dict->findField(d.lookupResultField),
                         qPrintable(t->name() + u'.' + f->name()));
                if (f->name().endsWith(u"_kodRT") && d.lookupResultField == u"KOD")
                    ++twins[t->name()];
            }
        QCOMPARE(twins, (QMap<QString, int>{
                            {"dsBeneficjent", 12}, {"dsInstytucje", 3}, {"dsOsobyUpow", 3}}));
        // The lookups of a typed code; after the gate, a code its filter hides ("A") or one
        // never visible to this type ("MI") looks up nothing.
        fx.play({"+dsBeneficjent", "dsBeneficjent.adr_woj_id=2",
                 "?dsBeneficjent.lkp_adr_woj=dolnośląskie", "?dsBeneficjent.lkp_adr_woj_kodRT=02",
                 "cancel dsBeneficjent", "gate", "dsWniosek.zgod_row_szans=A2",
                 "?!dsWniosek.lkp_zgod_row_szans", "dsWniosek.zgod_row_szans=A",
                 "?dsWniosek.lkp_zgod_row_szans", "dsWniosek.rodz_proj=MI",
                 "?dsWniosek.lkp_rodz_projektu", "dsWniosek.rodz_proj=RB",
                 "?dsWniosek.lkp_rodz_projektu=Roboty budowlane", "cancel dsWniosek",
                 "?dsPozWdr.lkp_pwd1=Sektorowy Program Operacyjny Transport na lata 2004-2006"});
    }
    void dataSourcesCarryTheirReactions() {
        ModuleFixture fx;
        QCOMPARE(fx.dm->findDataSource("dsrWniosek")->dataSet(), &fx.t("dsWniosek"));
        QCOMPARE(fx.dm->findDataSource("dsr_sl_NUTS2")->dataSet(), &fx.t("sl_NUTS2"));
        int validationPokes = 0;
        fx.dm->onDataChangeWhileEditing = [&] { ++validationPokes; };
        // Table posted, whether it marks a change, whether validation is poked.
        const QList<std::tuple<const char*, bool, bool>> cases{{"dsProdukty", true, true},
                                                               {"dsZamPub", false, false},
                                                               {"dsPlanWydatki", false, false},
                                                               {"dsEtapyRealizacji", false, true}};
        for (const auto& [table, changes, pokes] : cases) {
            fx.dm->Zmieniony = false;
            validationPokes = 0;
            fx.t(table).append();
            fx.t(table).post();
            QVERIFY2(fx.dm->Zmieniony == changes, table);
            QVERIFY2((validationPokes > 0) == pokes, table);
        }
    }
};

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_data_module.moc"
