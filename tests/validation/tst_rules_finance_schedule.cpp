// The rules of the public-funds totals, the schedule with its stages, public aid and
// public procurement (2-3, 25-49), run over a whole module filled in as a user would.
#include "finance_rules_harness.h"

#include <QHash>
#include <QtTest>

using namespace FinanceRulesTest;

namespace {

const char* const kNoStages = "Należy wypełnić dane o etapach realizacji Projektu";
const char* const kStageEndBeforeStart =
    "W polu \"Termin zakończenia\" dla poszczególnych etapów realizacji Projektu nie może być "
    "wcześniejsza data niż w  polu \"Termin rozpoczęcia\"";
const char* const kStageEndAfterProject =
    "W polu \"Termin zakończenia\" dla poszczególnych etapów realizacji Projektu nie może być "
    "poźniejsza data niż w  polu \"Termin rzeczowego zakończenia Projektu\"";

// The procurement walks build their messages themselves.
const QHash<QString, QString>& procurementMessages() {
    static const QHash<QString, QString> m = {
        {u("47"), u("Informacja o zamówieniach publicznych jest niekompletna")},
        {u("48a"), u("Pole \"Przybliżone rozpoczęcie procedury nie moze byc późniejsze niz "
                     "rzeczczowy termin zakończenia projektu\" ")},
        {u("48b"), u("Pole \"Rozpoczęcie procedury nie moze byc późniejsze niz rzeczczowy termin "
                     "zakończenia projektu\" ")},
        {u("49.1"), u("Zamówienia publiczne - brak trybu postępowania.")},
        {u("49.2"), u("Zamówienia publiczne - data ogłoszenia postępowania musi być wypełniona.")},
        {u("49.3"),
         u("Zamówienia publiczne - w polu \"Planowany termin rzeczowego zakończenia projektu\" nie "
           "może znajdować się data wcześniejsza niż w polu \"Data ogłoszenia postępowania\"")},
        {u("49.4"),
         u("Zamówienia publiczne - data rozpoczęcia procedury przetargowej musi być wypełniona.")},
        {u("49.5"), u("Zamówienia publiczne - w polu \"Planowany termin rzeczowego zakończenia "
                      "projektu\" nie może znajdować się data wcześniejsza niż w polu \"Data "
                      "rozpoczęcia procedury przetargowej\"")},
    };
    return m;
}

// A schedule that every schedule rule accepts: the project from January 2005, works from
// March 2005 to May 2006, the last contract settled in July 2006, results in December 2006.
void fillSchedule(ModuleFixture& fx) {
    setMain(fx, "harm_rozp_tmp", u("01.2005"));
    setMain(fx, "harm_rzecz_rozp_tmp", u("03.2005"));
    setMain(fx, "harm_rzecz_zak_tmp", u("05.2006"));
    setMain(fx, "harm_fin_zak_tmp", u("07.2006"));
    setMain(fx, "harm_okres_rezultat_tmp", u("12.2006"));
    addStage(fx, "Roboty budowlane", "03.2005", "05.2006");
}

// "field=value" changes of dsWniosek (see setValue).
void applyChanges(ModuleFixture& fx, const QStringList& changes) {
    for (const QString& change : changes) {
        const QString name = change.section(QLatin1Char('='), 0, 0);
        setMain(fx, name.toLatin1().constData(), change.section(QLatin1Char('='), 1));
    }
}

// A procurement record as its repeating panel enters it: "mode|started|start date|announced".
void addProcedure(ModuleFixture& fx, const QString& spec) {
    const QStringList parts = spec.split(QLatin1Char('|'));
    DataSet& t = fx.t("dsZamPub");
    t.append();
    t.field(u("zgod_zam_pub")).setValue(parts[0]);
    t.field(u("zgod_zam_pub_rozp")).setValue(parts[1]);
    if (!parts[2].isEmpty())
        t.field(u("zgod_zam_pub_data_rozp")).setValue(QDate::fromString(parts[2], Qt::ISODate));
    if (!parts[3].isEmpty())
        t.field(u("zgod_zam_pub_data_ogl")).setValue(QDate::fromString(parts[3], Qt::ISODate));
    QVERIFY(t.post());
}

// A case of the procurement rules: the works end in May 2006 unless physicalEnd says
// otherwise; records are "mode|started|start date|announced".
struct ProcurementCase {
    bool technicalAssistance = false;
    QString physicalEnd = QStringLiteral("05.2006"); // harm_rzecz_zak_tmp
    QString harmZak = {};                            // no control of its own
    QStringList records = {};
    QStringList rules = {};
    int endRecord = -1; // where the walks leave dsZamPub
};

} // namespace

