// The rules of the yearly tables on a whole data module: finance trees, planned
// expenditure with its stages, indicators and revenue.
#include "model/finance_percent.h"
#include "module_fixture.h"

#include <QDate>
#include <QtTest>

#include <numeric>

using namespace ModuleTest;

namespace {

const QString kNoStage =
    u("Aby dodać planowane wydatki, należy najpierw wypełnić punkt 3 w Harmonogramie realizacji "
      "Projektu (6k) niniejszego wniosku.");
const QString kBadStart = u("Nieprawidłowa data rozpoczęcia etapu.");
const QString kBadEnd = u("Nieprawidłowa data zakończenia etapu.");
const QString kNegative = u("Wartość nie może być ujemna.");

// Shares are stored rounded: no fuzz allowed.
#define QCOMPARE_EXACT(actual, expected)                                                           \
    QVERIFY2(double(actual) == double(expected),                                                   \
             qPrintable(QStringLiteral("%1 != %2")                                                 \
                            .arg(double(actual), 0, 'g', 17)                                       \
                            .arg(double(expected), 0, 'g', 17)))

void setFlag(ModuleFixture& fx, const QString& flag, const QString& value = u("T")) {
    set(fx.t("dsWniosek"), {{qPrintable(flag), value}});
}

QVariant raw(const DataSet& t, int id, const char* field) {
    return t.lookup(u("Id"), id, u(field));
}
double at(const DataSet& t, int id, const char* field) {
    return raw(t, id, field).toDouble();
}

void setAmounts(DataSet& t, int id, std::initializer_list<std::pair<const char*, double>> values) {
    QVERIFY(t.locate(u("Id"), id));
    t.edit();
    for (const auto& [year, v] : values)
        t.field(u(year)).setValue(v);
    QVERIFY(t.post());
}

// A row under "inne", added the way the tree grid adds it (before "OGÓŁEM").
int addOwnSource(DataSet& t, double amount2007) {
    t.locate(u("Id"), 11);
    t.insert();
    t.field(u("par_id")).setValue(10);
    t.field(u("2007")).setValue(amount2007);
    t.post();
    return int(t.field(u("Id")).asInteger());
}

// Expenditure rows in table order as stage + kind ("1T"); "*" marks the category "nowy".
QStringList layout(const DataSet& plan) {
    QStringList out;
    for (int rec = 1; rec <= plan.recordCount(); ++rec) {
        const bool marked = plan.valueAt(rec, plan.field(u("Kategoria"))).toString() == u("nowy");
        out << plan.valueAt(rec, plan.field(u("Etap"))).toString() +
                   plan.valueAt(rec, plan.field(u("CZY_KWALIFIKOWANE"))).toString() +
                   (marked ? u("*") : QString());
    }
    return out;
}

void addTreeTables() {
    QTest::addColumn<QString>("table");
    QTest::newRow("sources") << u("dsZrodlaFin");
    QTest::newRow("profile") << u("dsProfilWyd");
}

} // namespace

class TestFinanceRules : public QObject {
    Q_OBJECT

private slots:
    // ---------------------------------------------------------------- finance trees

    void sumsClimbTheTree_data() { addTreeTables(); }
    void sumsClimbTheTree() {
        QFETCH(QString, table);
        ModuleFixture fx;
        DataSet& t = fx.dm->table(table);
        QCOMPARE(t.recordCount(), 12);
        QCOMPARE(raw(t, 5, "2008"), QVariant(0.0)); // shown years start at 0, hidden ones empty
        QVERIFY(!raw(t, 5, "2009").isValid());
        setAmounts(t, 12, {{"2005", 500.0}}); // the EBI memo line is no part of the total
        setAmounts(t, 4, {{"2005", 1000.0}});

        for (int id : {4, 3, 1, 11})
            QCOMPARE(at(t, id, "2005"), 1000.0);
        QCOMPARE(at(t, 11, "RAZEM"), 1000.0);
        QCOMPARE(at(t, 8, "2005"), 0.0);
        QCOMPARE(at(t, 4, "2005_pr"), 100.0);
        QCOMPARE(at(t, 4, "Razem_pr"), 100.0);
        QCOMPARE(at(t, 11, "2005_pr"), 100.0);
        QCOMPARE(at(t, 2, "2005_pr"), 0.0);
        QCOMPARE(at(t, 12, "2005_pr"), 50.0); // still a share of the grand total
        for (int id = 1; id <= 12; ++id) {    // nothing in 2006: shares 0, no division error
            QVERIFY(raw(t, id, "2006_pr").isValid());
            QCOMPARE_EXACT(at(t, id, "2006_pr"), 0.0);
        }
        QCOMPARE(t.state(), DataSetState::Browse);
        QCOMPARE(t.recNo(), 4); // back on the row the user posted

        // While loading, the profile shows the stored total, the sources compute theirs.
        fx.dm->Wczytywanie = true;
        QCOMPARE(raw(t, 4, "RAZEM").isValid(), table == u("dsZrodlaFin"));
        fx.dm->Wczytywanie = false;
    }

