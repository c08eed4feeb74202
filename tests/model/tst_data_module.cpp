// The data module as a whole: tables and data sources, the dictionaries it loads from
// slowniki.xml in their variants, the dictionary gate and the run-time code fields.
#include "tests/model/module_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray sampleDictionary() {
    QFile f(QStringLiteral(TOPAZ_EXAMPLES "/slowniki.xml"));
    if (!f.open(QIODevice::ReadOnly)) qFatal("sample dictionary missing");
    return f.readAll();
}

// A folder holding a slowniki.xml made from the sample by one byte-level replacement.
struct DictionaryFolder {
    QTemporaryDir dir;
    explicit DictionaryFolder(const QByteArray& content) {
        QFile f(dir.filePath(QStringLiteral("slowniki.xml")));
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            qFatal("cannot write dictionary");
    }
    static QByteArray replaced(const QByteArray& from, const QByteArray& to) {
        QByteArray d = sampleDictionary();
        if (!d.contains(from)) qFatal("sample lacks %s", from.constData());
        return d.replace(from, to);
    }
    QString path() const { return dir.path(); }
};

QStringList names(DataSet& t, const char* field) {
    QStringList out;
    for (int i = 1; i <= t.recordCount(); ++i)
        out << t.valueAt(i, t.field(QString::fromLatin1(field))).toString();
    return out;
}

} // namespace

class TestDataModule : public QObject {
    Q_OBJECT
private slots:
    // dictionaries
    void sampleDictionaryLoadsEveryTable();
    void nutsLevelsAreSortedByName();
    void identityComesFromTheRoot();
    void declaredAndGateFiltersHideCodes();
    void titleComparedExactly();
    void levelCountLimitsTheLevelsRead();
    void unknownAttributeIsAnError();
    void malformedOrMissingFileSetsTheError();
    void dictionaryWithoutTheProgrammeFailsTheGate();
    void otherCodePageParsesATemporaryCopy();
    // module
    void tablesFoundByNameInAnyCase();
    void codeTwinsOfTheRegionLookups();
    void lookupsResolveThroughFilteredDictionaries();
    void dataSourcesCarryTheirReactions();
    void stateAfterCreation();
};

void TestDataModule::sampleDictionaryLoadsEveryTable() {
    ModuleFixture fx;
    QVERIFY(!fx.dm->BladSlownika);
    // "PODMIOT_PROJEKTU" has rows but no table here: read, skipped, no error.
    QVERIFY(sampleDictionary().contains("nazwa=\"PODMIOT_PROJEKTU\""));
    QVERIFY(fx.dm->dictionaryTable("POD", 1) == nullptr);
    const QList<QPair<const char*, int>> counts{
        {"sl_NUTS1", 1}, {"sl_NUTS2", 16}, {"sl_NUTS3", 380}, {"sl_NUTS4", 2477}, {"sl_PWD1", 7},
        {"sl_PWD2", 13}, {"sl_PWD3", 45},  {"sl_PWD4", 12},   {"sl_INT2", 20},    {"sl_INT3", 84},
        {"sl_FPR1", 38}, {"sl_ZAT1", 0},   {"sl_ZAS1", 0},    {"sl_KWD1", 0},     {"sl_KWP1", 0}};
    for (const auto& [name, n] : counts)
        QCOMPARE(fx.t(name).recordCount(), n);
    // Filtered lists: count every row behind the filter too.
    for (const auto& [name, n] : QList<QPair<const char*, int>>{{"sl_INT1", 4},
                                                                {"sl_RPR1", 6},
                                                                {"sl_UPR1", 4},
                                                                {"sl_ZPU1", 8},
                                                                {"sl_RPC1", 6},
                                                                {"sl_WNS1", 6}}) {
        DataSet& t = fx.t(name);
        t.setFiltered(false);
        QCOMPARE(t.recordCount(), n);
    }
    // Typed values: the applicant's Nowogrodziec is a gmina of bolesławiecki.
    QVERIFY(fx.t("sl_NUTS4").locate(QStringLiteral("KOD"), QStringLiteral("0201043")));
    QCOMPARE(fx.f("sl_NUTS4", "NAZWA").asString(), QStringLiteral("Nowogrodziec"));
    QCOMPARE(fx.f("sl_NUTS4", "PARENT_ID").value().typeId(), QMetaType::Int);
    QVERIFY(fx.f("sl_NUTS1", "PARENT_ID").isNull()); // level 1 has no parent attribute
}