Q_DECLARE_METATYPE(ProcurementCase)

class TestRulesFinanceSchedule : public QObject {
    Q_OBJECT

private slots:
    // ---------------------------------------------------------------- 2-3 public funds

    void publicTotals_data() {
        QTest::addColumn<double>("profileAmount"); // in "budżet państwa", 2005
        QTest::addColumn<double>("sourcesAmount");
        QTest::addColumn<QString>("profileTopRow"); // Zrodlo of the profile's row 1
        QTest::addColumn<QStringList>("findings");
        QTest::newRow("nothing entered")
            << 0.0 << 0.0 << u("Publiczne") << withMessages({u("2"), u("3")});
        QTest::newRow("both entered") << 1000.0 << 250.0 << u("Publiczne") << QStringList();
        QTest::newRow("negative totals pass") << -5.0 << -1.0 << u("Publiczne") << QStringList();
        QTest::newRow("only the sources entered")
            << 0.0 << 250.0 << u("Publiczne") << withMessages({u("2")});
        QTest::newRow("no exact Publiczne row")
            << 0.0 << 0.0 << u("Publiczne ") << withMessages({u("3")});
    }
    void publicTotals() {
        QFETCH(double, profileAmount);
        QFETCH(double, sourcesAmount);
        QFETCH(QString, profileTopRow);
        QFETCH(QStringList, findings);
        ModuleFixture fx;
        if (profileAmount != 0.0) setTreeAmount(fx, "dsProfilWyd", 4, 2005, profileAmount);
        if (sourcesAmount != 0.0) setTreeAmount(fx, "dsZrodlaFin", 4, 2005, sourcesAmount);
        DataSet& profile = fx.t("dsProfilWyd");
        profile.first();
        set(profile, {{"Zrodlo", profileTopRow}});
        fx.t("dsZrodlaFin").locate(u("Id"), 10);

        const Outcome out = runFinanceRules(fx, 2, 3);
        QCOMPARE(out.lines(), findings);
        QCOMPARE(out.passed, findings.isEmpty());
        QCOMPARE(fx.t("dsZrodlaFin").recNo(), 1); // the located row stays current
        QVERIFY(!fx.t("dsZrodlaFin").controlsDisabled());
    }

    // ---------------------------------------------------------------- 25-41 schedule dates

    void scheduleDates_data() {
        QTest::addColumn<bool>("filled");         // start from the accepted schedule
        QTest::addColumn<QStringList>("changes"); // then change dsWniosek fields
        QTest::addColumn<QStringList>("rules");
        auto row = [](const char* name, const QStringList& changes, const QStringList& rules,
                      bool filled = true) { QTest::newRow(name) << filled << changes << rules; };
        row("nothing entered", {}, {"25", "26", "27", "28", "29", "30", "31", "32"}, false);
        row("accepted schedule", {}, {});
        row("December 2003", {"harm_rozp_tmp=12.2003", "harm_rzecz_rozp_tmp=12.2003"},
            {"33", "34"});
        row("January 2004 is early enough",
            {"harm_rozp_tmp=01.2004", "harm_rzecz_rozp_tmp=01.2004"}, {});
        row("project starts after the works, the settlement, the results",
            {"harm_rozp_tmp=08.2006", "harm_okres_rezultat_tmp=07.2006"}, {"35", "38", "39"});
        row("project starts after harm_zak", {"harm_zak=2004-06-01"}, {"36"});
        row("works start after their end", {"harm_rzecz_rozp_tmp=06.2006"}, {"37"});
        // The end plus three calendar months, the day kept or cut back.
        row("31 May + 3 months < 1 September",
            {"harm_rzecz_zak=2006-05-31", "harm_fin_zak=2006-09-01"}, {"40"});
        row("31 May + 3 months = 31 August",
            {"harm_rzecz_zak=2006-05-31", "harm_fin_zak=2006-08-31"}, {});
        row("30 November + 3 months < 1 March",
            {"harm_rzecz_zak=2006-11-30", "harm_fin_zak=2007-03-01"}, {"40"});
        row("30 November + 3 months = 28 February",
            {"harm_rzecz_zak=2006-11-30", "harm_fin_zak=2007-02-28"}, {});
        row("settled before the end", {"harm_fin_zak_tmp=04.2006"}, {"41"});
        row("no settlement date counts as the earliest", {"harm_fin_zak_tmp="}, {"28", "41"});
        row("an unreadable month is no date", {"harm_rozp_tmp=13.2005"}, {"25"});
    }
    void scheduleDates() {
        QFETCH(bool, filled);
        QFETCH(QStringList, changes);
        QFETCH(QStringList, rules);
        ModuleFixture fx;
        if (filled) fillSchedule(fx);
        applyChanges(fx, changes);

        const Outcome out = runFinanceRules(fx, 25, 41);
        QCOMPARE(out.lines(), withMessages(rules));
        QCOMPARE(out.passed, rules.isEmpty());
    }