    void yearVisibility_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("flag"); // empty: none set
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("year");
        QTest::addColumn<bool>("shown");
        auto row = [](const char* name, const char* table, const char* flag, const char* value,
                      int year, bool shown) {
            QTest::newRow(name) << u(table) << u(flag) << u(value) << year << shown;
        };
        row("sources, 2009 hidden", "dsZrodlaFin", "", "", 2009, false);
        row("sources, 2009 shown", "dsZrodlaFin", "tab6n2009v", "T", 2009, true);
        row("sources, only the profile shows 2009", "dsZrodlaFin", "tab6o2009v", "T", 2009, false);
        row("profile, 2009 shown", "dsProfilWyd", "tab6o2009v", "T", 2009, true);
        // A file that brings a blank flag leaves the year at its default.
        row("blank flag, 2008 shown", "dsZrodlaFin", "tab6n2008v", "", 2008, true);
        row("blank flag, 2009 hidden", "dsZrodlaFin", "tab6n2009v", "", 2009, false);
        row("other letter, 2008 shown", "dsProfilWyd", "tab6o2008v", "X", 2008, true);
        row("2008 hidden", "dsProfilWyd", "tab6o2008v", "N", 2008, false);
    }
    void yearVisibility() {
        QFETCH(QString, table);
        QFETCH(QString, flag);
        QFETCH(QString, value);
        QFETCH(int, year);
        QFETCH(bool, shown);
        ModuleFixture fx;
        if (!flag.isEmpty()) setFlag(fx, flag, value);
        DataSet& t = fx.dm->table(table);
        const QByteArray column = QByteArray::number(year);
        setAmounts(t, 4, {{"2005", 1000.0}, {column.constData(), 500.0}});

        QCOMPARE(at(t, 4, "RAZEM"), 1500.0); // the child's own total counts every year
        QCOMPARE(at(t, 3, column.constData()), shown ? 500.0 : 0.0);
        QCOMPARE(at(t, 11, "RAZEM"), shown ? 1500.0 : 1000.0);
        QCOMPARE(at(t, 4, "Razem_pr"), shown ? 100.0 : 150.0);
        QCOMPARE(at(t, 3, "Razem_pr"), 100.0);
        QCOMPARE(raw(t, 4, (column + "_pr").constData()).isValid(), shown); // hidden: unwritten
    }

    void deleteGuard_data() {
        QTest::addColumn<bool>("ownRow");
        QTest::addColumn<bool>("controlsDisabled");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("budżet państwa") << false << false << false;
        QTest::newRow("budżet państwa by a restructuring rule") << false << true << true;
        QTest::newRow("own row under inne") << true << false << true;
    }
    void deleteGuard() {
        QFETCH(bool, ownRow);
        QFETCH(bool, controlsDisabled);
        QFETCH(bool, deleted);
        ModuleFixture fx;
        DataSet& t = fx.t("dsZrodlaFin");
        const int id = ownRow ? addOwnSource(t, 10.0) : 4;
        const int before = t.recordCount();
        QVERIFY(t.locate(u("Id"), id));
        if (controlsDisabled) t.disableControls();
        QCOMPARE(t.deleteRecord(), deleted);
        if (controlsDisabled) t.enableControls();
        QCOMPARE(t.recordCount(), deleted ? before - 1 : before);
        QCOMPARE(raw(t, id, "Id").isValid(), !deleted);
        QVERIFY(fx.ui.shownTexts().isEmpty());
    }

    // "prywatne" holds 100 in 2007; the first of the own rows is deleted.
    void deletingUnderInne_data() {
        QTest::addColumn<QList<double>>("ownRows");
        QTest::addColumn<double>("inne");
        QTest::addColumn<double>("privateShare");
        QTest::addColumn<double>("inneShare");
        QTest::newRow("the only row") << QList<double>{300.0} << 0.0 << 100.0 << 0.0;
        QTest::newRow("one of two") << QList<double>{300.0, 200.0} << 200.0 << 33.3333 << 66.6667;
    }
    void deletingUnderInne() {
        QFETCH(QList<double>, ownRows);
        QFETCH(double, inne);
        QFETCH(double, privateShare);
        QFETCH(double, inneShare);
        ModuleFixture fx;
        DataSet& t = fx.t("dsZrodlaFin");
        setAmounts(t, 9, {{"2007", 100.0}});
        QList<int> ids;
        for (double v : ownRows)
            ids << addOwnSource(t, v);
        QCOMPARE(at(t, 10, "2007"), std::accumulate(ownRows.begin(), ownRows.end(), 0.0));

        QVERIFY(t.locate(u("Id"), ids.first()));
        QVERIFY(t.deleteRecord());
        QCOMPARE(at(t, 10, "2007"), inne);
        QCOMPARE(at(t, 11, "2007"), inne + 100.0);
        QCOMPARE_EXACT(at(t, 9, "2007_pr"), privateShare);
        QCOMPARE_EXACT(at(t, 10, "2007_pr"), inneShare);
        QCOMPARE_EXACT(at(t, 10, "Razem_pr"), inneShare);
    }

    void percentRounding_data() {
        QTest::addColumn<double>("part");
        QTest::addColumn<double>("total");
        QTest::addColumn<double>("expected");
        QTest::newRow("1/3") << 1.0 << 3.0 << 33.3333;
        QTest::newRow("half to even, down") << 1234565.0 << 10000000.0 << 12.3456;
        QTest::newRow("half to even, up") << 1234575.0 << 10000000.0 << 12.3458;
        QTest::newRow("half of a negative") << -1234565.0 << 10000000.0 << -12.3456;
        QTest::newRow("half of a negative, away from 0") << -1234575.0 << 10000000.0 << -12.3458;
        QTest::newRow("negative above the half") << -2.0 << 3.0 << -66.6667;
        QTest::newRow("negative total") << 1.0 << -3.0 << -33.3333;
        QTest::newRow("both negative") << -2.0 << -3.0 << 66.6667;
        QTest::newRow("half in grosze") << 1234.565 << 10000.0 << 12.3456;
        QTest::newRow("half at 1,00005") << 1.00005 << 100.0 << 1.0;
        QTest::newRow("smallest half up") << 3.0 << 2000000.0 << 0.0002;
        QTest::newRow("above the total") << 5.0 << 4.0 << 125.0;
    }
    void percentRounding() {
        QFETCH(double, part);
        QFETCH(double, total);
        QFETCH(double, expected);
        QCOMPARE_EXACT(FinancePercent::share(part, total), expected);
    }

    void afterLoadSequence() {
        ModuleFixture fx;
        TdmDataSets& dm = *fx.dm;
        DataSet& t = fx.t("dsZrodlaFin");
        DataSet& plan = fx.t("dsPlanWydatki");
        DataSet& stages = fx.t("dsEtapyRealizacji");
        const QVariant parents[] = {{}, 1, 1, 3, 3, 3, 3, {}, 8, 8, -1, -2};
        dm.loadWithRulesPaused([&] {
            dm.Wczytywanie = true;
            t.emptyTable();
            for (int id = 1; id <= 12; ++id) { // the file's rows; its parent row 3 is one short
                t.append();
                t.field(u("Zrodlo")).setValue(id == 11 ? u("OGÓŁEM") : u("źródło"));
                t.field(u("par_id")).setValue(parents[id - 1]);
                t.field(u("2005")).setValue(id == 3                          ? 999.0
                                            : id == 4 || id == 1 || id == 11 ? 1000.0
                                                                             : 0.0);
                t.field(u("2005_pr")).setValue(7.0); // stale
                t.post();
            } // the memo line, loaded last, stays current: the sums start from it
            dm.Wczytywanie = false;
            // Pending edits are posted with the stage rules still off.
            plan.append();
            plan.field(u("Etap")).setValue(1);
            QVERIFY(plan.post());
            stages.append();
            QVERIFY(stages.post());
        });

        QVERIFY(fx.ui.shownTexts().isEmpty());
        QCOMPARE(plan.recordCount(), 1);   // the loaded stage brought no rows
        QCOMPARE(at(t, 3, "2005"), 999.0); // loaded sums are trusted
        QCOMPARE(at(t, 4, "2005_pr"), 100.0);
        QCOMPARE(at(t, 3, "2005_pr"), 99.9);
        QCOMPARE_EXACT(at(t, 2, "2005_pr"), 0.0);

        // The stage rules are back.
        plan.emptyTable();
        QVERIFY(!plan.append());
        stages.append();
        QVERIFY(!stages.post());
        QCOMPARE(fx.ui.shownTexts(), (QStringList{kNoStage, kBadStart}));
    }

    // ---------------------------------------------------------------- planned expenditure

    void newStagesBringTheirRows() {
        ModuleFixture fx;
        DataSet& plan = fx.t("dsPlanWydatki");
        QVERIFY(!plan.append()); // no stage yet
        QCOMPARE(plan.state(), DataSetState::Browse);
        QCOMPARE(messageBoxes(fx.ui),
                 QStringList{box(u("Dodawanie planowanych wydatków"), kNoStage,
                                 MessageIcon::Information, MessageButtons::Ok)});
        fx.ui.clearCalls();
        addStage(fx, "projekt");
        setFlag(fx, u("tab6m2010v"));
        addStage(fx, "budowa");

        QCOMPARE(column(fx.t("dsEtapyRealizacji"), "Lp"), (QStringList{"1", "2"}));
        QCOMPARE(layout(plan), (QStringList{"1T", "1N", "2T", "2N"}));
        QCOMPARE(column(plan, "Id"), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(plan.valueAt(1, plan.field(u("clcKwalifikowane"))).toString(), u("Kwalifikowane"));
        QCOMPARE(plan.valueAt(2, plan.field(u("clcKwalifikowane"))).toString(),
                 u("Niekwalifikowane"));
        QCOMPARE(plan.valueAt(1, plan.field(u("2004"))), QVariant(0.0));
        QVERIFY(!plan.valueAt(1, plan.field(u("2010"))).isValid());
        QCOMPARE(plan.valueAt(3, plan.field(u("2010"))), QVariant(0.0)); // shown when stage 2 came
        QVERIFY(fx.ui.shownTexts().isEmpty());
    }

    // Posts the rules refuse: the message, the control focused, the row kept in editing;
    // nothing is refused while a file is loaded. A stage needs both dates, revenue no
    // negative amount (the years first, then the years after the project).
    void refusedPosts_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("values"); // "field=value", dates as yyyy-MM-dd
        QTest::addColumn<bool>("loading");
        QTest::addColumn<QString>("message"); // empty: posted
        QTest::addColumn<QString>("focus");
        auto row = [](const char* name, const char* table, const QStringList& values,
                      const QString& message, const char* focus = "", bool loading = false) {
            QTest::newRow(name) << u(table) << values << loading << message << u(focus);
        };
        const char *stages = "dsEtapyRealizacji", *revenue = "dsKatPrzych";
        const QStringList start{"TERMIN_ROZP=2006-01-01"}, end{"TERMIN_ZAK=2006-12-01"},
            amounts{"n_2=2.5", "n_4=4"};
        row("stage: no start", stages, end, kBadStart, "TERMIN_ROZP_TMP");
        row("stage: no end", stages, start, kBadEnd, "TERMIN_ZAK_TMP");
        row("stage: neither", stages, {}, kBadStart, "TERMIN_ROZP_TMP");
        row("stage: both", stages, start + end, {});
        row("stage: neither while loading", stages, {}, {}, "", true);
        row("revenue: n_3", revenue, amounts + QStringList{"n_3=-1"}, kNegative, "n_3");
        row("revenue: years before the years after", revenue,
            amounts + QStringList{"n_1=-1", "2010=-1"}, kNegative, "2010");
        row("revenue: first year first", revenue, amounts + QStringList{"2008=-1", "2004=-1"},
            kNegative, "2004");
        row("revenue: nothing negative", revenue, amounts, {});
        row("revenue: while loading", revenue, amounts + QStringList{"n_3=-1"}, {}, "", true);
    }
    void refusedPosts() {
        QFETCH(QString, table);
        QFETCH(QStringList, values);
        QFETCH(bool, loading);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        ModuleFixture fx;
        DataSet& t = fx.dm->table(table);
        t.open(); // revenue is closed while the project is not of kind "D"
        t.append();
        for (const QString& v : values) {
            Field& f = t.field(v.section('=', 0, 0));
            const QString text = v.section('=', 1);
            f.setValue(f.type() == FieldType::Date ? QVariant(QDate::fromString(text, Qt::ISODate))
                                                   : QVariant(text.toDouble()));
        }
        fx.dm->Wczytywanie = loading;
        const bool posted = t.post();
        fx.dm->Wczytywanie = false;

        QCOMPARE(posted, message.isEmpty());
        QCOMPARE(t.isEditing(), !posted);
        QCOMPARE(fx.ui.shownTexts(), posted ? QStringList() : QStringList{message});
        QCOMPARE(fx.ui.calls(UiCall::Kind::ErrorDialog).size(), posted ? 0 : 1);
        const QList<UiCall> focused = fx.ui.calls(UiCall::Kind::FocusControl);
        QCOMPARE(focused.isEmpty() ? QString() : focused[0].field, focus);
        if (table == u("dsEtapyRealizacji"))
            QCOMPARE(fx.t("dsPlanWydatki").recordCount(), posted && !loading ? 2 : 0);
        else if (posted && !loading)
            QCOMPARE(t.field(u("Razem_n")).asFloat(), 6.5);
    }

    void lastRowOfGroupIsEmptied() {
        ModuleFixture fx;
        DataSet& plan = fx.t("dsPlanWydatki");
        addStage(fx, "projekt");
        plan.setRecNo(1);
        set(plan, {{"Kategoria", u("Roboty budowlane")}, {"2005", 100.0}});

        QVERIFY(!plan.deleteRecord());
        QCOMPARE(layout(plan), (QStringList{"1T", "1N"}));
        QCOMPARE(plan.valueAt(1, plan.field(u("Kategoria"))).toString(), QString());
        QCOMPARE(plan.valueAt(1, plan.field(u("RAZEM"))), QVariant(0.0));
        QVERIFY(fx.ui.shownTexts().isEmpty());

        // With a second qualified row the row really goes; the rest is renumbered.
        plan.append();
        plan.field(u("Etap")).setValue(1);
        plan.field(u("Kategoria")).setValue(u("nowy"));
        plan.post();
        plan.setRecNo(1);
        QVERIFY(plan.deleteRecord());
        QCOMPARE(layout(plan), (QStringList{"1T*", "1N"}));
        QCOMPARE(column(plan, "Id"), (QStringList{"1", "2"}));
    }

    // Two stages: 1T 1N 2T 2N; the new row is appended while row `current` is current.
    void insertedRowMovesToItsGroup_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("etap");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("from stage 2 N to stage 1")
            << 4 << 1 << QStringList{"1T", "1N", "1N*", "2T", "2N"};
        QTest::newRow("from stage 2 T to stage 1")
            << 3 << 1 << QStringList{"1T", "1T*", "1N", "2T", "2N"};
        QTest::newRow("from stage 1 T to stage 2")
            << 1 << 2 << QStringList{"1T", "1N", "2T", "2T*", "2N"};
        QTest::newRow("from stage 1 N to stage 2, in place")
            << 2 << 2 << QStringList{"1T", "1N", "2T", "2N", "2N*"};
    }
    void insertedRowMovesToItsGroup() {
        QFETCH(int, current);
        QFETCH(int, etap);
        QFETCH(QStringList, expected);
        ModuleFixture fx;
        DataSet& plan = fx.t("dsPlanWydatki");
        addStage(fx, "projekt");
        addStage(fx, "budowa");
        plan.setRecNo(current);
        QVERIFY(plan.append());
        plan.field(u("Etap")).setValue(etap);
        plan.field(u("Kategoria")).setValue(u("nowy"));
        plan.field(u("2006")).setValue(42.0);
        QVERIFY(plan.post());

        QCOMPARE(layout(plan), expected);
        const int moved = int(expected.indexOf(expected.filter(u("*")).first())) + 1;
        QCOMPARE(plan.valueAt(moved, plan.field(u("2006"))), QVariant(42.0));
    }

    void stageDeletion_data() {
        QTest::addColumn<QString>("content"); // of stage 1: "filled" category, "third" row
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("yes");
        QTest::newRow("filled, answered No") << u("filled") << true << false;
        QTest::newRow("filled, answered Yes") << u("filled") << true << true;
        QTest::newRow("a third row, answered Yes") << u("third") << true << true;
        QTest::newRow("the two empty rows") << QString() << false << true;
    }
    void stageDeletion() {
        QFETCH(QString, content);
        QFETCH(bool, asked);
        QFETCH(bool, yes);
        ModuleFixture fx;
        DataSet& stages = fx.t("dsEtapyRealizacji");
        DataSet& plan = fx.t("dsPlanWydatki");
        addStage(fx, "projekt");
        addStage(fx, "budowa");
        plan.setRecNo(1);
        if (content == u("filled")) {
            set(plan, {{"Kategoria", u("Dokumentacja")}});
        } else if (content == u("third")) {
            plan.append();
            plan.field(u("Etap")).setValue(1);
            plan.post();
        }
        const QStringList before = layout(plan);
        if (asked) fx.ui.queueAnswer(yes ? MessageResult::Yes : MessageResult::No);

        stages.setRecNo(1);
        QCOMPARE(stages.deleteRecord(), yes);

        const QString question =
            box(u("Usuwanie etapu harmonogramu"),
                u("Usunięcie etapu spowoduje usunięcie wydatków (punkt 6m niniejszego wniosku) "
                  "przypisanych do tego etapu.\r\nCzy na pewno chcesz usunąć etap?"),
                MessageIcon::Question, MessageButtons::YesNo);
        QCOMPARE(messageBoxes(fx.ui), asked ? QStringList{question} : QStringList());
        if (!yes) {
            QCOMPARE(stages.recordCount(), 2);
            QCOMPARE(layout(plan), before);
            return;
        }
        // The second stage is now the first, with its two rows.
        QCOMPARE(stages.valueAt(1, stages.field(u("ZAKRES_PRAC"))).toString(), u("budowa"));
        QCOMPARE(column(stages, "Lp"), (QStringList{"1"}));
        QCOMPARE(layout(plan), (QStringList{"1T", "1N"}));
        QCOMPARE(column(plan, "Id"), (QStringList{"1", "2"}));
    }

    // ---------------------------------------------------------------- indicators and revenue

    void listInsert_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("family");  // empty: no year switches
        QTest::addColumn<QVariant>("hidden"); // a hidden year of a new row: the column's default
        QTest::newRow("products") << u("dsProdukty") << u("tab6lprod") << QVariant();
        QTest::newRow("results") << u("dsRezultaty") << u("tab6lrez") << QVariant();
        QTest::newRow("impacts") << u("dsOddz") << QString() << QVariant();
        QTest::newRow("revenue") << u("dsKatPrzych") << u("tab6ltyp") << QVariant(0.0);
    }
    void listInsert() {
        QFETCH(QString, table);
        QFETCH(QString, family);
        QFETCH(QVariant, hidden);
        ModuleFixture fx;
        if (!family.isEmpty()) setFlag(fx, family + u("2010v"));
        DataSet& t = fx.dm->table(table);
        t.open(); // revenue is closed while the project is not of kind "D"
        for (int row = 1; row <= 2; ++row) {
            QVERIFY(t.append());
            QCOMPARE(t.field(u("2008")).value(), QVariant(0.0));
            QCOMPARE(t.field(u("2010")).value(), family.isEmpty() ? hidden : QVariant(0.0));
            QCOMPARE(t.field(u("2011")).value(), hidden);
            t.field(u("2005")).setValue(3.0);
            t.field(u("2011")).setValue(4.5); // hidden, yet part of the row's total
            QVERIFY(t.post());
            QCOMPARE(t.field(u("Razem")).asFloat(), 7.5);
        }
    }
};

QTEST_GUILESS_MAIN(TestFinanceRules)
#include "tst_finance_rules.moc"
