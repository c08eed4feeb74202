// The rules of the yearly tables on a whole data module: finance trees, planned expenditure with
// its stages, indicators and revenue.
#include "model/finance_percent.h"
#include "module_fixture.h"

#include <QDate>
#include <QtTest>

using namespace ModuleTest;

namespace {

const QString kNoStage =
    u("Aby dodać planowane wydatki, należy najpierw wypełnić punkt 3 w Harmonogramie realizacji "
      "Projektu (6k) niniejszego wniosku.");
const QString kBadStart = u("Nieprawidłowa data rozpoczęcia etapu.");
const QString kBadEnd = u("Nieprawidłowa data zakończenia etapu.");
const QString kNegative = u("Wartość nie może być ujemna.");

} // namespace

class TestFinanceRules : public QObject {
    Q_OBJECT

private slots:
    // ---------------------------------------------------------------- finance trees

    // Scripts of what a user enters into the finance trees, with checks ("?") of the sums and
    // shares the rules keep ("T@4.2005" is the year 2005 of the row with Id 4).
    void trees_data() {
        QTest::addColumn<QStringList>("script");
        auto row = [](const QString& name, const QStringList& script) {
            QTest::newRow(qPrintable(name)) << script;
        };
        for (const QString t : {"dsZrodlaFin", "dsProfilWyd"}) {
            // Shown years start at 0, hidden ones are empty; the EBI memo line (12) is no part of
            // the total but still a share of it; nothing in 2006: shares 0, no division error; back
            // on the row the user posted. While loading, the profile shows the stored total, the
            // sources compute theirs.
            QStringList s =
                QStringList{"?T#12",           "?T@5.2008=0",    "?T@5.2009",
                            "T@12: 2005=500",  "T@4: 2005=1000", "?T@4.2005=1000",
                            "?T@3.2005=1000",  "?T@1.2005=1000", "?T@11.2005=1000",
                            "?T@11.RAZEM=1000"} +
                QStringList{"?T@8.2005=0",       "?T@4.2005_pr=100", "?T@4.Razem_pr=100",
                            "?T@11.2005_pr=100", "?T@2.2005_pr=0",   "?T@12.2005_pr=50",
                            "?recno T=4",        "?!editing T",      "loading"};
            s << (t == u("dsZrodlaFin") ? "?!T@4.RAZEM" : "?T@4.RAZEM");
            for (int id = 1; id <= 12; ++id)
                s << u("?T@%1.2006_pr=0").arg(id);
            row(t + u(": sums climb the tree"),
                s.replaceInStrings(QRegularExpression(u("\\bT\\b")), t));
        }
        // A year column shown or not by its switch: the child's own total counts every year; a
        // hidden year's share is not written.
        auto year = [&row](const char* name, const char* table, const char* flag, const char* y,
                           bool shown) {
            QStringList s{u("dsWniosek: ") + flag,
                          "%1@4: 2005=1000; %2=500",
                          "?%1@4.RAZEM=1500",
                          shown ? "?%1@3.%2=500" : "?!%1@3.%2=500",
                          shown ? "?%1@11.RAZEM=1500" : "?%1@11.RAZEM=1000",
                          shown ? "?%1@4.Razem_pr=100" : "?%1@4.Razem_pr=150",
                          "?%1@3.Razem_pr=100",
                          shown ? "?!%1@4.%2_pr" : "?%1@4.%2_pr"};
            for (QString& line : s)
                line = line.arg(u(table), u(y));
            row(name, s);
        };
        year("sources, 2009 hidden", "dsZrodlaFin", "", "2009", false);
        year("sources, 2009 shown", "dsZrodlaFin", "tab6n2009v=T", "2009", true);
        year("sources, only the profile shows 2009", "dsZrodlaFin", "tab6o2009v=T", "2009", false);
        year("profile, 2009 shown", "dsProfilWyd", "tab6o2009v=T", "2009", true);
        // A file that brings a blank flag leaves the year at its default.
        year("blank flag, 2008 shown", "dsZrodlaFin", "tab6n2008v=", "2008", true);
        year("blank flag, 2009 hidden", "dsZrodlaFin", "tab6n2009v=", "2009", false);
        year("other letter, 2008 shown", "dsProfilWyd", "tab6o2008v=X", "2008", true);
        year("2008 hidden", "dsProfilWyd", "tab6o2008v=N", "2008", false);

        // Fixed rows are not deleted (unless a restructuring rule does it), rows of their own under
        // "inne" (added before "OGÓŁEM", as the tree grid adds them) are; no message. "prywatne"
        // holds 100 in 2007; the first of the own rows (Id 13) is deleted.
        row("budżet państwa kept", {"dsZrodlaFin@4", "!delete dsZrodlaFin", "?dsZrodlaFin#12",
                                    "?!dsZrodlaFin@4.Id", "?shown"});
        row("budżet państwa by a restructuring rule",
            {"dsZrodlaFin@4", "disable dsZrodlaFin", "delete dsZrodlaFin", "enable dsZrodlaFin",
             "?dsZrodlaFin#11", "?dsZrodlaFin@4.Id", "?shown"});
        const QStringList own{"dsZrodlaFin@9: 2007=100", "dsZrodlaFin@11", "insert dsZrodlaFin",
                              "dsZrodlaFin: par_id=10; 2007=300"};
        row("the only own row",
            own + QStringList{"?dsZrodlaFin@10.2007=300", "dsZrodlaFin@13", "delete dsZrodlaFin",
                              "?dsZrodlaFin#12", "?dsZrodlaFin@13.Id", "?dsZrodlaFin@10.2007=0",
                              "?dsZrodlaFin@11.2007=100", "?dsZrodlaFin@9.2007_pr=100",
                              "?dsZrodlaFin@10.2007_pr=0", "?dsZrodlaFin@10.Razem_pr=0", "?shown"});
        row("one of two own rows",
            own + QStringList{"dsZrodlaFin@11", "insert dsZrodlaFin",
                              "dsZrodlaFin: par_id=10; 2007=200", "?dsZrodlaFin@10.2007=500",
                              "dsZrodlaFin@13", "delete dsZrodlaFin", "?dsZrodlaFin@10.2007=200",
                              "?dsZrodlaFin@11.2007=300", "?dsZrodlaFin@9.2007_pr=33.3333",
                              "?dsZrodlaFin@10.2007_pr=66.6667",
                              "?dsZrodlaFin@10.Razem_pr=66.6667"});

        // Planned expenditure: rows come with the stages ("Etap", eligible "T" or not, the
        // category), a new row moves into its group, the last row of a group is emptied.
        const QString plan = "column dsPlanWydatki.Etap,CZY_KWALIFIKOWANE,Kategoria=";
        const QString projekt = "+dsEtapyRealizacji: ZAKRES_PRAC=projekt; TERMIN_ROZP=2006-03-01; "
                                "TERMIN_ZAK=2007-06-01",
                      budowa = QString(projekt).replace(u("projekt"), u("budowa"));
        const QString noStage = "?boxes " + box(u("Dodawanie planowanych wydatków"), kNoStage,
                                                MessageIcon::Information, MessageButtons::Ok);
        // No stage, no row; the year 2010 shown when stage 2 came.
        const QString kinds = "?column dsPlanWydatki.clcKwalifikowane=Kwalifikowane|"
                              "Niekwalifikowane|Kwalifikowane|Niekwalifikowane";
        row("new stages bring their rows",
            {"!+dsPlanWydatki", "?!editing dsPlanWydatki", noStage, projekt,
             "dsWniosek: tab6m2010v=T", budowa, "?column dsEtapyRealizacji.Lp=1|2",
             "?" + plan + "1T|1N|2T|2N", "?column dsPlanWydatki.Id=1|2|3|4", kinds,
             "?dsPlanWydatki@1.2004=0", "?dsPlanWydatki@1.2010", "?dsPlanWydatki@3.2010=0",
             "?shown " + kNoStage});
        for (const auto& [name, current, etap, expected] :
             {std::tuple{"from stage 2 N to stage 1", 4, 1, "1T|1N|1Nnowy|2T|2N"},
              {"from stage 2 T to stage 1", 3, 1, "1T|1Tnowy|1N|2T|2N"},
              {"from stage 1 T to stage 2", 1, 2, "1T|1N|2T|2Tnowy|2N"},
              {"from stage 1 N to stage 2, in place", 2, 2, "1T|1N|2T|2N|2Nnowy"}}) {
            const int moved = u(expected).split(u'|').indexOf(QRegularExpression(u(".*nowy"))) + 1;
            row(name, {projekt, budowa, u("goto dsPlanWydatki %1").arg(current),
                       u("+dsPlanWydatki: Etap=%1; Kategoria=nowy; 2006=42").arg(etap),
                       "?" + plan + expected, u("goto dsPlanWydatki %1").arg(moved),
                       "?dsPlanWydatki.2006=42"});
        }
        // With a second eligible row the row really goes; the rest is renumbered.
        row("the last row of a group is emptied",
            {projekt, "goto dsPlanWydatki 1", "dsPlanWydatki: Kategoria=Roboty budowlane; 2005=100",
             "!delete dsPlanWydatki", "?" + plan + "1T|1N", "?column dsPlanWydatki.RAZEM=0|0",
             "?shown", "+dsPlanWydatki: Etap=1; Kategoria=nowy", "goto dsPlanWydatki 1",
             "delete dsPlanWydatki", "?" + plan + "1Tnowy|1N", "?column dsPlanWydatki.Id=1|2"});

        // Deleting a stage asks first when its rows hold anything; its rows go with it and the
        // second stage becomes the first.
        const QString question =
            "?boxes " + box(u("Usuwanie etapu harmonogramu"),
                            u("Usunięcie etapu spowoduje usunięcie wydatków (punkt 6m niniejszego "
                              "wniosku) przypisanych do tego etapu.\r\nCzy na pewno chcesz usunąć "
                              "etap?"),
                            MessageIcon::Question, MessageButtons::YesNo);
        const QStringList two{projekt, budowa, "goto dsPlanWydatki 1"};
        const QStringList gone{"goto dsEtapyRealizacji 1", "delete dsEtapyRealizacji",
                               "?column dsEtapyRealizacji.ZAKRES_PRAC,Lp=budowa1",
                               "?" + plan + "1T|1N", "?column dsPlanWydatki.Id=1|2"};
        const QString filled = "dsPlanWydatki: Kategoria=Dokumentacja";
        row("stage deletion: filled, answered No",
            two + QStringList{filled, "answer no", "goto dsEtapyRealizacji 1",
                              "!delete dsEtapyRealizacji", question, "?dsEtapyRealizacji#2",
                              "?" + plan + "1TDokumentacja|1N|2T|2N"});
        row("stage deletion: filled, answered Yes",
            two + QStringList{filled, "answer yes"} + gone + QStringList{question});
        row("stage deletion: a third row, answered Yes",
            two + QStringList{"+dsPlanWydatki: Etap=1", "answer yes"} + gone +
                QStringList{question});
        row("stage deletion: the two empty rows", two + gone + QStringList{"?boxes "});

        // Posts the rules refuse ("!"): the message, the control focused, the row kept in editing;
        // nothing is refused while a file is loaded. A stage needs both dates, revenue no negative
        // amount (the years first, then the years after the project).
        auto refused = [](const char* name, const char* table, const QString& values,
                          const QString& message, const char* focus, const QStringList& after = {},
                          bool loading = false) {
            QStringList s{"dsWniosek: typ_projektu=D"}; // opens the revenue
            if (loading) s << "loading";
            s << u("%1+%2: %3").arg(message.isEmpty() ? "" : "!", table, values)
              << u("?shown ") + message << u("?focus ") + focus
              << (message.isEmpty() ? u("?!editing ") : u("?editing ")) + table;
            QTest::newRow(name) << s + after;
        };
        const char *stages = "dsEtapyRealizacji", *revenue = "dsKatPrzych";
        const QString stage = "ZAKRES_PRAC=Etap", amounts = "n_2=2.5; n_4=4";
        refused("stage: no start", stages, stage + "; TERMIN_ZAK=2006-12-01", kBadStart,
                "TERMIN_ROZP_TMP");
        refused("stage: no end", stages, stage + "; TERMIN_ROZP=2006-01-01", kBadEnd,
                "TERMIN_ZAK_TMP");
        refused("stage: neither", stages, stage, kBadStart, "TERMIN_ROZP_TMP");
        refused("stage: both", stages, stage + "; TERMIN_ROZP=2006-01-01; TERMIN_ZAK=2006-12-01",
                {}, "", {"?dsPlanWydatki#2"});
        refused("stage: neither while loading", stages, stage, {}, "", {"?dsPlanWydatki#0"}, true);
        refused("revenue: n_3", revenue, amounts + "; n_3=-1", kNegative, "n_3");
        refused("revenue: years before the years after", revenue, amounts + "; n_1=-1; 2010=-1",
                kNegative, "2010");
        refused("revenue: first year first", revenue, amounts + "; 2008=-1; 2004=-1", kNegative,
                "2004");
        refused("revenue: nothing negative", revenue, amounts, {}, "",
                {"?column dsKatPrzych.Razem_n=6.5"});
        refused("revenue: while loading", revenue, amounts + "; n_3=-1", {}, "", {}, true);

        // A new row of an indicator or revenue grid: the shown years start at 0, a hidden year at
        // the column's default, yet it is part of the row's total.
        for (const auto& [table, family, hidden] : {std::tuple{"dsProdukty", "tab6lprod", ""},
                                                    {"dsRezultaty", "tab6lrez", ""},
                                                    {"dsOddz", "", ""},
                                                    {"dsKatPrzych", "tab6ltyp", "=0"}}) {
            QStringList s{"dsWniosek: typ_projektu=D"};
            if (*family) s << u("dsWniosek: ") + family + u("2010v=T");
            for (int row = 1; row <= 2; ++row)
                s << u("+") + table << u("?%1.2008=0").arg(table)
                  << u("?%1.2010%2").arg(table, *family ? "=0" : hidden)
                  << u("?%1.2011%2").arg(table, hidden) << u("%1: 2005=3; 2011=4.5").arg(table)
                  << u("?%1.Razem=7,5").arg(table);
            QTest::newRow(table) << s;
        }
    }
    void trees() {
        QFETCH(QStringList, script);
        ModuleFixture().play(script);
    }

