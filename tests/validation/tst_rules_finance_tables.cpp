// The rules of the indicators, revenue, planned expenditure, the finance trees with the
// co-financing warning, and the attachments (85-106), over a whole module filled in as a
// user would.
#include "finance_rules_harness.h"

#include <QHash>
#include <QtTest>

using namespace FinanceRulesTest;

namespace {

// The attachment rule builds its messages, one per missing attachment.
const QHash<QString, QString>& attachmentMessages() {
    static const QHash<QString, QString> m = {
        {u("106.1"), u("Załącznik 1 - Biznes plan jest obligatoryjny")},
        {u("106.2"), u("Załącznik 2 - Ocena oddziaływania na środowisko - jest obligatoryjny")},
        {u("106.3"), u("Załącznik 7 - Mapy, szkice lokalizacyjne - jest obligatoryjny")},
        {u("106.4"), u("Załącznik 12 - Rachunek zysków i strat - jest obligatoryjny")},
        {u("106.5"), u("Załącznik 14 - Wypis z Krajowego Rejestru ... - jest obligatoryjny")},
        {u("106.6"), u("Załącznik 16 - Inne dokumenty załączone - brak wyszczególnienia")},
        {u("106.7"), u("Załącznik 17 - Zakres zadań - jest obligatoryjny")},
    };
    return m;
}

// "2005=10,2007=3": amounts typed into the current row.
void typeAmounts(DataSet& t, const QString& amounts) {
    for (const QString& a : amounts.split(QLatin1Char(','), Qt::SkipEmptyParts))
        t.field(a.section(QLatin1Char('='), 0, 0))
            .setValue(a.section(QLatin1Char('='), 1).toDouble());
}

// Rows of an indicator or revenue grid: "item|unit|amounts" (revenue: "category|amounts").
void addListRows(ModuleFixture& fx, const char* table, const char* itemField,
                 const QStringList& rows) {
    DataSet& t = fx.t(table);
    for (const QString& row : rows) {
        const QStringList parts = row.split(QLatin1Char('|'));
        t.append();
        t.field(u(itemField)).setValue(parts[0]);
        if (parts.size() == 3) t.field(u("Jedn_miary")).setValue(parts[1]);
        typeAmounts(t, parts.last());
        QVERIFY(t.post());
    }
}

void setDates(ModuleFixture& fx, const QString& start, const QString& physicalEnd) {
    setMain(fx, "harm_rozp_tmp", start);
    setMain(fx, "harm_rzecz_zak_tmp", physicalEnd);
}

constexpr int kEfrr = 2, kStateBudget = 4; // Ids of the tree rows
const char* const kLimitPrefix =
    "Maksimum współfinansowania z Funduszy Strukturalnych przekracza 75% w ";

// A case of the indicator and revenue rules: what differs from priority 1, works ending in
// May 2006, one product and one result within the years.
struct IndicatorCase {
    bool technicalAssistance = false;
    bool complete = true;
    QString physicalEnd = QStringLiteral("05.2006");
    QStringList switches = {}; // year switches turned on
    QString projectType = QStringLiteral("N");
    // "item|unit|amounts"; revenue "item|amounts"
    QStringList products = {}, results = {}, impacts = {}, revenue = {};
    QStringList rules = {};
};

void addTrees() {
    QTest::addColumn<QString>("tree");
    QTest::newRow("sources") << u("dsZrodlaFin");
    QTest::newRow("profile") << u("dsProfilWyd");
}

} // namespace

Q_DECLARE_METATYPE(IndicatorCase)

class TestRulesFinanceTables : public QObject {
    Q_OBJECT

private slots:
    // ---------------------------------------------------------------- 85-95 indicators, revenue

