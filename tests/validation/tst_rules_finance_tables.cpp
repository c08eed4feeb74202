// The rules of the indicators, revenue, planned expenditure, the finance trees with the
// co-financing warning, and the attachments (85-106), over a whole module filled in as a user
// would.
#include "finance_rules_harness.h"

#include <QtTest>

using namespace FinanceRulesTest;

namespace {

// The attachment rule builds its messages, one per missing attachment.
const QHash<QString, QString> kAttachmentMessages{
    {u("106.1"), u("Załącznik 1 - Biznes plan jest obligatoryjny")},
    {u("106.2"), u("Załącznik 2 - Ocena oddziaływania na środowisko - jest "
                   "obligatoryjny")},
    {u("106.3"), u("Załącznik 7 - Mapy, szkice lokalizacyjne - jest obligatoryjny")},
    {u("106.4"), u("Załącznik 12 - Rachunek zysków i strat - jest obligatoryjny")},
    {u("106.5"), u("Załącznik 14 - Wypis z Krajowego Rejestru ... - jest obligatoryjny")},
    {u("106.6"), u("Załącznik 16 - Inne dokumenty załączone - brak wyszczególnienia")},
    {u("106.7"), u("Załącznik 17 - Zakres zadań - jest obligatoryjny")}};

const char* const kLimit = "Maksimum współfinansowania z Funduszy Strukturalnych przekracza 75% w ";

// A row of an indicator or revenue grid, "item|unit|amounts" (revenue "category|amounts").
QString listRow(const char* table, const char* item, const char* spec) {
    const QStringList p = u(spec).split(u'|');
    return u("+%1: %2=%3; ").arg(u(table), u(item), p[0]) +
           (p.size() == 3 ? u("Jedn_miary=") + p[1] + u("; ") : QString()) + p.last();
}
QString product(const char* spec) {
    return listRow("dsProdukty", "Produkt", spec);
}

} // namespace

