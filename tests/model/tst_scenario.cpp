// One application edited from start to end the way a user fills in the form, checking
// after each step every value that the module's rules derive from the input.
#include "tests/model/module_fixture.h"

#include <QtTest>

namespace {

void set(DataSet& t, const char* field, const QVariant& v) {
    if (!t.isEditing()) t.edit();
    t.field(QString::fromLatin1(field)).setValue(v);
}

double amount(DataSet& tree, int id, const QString& column) {
    if (!tree.locate(QStringLiteral("Id"), id)) return -1;
    return tree.field(column).asFloat();
}

void enter(DataSet& tree, int id, int year, double value) {
    QVERIFY(tree.locate(QStringLiteral("Id"), id));
    tree.edit();
    tree.field(QString::number(year)).setValue(value);
    tree.post();
}

QStringList visible(DataSet& t, const char* field) {
    QStringList out;
    for (int i = 1; i <= t.recordCount(); ++i)
        out << t.valueAt(i, t.field(QString::fromLatin1(field))).toString();
    return out;
}

} // namespace

class TestScenario : public QObject {
    Q_OBJECT
private slots:
    void wholeApplication();
};

void TestScenario::wholeApplication() {
    ModuleFixture fx;
    TdmDataSets& dm = *fx.dm;
    QVERIFY(dm.SprawdzSlownik());
    DataSet& w = fx.t("dsWniosek");
    QVERIFY(w.field("rodz_proj").asString().isEmpty()); // the gate's programme emptied the kind

    // Programme levels: priority 1 hides the kind "IN", technical assistance (3) shows it.
    QVERIFY(dm.UstawPWD("SPOT", "1", "1.1", "1.1.1"));
    DataSet& poz = fx.t("dsPozWdr");
    QCOMPARE(poz.field("PWD_KOD_ID3").asString(), QStringLiteral("1.1"));
    QCOMPARE(poz.field("PWD_ID").asInteger(), poz.field("PWD_ID4").asInteger());
    QVERIFY(!visible(fx.t("sl_RPR1"), "WARTOSC").contains("IN"));
    QVERIFY(dm.UstawPWD("SPOT", "3"));
    QVERIFY(visible(fx.t("sl_RPR1"), "WARTOSC").contains("IN"));
    QVERIFY(poz.field("PWD_ID3").isNull()); // the lower levels went with the old priority
    QVERIFY(dm.UstawPWD("SPOT", "1", "1.1", "1.1.1"));

    // Project kind "RB": the works column of the attachment list.
    set(w, "rodz_proj", "RB");
    w.post();
    QCOMPARE(w.field("lkp_rodz_projektu").asString(), QStringLiteral("Roboty budowlane"));
    QCOMPARE(fx.f("dsPolaSpec", "ZALMAPYRT").asString(), QStringLiteral("T"));
    QVERIFY(fx.ui.isControlEnabled("dsPolaSpec", "ZALMAPYRT"));
    QVERIFY(!fx.ui.isControlEnabled("dsPolaSpec", "ZALMAPYDT"));

    // Regions of the applicant: another voivodeship empties the county and the commune.
    DataSet& b = fx.t("dsBeneficjent");
    set(b, "adr_woj_id", 2);
    set(b, "adr_pow_id", 18);
    set(b, "adr_gm_id", 401);
    b.post();
    QCOMPARE(b.field("lkp_adr_gm").asString(), QStringLiteral("Nowogrodziec"));
    QCOMPARE(b.field("lkp_adr_woj_kodRT").asString(), QStringLiteral("02"));
    set(b, "adr_woj_id", 8);
    b.post();
    QVERIFY(b.field("adr_pow_id").isNull());
    QVERIFY(b.field("adr_gm_id").isNull());
    QCOMPARE(b.field("lkp_adr_woj").asString(), QStringLiteral("mazowieckie"));

    // Schedule months become dates.
    set(w, "harm_rozp_tmp", "03-2005");
    set(w, "harm_rzecz_zak_tmp", "13-2006");
    w.post();
    QCOMPARE(w.field("harm_rozp").asDate(), QDate(2005, 3, 1));
    QVERIFY(w.field("harm_rzecz_zak").isNull());

    // Sources of finance in 2005 and 2007, with 2007 switched off before its amount.
    DataSet& zr = fx.t("dsZrodlaFin");
    enter(zr, 2, 2005, 3000);
    enter(zr, 4, 2005, 1000);
    enter(zr, 9, 2005, 1000);
    QCOMPARE(amount(zr, 1, "2005"), 4000.0);
    QCOMPARE(amount(zr, 3, "2005"), 1000.0);
    QCOMPARE(amount(zr, 8, "2005"), 1000.0);
    QCOMPARE(amount(zr, 11, "2005"), 5000.0);
    QCOMPARE(amount(zr, 2, "2005_pr"), 60.0);
    QCOMPARE(amount(zr, 4, "2005_pr"), 20.0);
    QCOMPARE(amount(zr, 11, "2005_pr"), 100.0);
    QCOMPARE(amount(zr, 11, "Razem_pr"), 100.0);
    set(w, "tab6n2007v", "N");
    w.post();
    enter(zr, 4, 2007, 500);
    QCOMPARE(amount(zr, 3, "2007"), 0.0);     // a hidden year is not summed up the tree
    QCOMPARE(amount(zr, 4, "RAZEM"), 1500.0); // but counts in the row's own total
    QCOMPARE(amount(zr, 11, "RAZEM"), 5000.0);
    QCOMPARE(amount(zr, 4, "Razem_pr"), 30.0);
    // A row added under "inne" and removed again.
    QVERIFY(zr.append());
    set(zr, "par_id", 10);
    set(zr, "Zrodlo", QStringLiteral("fundusz gminny"));
    set(zr, "2005", 1000.0);
    zr.post();
    QCOMPARE(amount(zr, 10, "2005"), 1000.0);
    QCOMPARE(amount(zr, 11, "2005"), 6000.0);
    QCOMPARE(amount(zr, 2, "2005_pr"), 50.0);
    QVERIFY(zr.locate("par_id", 10));
    QVERIFY(zr.deleteRecord());
    QCOMPARE(amount(zr, 10, "2005"), 0.0);
    QCOMPARE(amount(zr, 11, "2005"), 5000.0);
    QVERIFY(zr.locate("Id", 4));
    QVERIFY(!zr.deleteRecord()); // refused silently
    QCOMPARE(zr.recordCount(), 12);

    // Stages with planned expenditure.
    DataSet& etapy = fx.t("dsEtapyRealizacji");
    DataSet& plan = fx.t("dsPlanWydatki");
    for (const auto& [from, to] :
         {std::pair{"03-2005", "12-2005"}, std::pair{"01-2006", "10-2006"}}) {
        QVERIFY(etapy.append());
        set(etapy, "ZAKRES_PRAC", QStringLiteral("Etap"));
        set(etapy, "TERMIN_ROZP_TMP", from);
        set(etapy, "TERMIN_ZAK_TMP", to);
        QVERIFY(etapy.post());
    }
    QCOMPARE(visible(etapy, "Lp"), QStringList({"1", "2"}));
    QCOMPARE(visible(plan, "Etap"), QStringList({"1", "1", "2", "2"}));
    QCOMPARE(visible(plan, "CZY_KWALIFIKOWANE"), QStringList({"T", "N", "T", "N"}));
    plan.setRecNo(4); // stage 2, "N": a new row takes its qualification
    QVERIFY(plan.append());
    set(plan, "Etap", 1);
    set(plan, "Kategoria", QStringLiteral("VAT"));
    QVERIFY(plan.post());
    QCOMPARE(visible(plan, "Etap"), QStringList({"1", "1", "1", "2", "2"}));
    QCOMPARE(visible(plan, "CZY_KWALIFIKOWANE"), QStringList({"T", "N", "N", "T", "N"}));
    QCOMPARE(visible(plan, "Kategoria").at(2), QStringLiteral("VAT"));
    // Deleting stage 1 asks, and with Yes takes its expenditure along.
    fx.ui.queueAnswer(MessageResult::Yes);
    etapy.setRecNo(1);
    QVERIFY(etapy.deleteRecord());
    QCOMPARE(fx.ui.shownTexts().last(),
             QString::fromUtf8(
                 "Usunięcie etapu spowoduje usunięcie wydatków (punkt 6m niniejszego wniosku) "
                 "przypisanych do tego etapu.\r\nCzy na pewno chcesz usunąć etap?"));
    QCOMPARE(visible(etapy, "Lp"), QStringList({"1"}));
    QCOMPARE(visible(plan, "Etap"), QStringList({"1", "1"}));
    QCOMPARE(visible(plan, "Id"), QStringList({"1", "2"}));

    // Public aid: answered "yes", then "not applicable".
    set(w, "zgod_pom_pub_korzystal", "T");
    w.post();
    DataSet& aid = fx.t("dsPomocPub");
    QVERIFY(aid.isActive());
    QVERIFY(aid.append());
    QCOMPARE(aid.field("Lp.").asInteger(), 1);
    QCOMPARE(aid.field("Kwota_pomocy").asFloat(), 0.0);
    aid.post();
    set(w, "zgod_pom_pub_nie_dot", "T");
    w.post();
    QCOMPARE(w.field("zgod_pom_pub_korzystal").asString(), QStringLiteral("N"));
    QVERIFY(w.field("zgod_pom_pub_korzystal").isReadOnly());
    QVERIFY(!aid.isActive());

    // Public procurement: started procedure, then not applicable.
    set(w, "zgod_zam_pub_rozp", "N");
    set(w, "zgod_zam_pub_data_rozp", QDate(2005, 5, 1));
    w.post();
    QVERIFY(fx.ui.isControlEnabled("dsWniosek", "zgod_zam_pub_data_rozp"));
    QVERIFY(!fx.ui.isControlEnabled("dsWniosek", "zgod_zam_pub_nr_ogl"));
    set(w, "zgod_zam_pub_nie_dot", "T");
    w.post();
    QVERIFY(w.field("zgod_zam_pub_rozp").isNull());
    QVERIFY(w.field("zgod_zam_pub_rozp").isReadOnly());
    QVERIFY(!fx.ui.isControlEnabled("dsWniosek", "lkp_zgod_zam_pub"));
    DataSet& zam = fx.t("dsZamPub");
    QVERIFY(zam.append());
    QCOMPARE(zam.field("lp").asInteger(), 1);
    QCOMPARE(zam.field("zgod_zam_pub_rozp").asString(), QStringLiteral("T"));
    set(zam, "zgod_zam_pub_data_rozp", QDate(2005, 1, 1));
    set(zam, "zgod_zam_pub_rozp", "T"); // a started procedure has no planned start
    QVERIFY(zam.field("zgod_zam_pub_data_rozp").isNull());
    zam.post();

    // Revenue opens with the project type.
    set(w, "typ_projektu", "D");
    w.post();
    QVERIFY(fx.t("dsKatPrzych").isActive());
    QVERIFY(dm.Zmieniony);
}

QTEST_GUILESS_MAIN(TestScenario)
#include "tst_scenario.moc"