void TestDataModule::nutsLevelsAreSortedByName() {
    ModuleFixture fx;
    for (const char* t : {"sl_NUTS2", "sl_NUTS3", "sl_NUTS4"}) {
        const QStringList n = names(fx.t(t), "NAZWA");
        QStringList sorted = n;
        QCollator c{QLocale(QLocale::Polish, QLocale::Poland)};
        std::stable_sort(sorted.begin(), sorted.end(),
                         [&](const QString& a, const QString& b) { return c.compare(a, b) < 0; });
        QCOMPARE(n, sorted);
    }
    // Not by code: "lubelskie" (06) comes before "lubuskie" (08) and "łódzkie" (10) after both,
    // while "dolnośląskie" (02) is first.
    const QStringList woj = names(fx.t("sl_NUTS2"), "NAZWA");
    QCOMPARE(woj.first(), QString::fromUtf8("dolnośląskie"));
    QVERIFY(woj.indexOf("lubuskie") < woj.indexOf(QString::fromUtf8("łódzkie")));
    QVERIFY(woj.indexOf(QString::fromUtf8("łódzkie")) < woj.indexOf("mazowieckie"));
}

void TestDataModule::identityComesFromTheRoot() {
    ModuleFixture fx;
    QCOMPARE(fx.dm->WersjaSlownika, QStringLiteral("3.12"));
    QCOMPARE(fx.dm->DbidSlownika, QStringLiteral("1201"));
    QCOMPARE(fx.dm->SidSlownika, QStringLiteral("7"));
    QCOMPARE(fx.dm->WersjaSlownikaPliku, fx.dm->WersjaSlownika);
    QCOMPARE(fx.dm->DbidSlownikaPliku, fx.dm->DbidSlownika);
    QCOMPARE(fx.dm->SidSlownikaPliku, fx.dm->SidSlownika);
}

void TestDataModule::declaredAndGateFiltersHideCodes() {
    ModuleFixture fx;
    QCOMPARE(names(fx.t("sl_INT1"), "KOD"), QStringList({"3", "4"}));
    QCOMPARE(names(fx.t("sl_RPC1"), "WARTOSC"), QStringList({"A", "B", "C"}));
    QCOMPARE(names(fx.t("sl_WNS1"), "WARTOSC").size(), 3);
    QVERIFY(fx.dm->SprawdzSlownik());
    QCOMPARE(names(fx.t("sl_RPC1"), "WARTOSC"), QStringList({"A2", "B2", "C2"}));
    QStringList wns = names(fx.t("sl_WNS1"), "WARTOSC");
    wns.sort();
    QCOMPARE(wns, QStringList({"GPS2", "POS2", "PPS2"}));
    QStringList rpr = names(fx.t("sl_RPR1"), "WARTOSC");
    rpr.sort();
    QCOMPARE(rpr, QStringList({"DS", "IN", "RB", "S"}));
    QStringList upr = names(fx.t("sl_UPR1"), "WARTOSC");
    upr.sort();
    QCOMPARE(upr, QStringList({"OGN", "OM", "OR"}));
    QCOMPARE(fx.t("sl_ZPU1").recordCount(), 7); // "DK" stays hidden
}

void TestDataModule::titleComparedExactly() {
    DictionaryFolder d(DictionaryFolder::replaced("nazwa=\"Jednostki geograficzne NUTS\"",
                                                  "nazwa=\"Jednostki Geograficzne NUTS\""));
    ModuleFixture fx(d.path());
    QVERIFY(!fx.dm->BladSlownika);
    for (int level = 1; level <= 4; ++level)
        QCOMPARE(fx.dm->dictionaryTable("NUTS", level)->recordCount(), 0);
    QCOMPARE(fx.t("sl_PWD1").recordCount(), 7);
    QVERIFY(fx.dm->SprawdzSlownik());
}

void TestDataModule::levelCountLimitsTheLevelsRead() {
    DictionaryFolder d(
        DictionaryFolder::replaced("<SLOWNIK nazwa=\"Obszary interwencji\" poziomy=\"3\">",
                                   "<SLOWNIK nazwa=\"Obszary interwencji\" poziomy=\"2\">"));
    ModuleFixture fx(d.path());
    QVERIFY(!fx.dm->BladSlownika);
    QCOMPARE(fx.t("sl_INT2").recordCount(), 20);
    QCOMPARE(fx.t("sl_INT3").recordCount(), 0);
    // A level count that is not a number counts as 0: nothing of that dictionary is read.
    DictionaryFolder bad(
        DictionaryFolder::replaced("<SLOWNIK nazwa=\"Rodzaj formy prawnej\" poziomy=\"1\">",
                                   "<SLOWNIK nazwa=\"Rodzaj formy prawnej\" poziomy=\"jeden\">"));
    ModuleFixture fx2(bad.path());
    QVERIFY(!fx2.dm->BladSlownika);
    QCOMPARE(fx2.t("sl_FPR1").recordCount(), 0);
}