    void indicatorsRevenue_data() {
        QTest::addColumn<IndicatorCase>("c");
        auto row = [](const char* name, const IndicatorCase& c) { QTest::newRow(name) << c; };
        row("nothing entered", {.complete = false, .rules = {"85", "86"}});
        row("technical assistance needs no results",
            {.technicalAssistance = true, .complete = false, .rules = {"85"}});
        row("complete", {});
        row("product without unit", {.products = {"Most||2005=1"}, .rules = {"87"}});
        row("product after the end year", {.products = {"Droga|km|2007=3"}, .rules = {"88a"}});
        row("product before the start year", {.products = {"Droga|km|2004=3"}, .rules = {"88b"}});
        row("2009 switched off is not used",
            {.physicalEnd = "12.2008", .products = {"Droga|km|2009=3"}});
        row("2009 switched on after a 2008 end", {.physicalEnd = "12.2008",
                                                  .switches = {"tab6lprod2009"},
                                                  .products = {"Droga|km|2009=3"},
                                                  .rules = {"88a"}});
        row("another grid's switch does not count", {.physicalEnd = "12.2008",
                                                     .switches = {"tab6lrez2009"},
                                                     .products = {"Droga|km|2009=3"}});
        row("no physical end, no end year", {.physicalEnd = "", .products = {"Droga|km|2007=3"}});
        row("result without name", {.results = {"|min|2005=2"}, .rules = {"89"}});
        row("result before the start year", {.results = {"Czas|min|2004=2"}, .rules = {"90"}});
        row("results may outlast the project", {.results = {"Czas|min|2007=2"}});
        row("impact without unit", {.impacts = {"Ruch||2005=1"}, .rules = {"91"}});
        row("impact before the start year", {.impacts = {"Ruch|poj|2004=1"}, .rules = {"92"}});
        row("impacts: only 2004-2008", {.impacts = {"Ruch|poj|2004=0,2010=1"}});
        row("no project type", {.projectType = "", .rules = {"93"}});
        row("revenue project without revenue", {.projectType = "D", .rules = {"94"}});
        row("revenue without category",
            {.projectType = "D", .revenue = {"Bilety|2005=100", "|2006=5"}, .rules = {"94"}});
        row("revenue before the start year",
            {.projectType = "D", .revenue = {"Bilety|2004=100"}, .rules = {"95"}});
        row("revenue after the project", {.projectType = "D", .revenue = {"Bilety|2007=100"}});
    }
    void indicatorsRevenue() {
        QFETCH(IndicatorCase, c);
        ModuleFixture fx;
        QVERIFY(fx.dm->UstawPWD(u("SPOT"), c.technicalAssistance ? u("3") : u("1")));
        setDates(fx, u("01.2005"), c.physicalEnd);
        for (const QString& s : c.switches)
            setYearSwitch(fx, s.left(s.size() - 4).toLatin1().constData(), s.right(4).toInt(),
                          true);
        setMain(fx, "typ_projektu", c.projectType);
        if (c.complete) {
            addListRows(fx, "dsProdukty", "Produkt", {u("Długość drogi|km|2005=10")});
            addListRows(fx, "dsRezultaty", "Rezultat", {u("Czas przejazdu|min|2006=5")});
        }
        addListRows(fx, "dsProdukty", "Produkt", c.products);
        addListRows(fx, "dsRezultaty", "Rezultat", c.results);
        addListRows(fx, "dsOddz", "Oddzialywanie", c.impacts);
        addListRows(fx, "dsKatPrzych", "Kategoria_przychodu", c.revenue);

        const Outcome out = runFinanceRules(fx, 85, 95);
        QCOMPARE(out.lines(), withMessages(c.rules));
        QCOMPARE(out.passed, c.rules.isEmpty());
    }

    // ---------------------------------------------------------------- 96-97 planned expenditure