class TestRulesFinanceTables : public QObject {
    Q_OBJECT

private slots:
    void rules_data() {
        addColumns();
        const auto row = addCase;
        // 85-95 indicators and revenue: priority 1, works ending in May 2006, a project without
        // revenue, one product and one result within the years.
        const QString dates = "dsWniosek: harm_rozp_tmp=01.2005; harm_rzecz_zak_tmp=05.2006";
        const QStringList complete{product("Długość drogi|km|2005=10"),
                                   listRow("dsRezultaty", "Rezultat", "Czas przejazdu|min|2006=5")};
        auto indicators = [&](const char* name, const QStringList& script,
                              const QStringList& findings, const QStringList& lists = {}) {
            row(name, "85-95",
                QStringList{"pwd SPOT 1", dates + "; typ_projektu=N"} + lists + script, findings);
        };
        indicators("nothing entered", {}, {"85", "86"});
        indicators("technical assistance needs no results", {"pwd SPOT 3"}, {"85"});
        indicators("complete", {}, {}, complete);
        auto one = [&](const char* name, const QStringList& script, const QStringList& findings) {
            indicators(name, script, findings, complete);
        };
        one("product without unit", {product("Most||2005=1")}, {"87"});
        one("product after the end year", {product("Droga|km|2007=3")}, {"88a"});
        one("product before the start year", {product("Droga|km|2004=3")}, {"88b"});
        const QString end2008 = "dsWniosek: harm_rzecz_zak_tmp=12.2008";
        one("2009 switched off is not used", {end2008, product("Droga|km|2009=3")}, {});
        one("2009 switched on after a 2008 end",
            {end2008, "dsWniosek: tab6lprod2009v=T", product("Droga|km|2009=3")}, {"88a"});
        one("another grid's switch does not count",
            {end2008, "dsWniosek: tab6lrez2009v=T", product("Droga|km|2009=3")}, {});
        one("no physical end, no end year",
            {"dsWniosek: harm_rzecz_zak_tmp=", product("Droga|km|2007=3")}, {});
        one("result without name", {listRow("dsRezultaty", "Rezultat", "|min|2005=2")}, {"89"});
        one("result before the start year", {listRow("dsRezultaty", "Rezultat", "Czas|min|2004=2")},
            {"90"});
        one("results may outlast the project",
            {listRow("dsRezultaty", "Rezultat", "Czas|min|2007=2")}, {});
        one("impact without unit", {listRow("dsOddz", "Oddzialywanie", "Ruch||2005=1")}, {"91"});
        one("impact before the start year", {listRow("dsOddz", "Oddzialywanie", "Ruch|poj|2004=1")},
            {"92"});
        one("impacts: only 2004-2008",
            {listRow("dsOddz", "Oddzialywanie", "Ruch|poj|2004=0; 2010=1")}, {});
        one("no project type", {"dsWniosek: typ_projektu="}, {"93"});
        auto revenue = [&](const char* name, const QStringList& rows, const QStringList& findings) {
            QStringList script{"dsWniosek: typ_projektu=D"};
            for (const QString& r : rows)
                script << listRow("dsKatPrzych", "Kategoria_przychodu", qPrintable(r));
            one(name, script, findings);
        };
        revenue("revenue project without revenue", {}, {"94"});
        revenue("revenue without category", {"Bilety|2005=100", "|2006=5"}, {"94"});
        revenue("revenue before the start year", {"Bilety|2004=100"}, {"95"});
        revenue("revenue after the project", {"Bilety|2007=100"}, {});

        // 96-97 planned expenditure: each stage brings an eligible and a non-eligible row; the
        // first eligible row filled in; where the walk leaves the table.
        const QString stage = "+dsEtapyRealizacji: ZAKRES_PRAC=Etap; TERMIN_ROZP_TMP=03.2005; "
                              "TERMIN_ZAK_TMP=05.2006";
        const QString later = "dsWniosek: tab6m2010v=T; tab6m2011v=T; tab6m2012v=T; tab6m2013v=T; "
                              "tab6m2014v=T; tab6m2015v=T; tab6m2016v=T";
        auto plan = [&](const char* name, const QStringList& script, int end,
                        const QStringList& findings) {
            row(name, "96-97",
                QStringList{dates} + script +
                    QStringList{"goto dsPlanWydatki 1", u("?recno dsPlanWydatki=%1").arg(end)},
                findings);
        };
        const QString roboty = "dsPlanWydatki@1: Kategoria=Roboty";
        plan("no stage, no expenditure", {"?dsPlanWydatki#0"}, -1, {});
        plan("a new stage's empty eligible row", {stage, "?dsPlanWydatki#2"}, 1, {"96"});
        plan("category and amount", {stage, roboty + "; 2005=1000"}, 2, {});
        plan("amount without category", {stage, "dsPlanWydatki@1: 2005=1000"}, 1, {"96"});
        plan("the walk stops at the faulty row", {stage, stage, roboty + "; 2005=1000"}, 3, {"96"});
        plan("zeros, later years off", {stage, roboty}, 2, {});
        plan("zeros, 2009-2016 on", {"dsWniosek: tab6m2009v=T", later, stage, roboty}, 1, {"96"});
        plan("zeros, 2009 off, 2010-2016 on", {later, stage, roboty}, 2, {});
        plan("zeros but 2016, all on",
             {"dsWniosek: tab6m2009v=T", later, stage, roboty + "; 2016=1"}, 2, {"97"});
        plan("amount after the end year", {stage, roboty + "; 2007=5"}, 2, {"97"});

        for (const char* tree : {"dsZrodlaFin", "dsProfilWyd"}) {
            const bool sources = qstrcmp(tree, "dsZrodlaFin") == 0;
            const QString t = u(tree),
                          year2009 =
                              u("dsWniosek: %1=T").arg(sources ? "tab6n2009v" : "tab6o2009v");
            // 98-100, 102-104: names and years of the rows; the failing rule of each tree.
            auto trees = [&](const char* name, const QStringList& script, int offset) {
                row(t + u(": ") + name, "98-105", QStringList{dates} + script,
                    offset < 0 ? QStringList()
                               : QStringList{QString::number((sources ? 98 : 102) + offset)});
            };
            trees("fixed rows", {}, -1);
            trees("unnamed row", {t + u("@11"), u("insert ") + t, t + u(": par_id=10")}, 0);
            trees("within the years", {t + u("@4: 2005=10; 2006=20")}, -1);
            trees("after the end year", {t + u("@4: 2007=10")}, 1);
            trees("before the start year", {t + u("@4: 2004=10")}, 2);
            trees("2009 switched off", {t + u("@4: 2009=10")}, -1);
            trees("2009 switched on", {year2009, t + u("@4: 2009=10")}, 1);

            // 101, 105: the fund's share above 75 % in a year is a warning naming the years; the
            // fund's row stays current (the row with no fund's name: nothing to compare).
            auto share = [&](const char* name, const QStringList& script, const char* years,
                             int current = 2) {
                const QStringList findings{u(sources ? "101 " : "105 ") + u(kLimit) + u(years) +
                                           u(" roku.")};
                row(t + u(": ") + name, "96-105",
                    script + QStringList{u("goto %1 12").arg(t),
                                         u("?recno %1=%2").arg(t).arg(current),
                                         *years ? "?warning" : "?!warning"},
                    *years ? findings : QStringList());
            };
            auto amounts = [&](const char* efrr, const char* budget) {
                return QStringList{t + u("@2: ") + efrr, t + u("@4: ") + budget};
            };
            share("75% every year",
                  amounts("2004=750; 2005=750; 2006=75; 2007=7.5; 2008=750",
                          "2004=250; 2005=250; 2006=25; 2007=2.5; 2008=250"),
                  "");
            share("75.01% and 80%", amounts("2005=7501; 2007=800", "2005=2499; 2007=200"),
                  "2005, 2007");
            share("exactly 75% is not listed", amounts("2004=750; 2005=76", "2004=250; 2005=24"),
                  "2005");
            share("75.0001%", amounts("2006=750001", "2006=249999"), "2006");
            share("100% without national funds", {t + u("@2: 2008=10")}, "2008");
            const QStringList fund2009{year2009, t + u("@2: 2009=100")};
            share("100% in 2009", fund2009, "2009");
            // The year removed: its shares no longer count; no fund row: nothing to compare.
            share("2009 switched off again",
                  fund2009 +
                      QStringList{u("dsWniosek: %1=N").arg(sources ? "tab6n2009v" : "tab6o2009v")},
                  "");
            share("no fund row",
                  fund2009 + QStringList{t + u("@2: Zrodlo=Europejski Fundusz "
                                               "Rozwoju Regionalnego (EFRR)")},
                  "", 12);
        }

        // 106 attachments: the kind, the legal form, then the answers changed.
        auto attachments = [&](const char* name, const char* priority, const char* kind,
                               const char* legalForm, const char* answers,
                               const QStringList& findings, bool loading = false) {
            QStringList script{u("pwd SPOT ") + priority, u("dsWniosek: rodz_proj=") + kind};
            if (*legalForm) script << u("dsBeneficjent: for_pr_kod=") + legalForm;
            if (loading) script << "loading";
            if (*answers) script << u("dsPolaSpec: ") + answers;
            row(name, "106", script << "loaded", findings);
        };
        const char* otherDocuments = "ZALINDOKRT=T; ZALINDOKUT=T; ZALINDOKDT=T";
        attachments("works, answers as created", "1", "RB", "", "", {});
        attachments("works without report and maps", "1", "RB", "", "ZALOCSRODRT=N; ZALMAPYRT=N",
                    {"106.2", "106.3"});
        attachments("no business plan", "1", "RB", "", "ZALBIZPLRT=N", {"106.1"});
        attachments("services take the answers over", "1", "S", "", "", {});
        attachments("technical assistance drops the business plan", "3", "S", "16", "ZALBIZPLUT=N",
                    {});
        attachments("unless the applicant is a company", "3", "S", "24", "ZALBIZPLUT=N", {"106.1"});
        attachments("companies: profit and loss, register", "1", "RB", "25",
                    "ZALRZSRT=N; ZALWYPKRSRT=N", {"106.4", "106.5"});
        attachments("other legal forms need neither", "1", "RB", "16", "ZALRZSRT=N; ZALWYPKRSRT=N",
                    {});
        attachments("kind IN: no business plan, company papers still", "3", "IN", "24", "",
                    {"106.4", "106.5"});
        attachments("other documents without a list", "1", "RB", "", otherDocuments, {"106.6"},
                    true);
        attachments("other documents listed", "1", "RB", "",
                    "ZALINDOKRT=T; ZALINDOKUT=T; ZALINDOKDT=T; ZALWYKINNEDOK=Mapa", {}, true);
        attachments("technical assistance services without the scope", "3", "S", "",
                    "ZALZAKZADUT=N", {"106.7"});
        attachments("other services without the scope", "1", "S", "", "ZALZAKZADUT=N", {});
    }
    void rules() { runCase(financeScheduleRules(), kAttachmentMessages); }
};

QTEST_GUILESS_MAIN(TestRulesFinanceTables)
#include "tst_rules_finance_tables.moc"