    void percentRounding_data() {
        QTest::addColumn<double>("part");
        QTest::addColumn<double>("total");
        QTest::addColumn<double>("expected");
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
        // Shares are stored rounded: no fuzz allowed.
        const double share = FinancePercent::share(part, total);
        QVERIFY2(share == expected, qPrintable(QString::number(share, 'g', 17)));
    }

    void afterLoadSequence() {
        ModuleFixture fx;
        // The file's rows: its parent row 3 is one short, its shares (7) are stale.
        const char* const parents[] = {"", "1", "1", "3", "3", "3", "3", "", "8", "8", "-1", "-2"};
        const char* const amounts[] = {"1000", "0", "999", "1000", "0",    "0",
                                       "0",    "0", "0",   "0",    "1000", "0"};
        fx.dm->loadWithRulesPaused([&] {
            fx.play({"loading"});
            fx.t("dsZrodlaFin").emptyTable();
            for (int i = 0; i < 12; ++i)
                fx.play(
                    {u("+dsZrodlaFin: Zrodlo=%1; par_id=%2; 2005=%3; 2005_pr=7")
                         .arg(i == 10 ? u("OGÓŁEM") : u("źródło"), u(parents[i]), u(amounts[i]))});
            // The memo line, loaded last, stays current: the sums start from it. Pending edits
            // are posted with the stage rules still off.
            fx.play({"loaded", "+dsPlanWydatki: Etap=1", "+dsEtapyRealizacji",
                     "post dsEtapyRealizacji"});
        });
        // The loaded stage brought no rows; loaded sums are trusted, the shares computed again.
        fx.play({"?shown", "?dsPlanWydatki#1", "?dsZrodlaFin@3.2005=999",
                 "?dsZrodlaFin@4.2005_pr=100", "?dsZrodlaFin@3.2005_pr=99.9",
                 "?dsZrodlaFin@2.2005_pr=0"});

        // The stage rules are back.
        fx.t("dsPlanWydatki").emptyTable();
        fx.play({"!+dsPlanWydatki", "+dsEtapyRealizacji", "!post dsEtapyRealizacji",
                 "?shown " + kNoStage + "|" + kBadStart});
    }
};

QTEST_GUILESS_MAIN(TestFinanceRules)
#include "tst_finance_rules.moc"