    void plannedExpenditure_data() {
        QTest::addColumn<int>("stages"); // each brings an eligible and a non-eligible row
        QTest::addColumn<int>("row");    // the eligible row filled in (Id), 0: none
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("amounts");
        QTest::addColumn<QStringList>("switches"); // tab6m years turned on
        QTest::addColumn<QStringList>("rules");
        QTest::addColumn<int>("endRecord"); // where the walk leaves the table
        const QStringList later = {"2009", "2010", "2011", "2012", "2013", "2014", "2015", "2016"};
        auto row = [](const char* name, int stages, int row, const char* category,
                      const char* amounts, const QStringList& switches, const QStringList& rules,
                      int endRecord) {
            QTest::newRow(name) << stages << row << (*category ? QString(category) : QString())
                                << amounts << switches << rules << endRecord;
        };
        row("no stage, no expenditure", 0, 0, "", "", {}, {}, -1);
        row("a new stage's empty eligible row", 1, 0, "", "", {}, {"96"}, 1);
        row("category and amount", 1, 1, "Roboty", "2005=1000", {}, {}, 2);
        row("amount without category", 1, 1, "", "2005=1000", {}, {"96"}, 1);
        row("the walk stops at the faulty row", 2, 1, "Roboty", "2005=1000", {}, {"96"}, 3);
        row("zeros, later years off", 1, 1, "Roboty", "", {}, {}, 2);
        row("zeros, 2009-2016 on", 1, 1, "Roboty", "", later, {"96"}, 1);
        row("zeros, 2009 off, 2010-2016 on", 1, 1, "Roboty", "", later.mid(1), {}, 2);
        row("zeros but 2016, all on", 1, 1, "Roboty", "2016=1", later, {"97"}, 2);
        row("amount after the end year", 1, 1, "Roboty", "2007=5", {}, {"97"}, 2);
    }
    void plannedExpenditure() {
        QFETCH(int, stages);
        QFETCH(int, row);
        QFETCH(QString, category);
        QFETCH(QString, amounts);
        QFETCH(QStringList, switches);
        QFETCH(QStringList, rules);
        QFETCH(int, endRecord);
        ModuleFixture fx;
        setDates(fx, u("01.2005"), u("05.2006"));
        for (const QString& year : switches)
            setYearSwitch(fx, "tab6m", year.toInt(), true);
        for (int s = 1; s <= stages; ++s)
            addStage(fx, "Etap", "03.2005", "05.2006");
        DataSet& plan = fx.t("dsPlanWydatki");
        QCOMPARE(plan.recordCount(), 2 * stages);
        if (row > 0) {
            QVERIFY(plan.locate(u("Id"), row));
            plan.edit();
            plan.field(u("Kategoria")).setValue(category);
            typeAmounts(plan, amounts);
            QVERIFY(plan.post());
        }
        plan.first();

        const Outcome out = runFinanceRules(fx, 96, 97);
        QCOMPARE(out.lines(), withMessages(rules));
        QCOMPARE(plan.recNo(), endRecord);
        QVERIFY(!plan.controlsDisabled());
    }

    // ---------------------------------------------------------------- 98-100, 102-104 finance
    // trees

    void financeTrees_data() {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<bool>("unnamedRow"); // a row added under "inne" without a name
        QTest::addColumn<QString>("amounts"); // typed into "budżet państwa"
        QTest::addColumn<bool>("switch2009");
        QTest::addColumn<int>(
            "offset"); // the failing rule: 0 no name, 1 after end, 2 before start; -1 none
        for (const char* tree : {"dsZrodlaFin", "dsProfilWyd"}) {
            const QString t = u(tree);
            QTest::addRow("%s: fixed rows", tree) << t << false << QString() << false << -1;
            QTest::addRow("%s: unnamed row", tree) << t << true << QString() << false << 0;
            QTest::addRow("%s: within the years", tree)
                << t << false << u("2005=10,2006=20") << false << -1;
            QTest::addRow("%s: after the end year", tree)
                << t << false << u("2007=10") << false << 1;
            QTest::addRow("%s: before the start year", tree)
                << t << false << u("2004=10") << false << 2;
            QTest::addRow("%s: 2009 switched off", tree)
                << t << false << u("2009=10") << false << -1;
            QTest::addRow("%s: 2009 switched on", tree) << t << false << u("2009=10") << true << 1;
        }
    }
    void financeTrees() {
        QFETCH(QString, tree);
        QFETCH(bool, unnamedRow);
        QFETCH(QString, amounts);
        QFETCH(bool, switch2009);
        QFETCH(int, offset);
        ModuleFixture fx;
        const bool sources = tree == u("dsZrodlaFin");
        setDates(fx, u("01.2005"), u("05.2006"));
        if (switch2009) setYearSwitch(fx, sources ? "tab6n" : "tab6o", 2009, true);
        DataSet& t = fx.dm->table(tree);
        if (unnamedRow) {
            t.locate(u("Id"), 11);
            t.insert();
            t.field(u("par_id")).setValue(10);
            QVERIFY(t.post());
        }
        if (!amounts.isEmpty()) {
            QVERIFY(t.locate(u("Id"), kStateBudget));
            t.edit();
            typeAmounts(t, amounts);
            QVERIFY(t.post());
        }

        const Outcome out = runFinanceRules(fx, 98, 105);
        const QStringList rules = offset < 0
                                      ? QStringList()
                                      : QStringList{QString::number((sources ? 98 : 102) + offset)};
        QCOMPARE(out.lines(), withMessages(rules));
    }