    // A file may hold stages without dates or description (the stage grid refuses them).
    void loadedStageWithoutValues() {
        ModuleFixture fx;
        fillSchedule(fx);
        fx.dm->Wczytywanie = true;
        DataSet& stages = fx.t("dsEtapyRealizacji");
        stages.append();
        stages.field(u("TERMIN_ROZP_TMP")).setValue(u("04.2005"));
        QVERIFY(stages.post());
        fx.dm->Wczytywanie = false;

        const Outcome out = runFinanceRules(fx, 25, 42);
        QCOMPARE(out.lines(),
                 withMessages({u("30"), u("32")}) +
                     expected({{"42", kStageEndBeforeStart}})); // no end: the earliest date
    }

    // ---------------------------------------------------------------- 42 CheckStages

    void stages_data() {
        QTest::addColumn<QStringList>("stages"); // "start|end" month texts
        QTest::addColumn<QStringList>("findings");
        QTest::newRow("no stage") << QStringList() << expected({{"42", kNoStages}});
        QTest::newRow("stages within the works")
            << QStringList{u("03.2005|12.2005"), u("01.2006|05.2006")} << QStringList();
        QTest::newRow("the first faulty stage ends the walk")
            << QStringList{u("03.2005|12.2005"), u("06.2005|04.2005"), u("05.2005|01.2005"),
                           u("01.2006|09.2006")}
            << expected({{"42", kStageEndBeforeStart}});
        QTest::newRow("a stage ending after the works")
            << QStringList{u("03.2005|06.2006")} << expected({{"42", kStageEndAfterProject}});
        QTest::newRow("a stage beginning after the works")
            << QStringList{u("07.2006|08.2006")} << expected({{"42", kStageEndAfterProject}});
    }
    void stages() {
        QFETCH(QStringList, stages);
        QFETCH(QStringList, findings);
        ModuleFixture fx;
        setMain(fx, "harm_rzecz_zak_tmp", u("05.2006"));
        for (const QString& s : stages)
            addStage(fx, "Etap", s.section(QLatin1Char('|'), 0, 0).toLatin1().constData(),
                     s.section(QLatin1Char('|'), 1, 1).toLatin1().constData());
        DataSet& table = fx.t("dsEtapyRealizacji");
        if (table.recordCount() > 1) table.setRecNo(2);
        const int current = table.recNo();

        FindingList window;
        ValidationRun run(*fx.dm, window);
        QCOMPARE(CheckStages(run), findings.isEmpty());
        QCOMPARE(Outcome{window}.lines(), findings);
        QCOMPARE(table.recNo(), current); // the walk returns to the stage that was current
        QVERIFY(!table.controlsDisabled());
        const QHash<QString, QString> targets{
            {u(kNoStages), u("dsWniosek.harm_rzecz_rozp_tmp e1000112")},
            {u(kStageEndBeforeStart), u("dsEtapyRealizacji.TERMIN_ZAK e10000113")},
            {u(kStageEndAfterProject), u("dsWniosek.harm_rzecz_zak_tmp e1000114")}};
        QStringList want;
        for (const Finding& f : window.findings())
            want << targets.value(f.message);
        QCOMPARE(Outcome{window}.targets(), want);
    }

    // ---------------------------------------------------------------- 45-46 public aid