void TestDataModule::unknownAttributeIsAnError() {
    DictionaryFolder d(DictionaryFolder::replaced("<ATRYBUT nazwa=\"NAZWA\">POLSKA</ATRYBUT>",
                                                  "<ATRYBUT nazwa=\"NAZWA_PL\">POLSKA</ATRYBUT>"));
    ModuleFixture fx(d.path());
    QVERIFY(fx.dm->BladSlownika);
    QCOMPARE(fx.t("sl_PWD1").recordCount(), 0); // loading stopped at NUTS
    QVERIFY(!fx.dm->SprawdzSlownik());
    QVERIFY(!fx.ui.isBusyCursor()); // the cursor is restored in every case
}

void TestDataModule::malformedOrMissingFileSetsTheError() {
    QByteArray truncated = sampleDictionary();
    truncated.truncate(truncated.size() / 2);
    DictionaryFolder d(truncated);
    ModuleFixture fx(d.path());
    QVERIFY(fx.dm->BladSlownika);
    QVERIFY(!fx.dm->SprawdzSlownik());
    QVERIFY(fx.ui.shownTexts().isEmpty()); // no message at creation

    QTemporaryDir empty;
    ModuleFixture missing(empty.path());
    QVERIFY(missing.dm->BladSlownika);
    QCOMPARE(missing.t("sl_NUTS2").recordCount(), 0);
    QVERIFY(!missing.dm->SprawdzSlownik());
}

void TestDataModule::dictionaryWithoutTheProgrammeFailsTheGate() {
    DictionaryFolder d(DictionaryFolder::replaced("<ATRYBUT nazwa=\"PWD_KOD_ID\">SPOT</ATRYBUT>",
                                                  "<ATRYBUT nazwa=\"PWD_KOD_ID\">SPOX</ATRYBUT>"));
    ModuleFixture fx(d.path());
    QVERIFY(!fx.dm->BladSlownika); // creation succeeds
    QVERIFY(!fx.dm->SprawdzSlownik());
    // The filters are replaced whatever the result.
    QCOMPARE(names(fx.t("sl_RPC1"), "WARTOSC"), QStringList({"A2", "B2", "C2"}));
}

void TestDataModule::otherCodePageParsesATemporaryCopy() {
    const QString copy = QDir(QDir::tempPath()).filePath(QStringLiteral("slowniki.xml.tmp"));
    QFile::remove(copy);
    {
        ModuleFixture fx; // windows-1250: the file itself is parsed
        QVERIFY(!fx.dm->BladSlownika);
    }
    QVERIFY(!QFile::exists(copy));
    // A code page with another name: the declaration is rewritten in a temporary copy,
    // which is parsed and then deleted. The name here is still one libxml2 knows.
    qputenv("TOPAZ_SYSTEM_CODEPAGE", "CP1250");
    ModuleFixture fx;
    qunsetenv("TOPAZ_SYSTEM_CODEPAGE");
    QVERIFY(!fx.dm->BladSlownika);
    QCOMPARE(fx.t("sl_NUTS4").recordCount(), 2477);
    QVERIFY(fx.t("sl_NUTS2").locate(QStringLiteral("KOD"), QStringLiteral("02")));
    QCOMPARE(fx.f("sl_NUTS2", "NAZWA").asString(), QString::fromUtf8("dolnośląskie"));
    QVERIFY(!QFile::exists(copy));
}

void TestDataModule::tablesFoundByNameInAnyCase() {
    ModuleFixture fx;
    QCOMPARE(fx.dm->findTable("DSWNIOSEK"), &fx.t("dsWniosek"));
    QCOMPARE(fx.dm->dictionaryTable("nuts", 3), &fx.t("sl_NUTS3"));
    QVERIFY(fx.dm->findTable("dsNieMa") == nullptr);
    QVERIFY_THROWS_EXCEPTION(DataSetError, fx.dm->table("dsNieMa"));
    QCOMPARE(fx.f("dsBeneficjent", "ADR_GM_ID").name(), QStringLiteral("adr_gm_id"));
}