    // ---------------------------------------------------------------- 101, 105 co-financing

    void coFinancing_data() {
        QTest::addColumn<QString>("tree");
        QTest::addColumn<QString>("efrr");   // amounts of the Regional Development Fund
        QTest::addColumn<QString>("budget"); // and of the state budget
        QTest::addColumn<QString>("years");  // the message's year list; empty: no warning
        for (const char* tree : {"dsZrodlaFin", "dsProfilWyd"}) {
            const QString t = u(tree);
            QTest::addRow("%s: 75%% every year", tree)
                << t << u("2004=750,2005=750,2006=75,2007=7.5,2008=750")
                << u("2004=250,2005=250,2006=25,2007=2.5,2008=250") << QString();
            QTest::addRow("%s: 75.01%% and 80%%", tree)
                << t << u("2005=7501,2007=800") << u("2005=2499,2007=200") << u("2005, 2007");
            QTest::addRow("%s: exactly 75%% is not listed", tree)
                << t << u("2004=750,2005=76") << u("2004=250,2005=24") << u("2005");
            QTest::addRow("%s: 75.0001%%", tree)
                << t << u("2006=750001") << u("2006=249999") << u("2006");
            QTest::addRow("%s: 100%% without national funds", tree)
                << t << u("2008=10") << QString() << u("2008");
        }
    }
    void coFinancing() {
        QFETCH(QString, tree);
        QFETCH(QString, efrr);
        QFETCH(QString, budget);
        QFETCH(QString, years);
        ModuleFixture fx;
        DataSet& t = fx.dm->table(tree);
        for (const auto& [id, amounts] :
             {std::pair{kEfrr, efrr}, std::pair{kStateBudget, budget}}) {
            if (amounts.isEmpty()) continue;
            QVERIFY(t.locate(u("Id"), id));
            t.edit();
            typeAmounts(t, amounts);
            QVERIFY(t.post());
        }
        t.last();

        const Outcome out = runFinanceRules(fx, 96, 105);
        const bool sources = tree == u("dsZrodlaFin");
        const QStringList lines =
            years.isEmpty()
                ? QStringList()
                : QStringList{u(sources ? "101 " : "105 ") + u(kLimitPrefix) + years + u(" roku.")};
        QCOMPARE(out.lines(), lines);
        QVERIFY(out.passed); // a warning leaves the result alone
        QCOMPARE(out.warning, !years.isEmpty());
        QCOMPARE(fx.dm->ValidationWarning, !years.isEmpty());
        QCOMPARE(t.recNo(), 2); // the fund's row stays current
    }

    void coFinancingSwitchesAndFund_data() { addTrees(); }
    void coFinancingSwitchesAndFund() {
        QFETCH(QString, tree);
        ModuleFixture fx;
        const char* prefix = tree == u("dsZrodlaFin") ? "tab6n" : "tab6o";
        setYearSwitch(fx, prefix, 2009, true);
        setTreeAmount(fx, tree.toLatin1().constData(), kEfrr, 2009, 100.0);
        QCOMPARE(runFinanceRules(fx, 96, 105).window.findings().size(), 1);

        setYearSwitch(fx, prefix, 2009, false); // the year removed: its shares no longer count
        QVERIFY(runFinanceRules(fx, 96, 105).window.findings().isEmpty());

        setYearSwitch(fx, prefix, 2009, true);
        DataSet& t = fx.dm->table(tree);
        QVERIFY(t.locate(u("Id"), kEfrr));
        t.edit();
        t.field(u("Zrodlo")).setValue(u("Europejski Fundusz Rozwoju Regionalnego (EFRR)"));
        QVERIFY(t.post());
        const Outcome out = runFinanceRules(fx, 96, 105);
        QVERIFY(out.window.findings().isEmpty()); // no fund row: nothing to compare
        QVERIFY(!out.warning);
    }