    void publicAid_data() {
        QTest::addColumn<QString>("notApplicable");
        QTest::addColumn<QString>("received");
        QTest::addColumn<QStringList>("aid"); // "date|title" rows
        QTest::addColumn<QStringList>("findings");
        auto row = [](const char* name, const char* notApplicable, const char* received,
                      const QStringList& aid, const char* rule) {
            QTest::newRow(name) << notApplicable << received << aid
                                << (*rule ? withMessages({u(rule)}) : QStringList());
        };
        row("unanswered", "", "", {}, "45");
        row("not applicable", "T", "", {}, "");
        row("applicable, unanswered", "N", "", {}, "45");
        row("none received", "N", "N", {}, "");
        row("received, no aid listed", "N", "T", {}, "46");
        row("received and listed", "N", "T", {"2004-05-10|Dotacja"}, "");
        row("an aid without a title", "N", "T", {"2004-05-10|Dotacja", "2004-06-01|"}, "46");
        row("an aid without a date", "N", "T", {"|Dotacja"}, "46");
    }
    void publicAid() {
        QFETCH(QString, notApplicable);
        QFETCH(QString, received);
        QFETCH(QStringList, aid);
        QFETCH(QStringList, findings);
        ModuleFixture fx;
        if (!notApplicable.isEmpty()) setMain(fx, "zgod_pom_pub_nie_dot", notApplicable);
        if (!received.isEmpty()) setMain(fx, "zgod_pom_pub_korzystal", received);
        DataSet& t = fx.t("dsPomocPub");
        for (const QString& row : aid) {
            t.append();
            const QString date = row.section(QLatin1Char('|'), 0, 0);
            if (!date.isEmpty())
                t.field(u("Data_udz_pom")).setValue(QDate::fromString(date, Qt::ISODate));
            t.field(u("Tytul_pomocy")).setValue(row.section(QLatin1Char('|'), 1, 1));
            QVERIFY(t.post());
        }

        const Outcome out = runFinanceRules(fx, 45, 46);
        QCOMPARE(out.lines(), findings);
    }

    // ---------------------------------------------------------------- 47-49 procurement

    void procurement_data() {
        QTest::addColumn<ProcurementCase>("c");
        auto row = [](const char* name, const ProcurementCase& c) { QTest::newRow(name) << c; };
        row("no procedure", {.rules = {"47"}});
        row("technical assistance without procedures", {.technicalAssistance = true, .rules = {}});
        row("technical assistance skips faulty procedures", {.technicalAssistance = true,
                                                             .physicalEnd = "",
                                                             .records = {"|N|2007-01-01|"},
                                                             .endRecord = 1});
        row("complete procedures",
            {.records = {"PN|N|2005-04-01|", "PO|T||2005-06-01"}, .rules = {}, .endRecord = 2});
        row("no physical end: every dated record",
            {.physicalEnd = "",
             .records = {"PN|N|2005-04-01|", "PO|T||2005-06-01"},
             .rules = {"48a", "48b"},
             .endRecord = 2});
        row("started after the physical end",
            {.records = {"PN|N|2006-06-01|", "PO|T||2006-05-01", "ZOC|T||2006-07-01"},
             .rules = {"48a", "48b"},
             .endRecord = 3});
        row("only the first failure of the second walk",
            {.records = {"|T||2005-06-01", "PN|N||"}, .rules = {"49.1"}, .endRecord = 1});
        row("not started, no start date",
            {.records = {"PN|N|2005-04-01|", "PN|N||", "|N||"}, .rules = {"49.2"}, .endRecord = 2});
        row("not started, starting after harm_zak", {.harmZak = "2005-03-31",
                                                     .records = {"PN|N|2005-04-01|"},
                                                     .rules = {"49.3"},
                                                     .endRecord = 1});
        row("started, no announcement", {.records = {"PO|T||"}, .rules = {"49.4"}, .endRecord = 1});
        row("started, announced after harm_zak", {.harmZak = "2005-05-31",
                                                  .records = {"PO|T||2005-06-01"},
                                                  .rules = {"49.5"},
                                                  .endRecord = 1});
        row("announced on harm_zak", {.harmZak = "2005-06-01",
                                      .records = {"PO|T||2005-06-01"},
                                      .rules = {},
                                      .endRecord = 1});
    }
    void procurement() {
        QFETCH(ProcurementCase, c);
        ModuleFixture fx;
        QVERIFY(fx.dm->UstawPWD(u("SPOT"), c.technicalAssistance ? u("3") : u("1")));
        setMain(fx, "harm_rzecz_zak_tmp", c.physicalEnd);
        setMain(fx, "harm_zak", c.harmZak);
        for (const QString& r : c.records)
            addProcedure(fx, r);
        fx.t("dsZamPub").first();

        const Outcome out = runFinanceRules(fx, 47, 49);
        QCOMPARE(out.lines(), withMessages(c.rules, procurementMessages()));
        QCOMPARE(out.passed, c.rules.isEmpty());
        QCOMPARE(fx.t("dsZamPub").recNo(), c.endRecord);
    }
};

QTEST_GUILESS_MAIN(TestRulesFinanceSchedule)
#include "tst_rules_finance_schedule.moc"