void TestDataModule::codeTwinsOfTheRegionLookups() {
    ModuleFixture fx;
    auto twins = [&](const char* table) {
        QStringList out;
        for (const auto& f : fx.t(table).fields())
            if (f->name().endsWith(QLatin1String("_kodRT")) && f->kind() == FieldKind::Lookup &&
                f->definition().lookupResultField == QLatin1String("KOD"))
                out << f->name();
        return out;
    };
    QCOMPARE(twins("dsBeneficjent").size(), 12);
    QCOMPARE(twins("dsInstytucje").size(), 3);
    QCOMPARE(twins("dsOsobyUpow").size(), 3);
    QVERIFY(twins("dsBeneficjent").contains("lkp_adr_woj_kodRT"));
    QVERIFY(!twins("dsBeneficjent").contains("Lkp_for_pr_kodRT")); // sl_FPR1 has no KOD
    // The twin returns the code of the same dictionary row.
    DataSet& b = fx.t("dsBeneficjent");
    b.append();
    b.field("adr_woj_id").setValue(2);
    QCOMPARE(b.field("lkp_adr_woj").asString(), QString::fromUtf8("dolnośląskie"));
    QCOMPARE(b.field("lkp_adr_woj_kodRT").asString(), QStringLiteral("02"));
    b.cancel();
}

void TestDataModule::lookupsResolveThroughFilteredDictionaries() {
    ModuleFixture fx;
    QVERIFY(fx.dm->SprawdzSlownik());
    DataSet& w = fx.t("dsWniosek");
    w.edit();
    w.field("zgod_row_szans").setValue("A2");
    QVERIFY(!w.field("lkp_zgod_row_szans").isNull());
    w.field("zgod_row_szans").setValue("A"); // hidden by the gate's filter
    QVERIFY(w.field("lkp_zgod_row_szans").isNull());
    w.field("rodz_proj").setValue("MI"); // never visible to this type
    QVERIFY(w.field("lkp_rodz_projektu").isNull());
    w.field("rodz_proj").setValue("RB");
    QCOMPARE(w.field("lkp_rodz_projektu").asString(), QStringLiteral("Roboty budowlane"));
    w.cancel();
    DataSet& poz = fx.t("dsPozWdr");
    QCOMPARE(poz.recordCount(), 1);
    QCOMPARE(poz.field("PWD_KOD_ID1").asString(), QStringLiteral("SPOT"));
    QCOMPARE(poz.field("lkp_pwd1").asString(),
             QStringLiteral("Sektorowy Program Operacyjny Transport na lata 2004-2006"));
}

void TestDataModule::dataSourcesCarryTheirReactions() {
    ModuleFixture fx;
    QCOMPARE(fx.dm->findDataSource("dsrWniosek")->dataSet(), &fx.t("dsWniosek"));
    QCOMPARE(fx.dm->findDataSource("dsrPlanWydatki")->dataSet(), &fx.t("dsPlanWydatki"));
    QCOMPARE(fx.dm->findDataSource("dsrRPR")->dataSet(), &fx.t("sl_RPR1"));
    QCOMPARE(fx.dm->findDataSource("dsr_RPC1")->dataSet(), &fx.t("sl_RPC1"));
    QCOMPARE(fx.dm->findDataSource("dsr_sl_KWD")->dataSet(), &fx.t("sl_KWD1"));
    QCOMPARE(fx.dm->findDataSource("dsr_sl_NUTS2")->dataSet(), &fx.t("sl_NUTS2"));

    int validationPokes = 0;
    fx.dm->onDataChangeWhileEditing = [&] { ++validationPokes; };
    auto postOne = [&](const char* table) {
        DataSet& t = fx.t(table);
        t.append();
        t.post();
    };
    fx.dm->Zmieniony = false;
    postOne("dsProdukty"); // update and data change
    QVERIFY(fx.dm->Zmieniony);
    QVERIFY(validationPokes > 0);

    fx.dm->Zmieniony = false;
    validationPokes = 0;
    postOne("dsZamPub"); // neither reaction
    postOne("dsPlanWydatki");
    QVERIFY(!fx.dm->Zmieniony);
    QCOMPARE(validationPokes, 0);

    postOne("dsEtapyRealizacji"); // data change only
    QVERIFY(!fx.dm->Zmieniony);
    QVERIFY(validationPokes > 0);
}

void TestDataModule::stateAfterCreation() {
    ModuleFixture fx;
    // Creation posts the main record; the gate that every export runs next clears the
    // flag again when it sets the implementation path.
    QVERIFY(fx.dm->SprawdzSlownik());
    QVERIFY(!fx.dm->Zmieniony);
    QVERIFY(!fx.dm->Wczytywanie);
    QVERIFY(!fx.dm->ValidationWarning);
    QCOMPARE(fx.dm->KwalifikacjaNowegoWydatku, QStringLiteral("T"));
    QVERIFY(!fx.ui.isBusyCursor());
    for (const auto& t : fx.dm->tables())
        if (t->name() != QLatin1String("dsKatPrzych"))
            QVERIFY2(t->isActive(), qPrintable(t->name()));
}

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_data_module.moc"