    // ---------------------------------------------------------------- 106 attachments

    void attachments_data() {
        QTest::addColumn<bool>("technicalAssistance");
        QTest::addColumn<QString>("kind");        // rodz_proj
        QTest::addColumn<QString>("legalForm");   // for_pr_kod
        QTest::addColumn<QStringList>("answers"); // dsPolaSpec "field=value" after the kind
        QTest::addColumn<bool>("loading");
        QTest::addColumn<QStringList>("rules");
        auto row = [](const char* name, bool technicalAssistance, const char* kind,
                      const char* legalForm, const QStringList& answers, const QStringList& rules,
                      bool loading = false) {
            QTest::newRow(name) << technicalAssistance << kind << legalForm << answers << loading
                                << rules;
        };
        const QStringList otherDocuments{"ZALINDOKRT=T", "ZALINDOKUT=T", "ZALINDOKDT=T"};
        row("works, answers as created", false, "RB", "", {}, {});
        row("works without report and maps", false, "RB", "", {"ZALOCSRODRT=N", "ZALMAPYRT=N"},
            {"106.2", "106.3"});
        row("no business plan", false, "RB", "", {"ZALBIZPLRT=N"}, {"106.1"});
        row("services take the answers over", false, "S", "", {}, {});
        row("technical assistance drops the business plan", true, "S", "16", {"ZALBIZPLUT=N"}, {});
        row("unless the applicant is a company", true, "S", "24", {"ZALBIZPLUT=N"}, {"106.1"});
        row("companies: profit and loss, register", false, "RB", "25",
            {"ZALRZSRT=N", "ZALWYPKRSRT=N"}, {"106.4", "106.5"});
        row("other legal forms need neither", false, "RB", "16", {"ZALRZSRT=N", "ZALWYPKRSRT=N"},
            {});
        row("kind IN: no business plan, company papers still", true, "IN", "24", {},
            {"106.4", "106.5"});
        row("other documents without a list", false, "RB", "", otherDocuments, {"106.6"}, true);
        row("other documents listed", false, "RB", "",
            otherDocuments + QStringList{"ZALWYKINNEDOK=Mapa"}, {}, true);
        row("technical assistance services without the scope", true, "S", "", {"ZALZAKZADUT=N"},
            {"106.7"});
        row("other services without the scope", false, "S", "", {"ZALZAKZADUT=N"}, {});
    }
    void attachments() {
        QFETCH(bool, technicalAssistance);
        QFETCH(QString, kind);
        QFETCH(QString, legalForm);
        QFETCH(QStringList, answers);
        QFETCH(bool, loading);
        QFETCH(QStringList, rules);
        ModuleFixture fx;
        QVERIFY(fx.dm->UstawPWD(u("SPOT"), technicalAssistance ? u("3") : u("1")));
        setMain(fx, "rodz_proj", kind); // a new priority empties the kind
        if (!legalForm.isEmpty()) setValue(fx, "dsBeneficjent", "for_pr_kod", legalForm);
        fx.dm->Wczytywanie = loading;
        for (const QString& a : answers)
            setValue(fx, "dsPolaSpec", a.section(QLatin1Char('='), 0, 0).toLatin1().constData(),
                     a.section(QLatin1Char('='), 1));
        fx.dm->Wczytywanie = false;

        FindingList window;
        ValidationRun run(*fx.dm, window);
        QCOMPARE(CheckAttachments(run), rules.isEmpty());
        QCOMPARE(Outcome{window}.lines(), withMessages(rules, attachmentMessages()));
    }
};

QTEST_GUILESS_MAIN(TestRulesFinanceTables)
#include "tst_rules_finance_tables.moc"
