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

// The procurement walks build their messages themselves, as the stage walk does.
const QHash<QString, QString> kProcurementMessages{
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
                  "rozpoczęcia procedury przetargowej\"")}};

const QHash<QString, QString> kTargets{
    {u(kNoStages), u("dsWniosek.harm_rzecz_rozp_tmp e1000112")},
    {u(kStageEndBeforeStart), u("dsEtapyRealizacji.TERMIN_ZAK e10000113")},
    {u(kStageEndAfterProject), u("dsWniosek.harm_rzecz_zak_tmp e1000114")}};

QString stage(const char* start, const char* end) {
    return u("+dsEtapyRealizacji: ZAKRES_PRAC=Etap; TERMIN_ROZP_TMP=%1; TERMIN_ZAK_TMP=%2")
        .arg(u(start), u(end));
}

// A procurement record as its repeating panel enters it: "mode|started|start date|announced".
QString procedure(const char* spec) {
    const QStringList p = u(spec).split(u'|');
    return u("+dsZamPub: zgod_zam_pub=%1; zgod_zam_pub_rozp=%2; zgod_zam_pub_data_rozp=%3; "
             "zgod_zam_pub_data_ogl=%4")
        .arg(p[0], p[1], p[2], p[3]);
}

} // namespace

class TestRulesFinanceSchedule : public QObject {
    Q_OBJECT

private slots:
    void rules_data() {
        addColumns();
        const auto row = addCase;
        // 2-3: the public funds of both trees; the located row stays current.
        auto totals = [](const char* profile, const char* sources) {
            return QStringList{u("dsProfilWyd@4: 2005=") + profile,
                               u("dsZrodlaFin@4: 2005=") + sources, "dsZrodlaFin@10",
                               "?recno dsZrodlaFin=1"};
        };
        row("2-3 nothing entered", "2-3", totals("0", "0"), {"2", "3"});
        row("2-3 both entered", "2-3", totals("1000", "250"), {});
        row("2-3 negative totals pass", "2-3", totals("-5", "-1"), {});
        row("2-3 only the sources entered", "2-3", totals("0", "250"), {"2"});
        row("2-3 no exact Publiczne row", "2-3",
            totals("0", "0") << "dsProfilWyd@1: Zrodlo=Publiczne ", {"3"});

        // 25-41: a schedule every rule accepts (the project from January 2005, works from
        // March 2005 to May 2006, the last contract settled in July 2006, results in December
        // 2006), then changed.
        const QStringList schedule{
            "dsWniosek: harm_rozp_tmp=01.2005; harm_rzecz_rozp_tmp=03.2005; "
            "harm_rzecz_zak_tmp=05.2006; harm_fin_zak_tmp=07.2006; harm_okres_rezultat_tmp=12.2006",
            stage("03.2005", "05.2006")};
        auto dates = [&](const char* name, const char* changes, const QStringList& findings) {
            row(name, "25-41", schedule + QStringList{u("dsWniosek: ") + changes}, findings);
        };
        row("25-41 nothing entered", "25-41", {}, {"25", "26", "27", "28", "29", "30", "31", "32"});
        row("25-41 accepted schedule", "25-41", schedule, {});
        dates("December 2003", "harm_rozp_tmp=12.2003; harm_rzecz_rozp_tmp=12.2003", {"33", "34"});
        dates("January 2004 is early enough", "harm_rozp_tmp=01.2004; harm_rzecz_rozp_tmp=01.2004",
              {});
        dates("project starts after the works, the settlement, the results",
              "harm_rozp_tmp=08.2006; harm_okres_rezultat_tmp=07.2006", {"35", "38", "39"});
        dates("project starts after harm_zak", "harm_zak=2004-06-01", {"36"});
        dates("works start after their end", "harm_rzecz_rozp_tmp=06.2006", {"37"});
        // The end plus three calendar months, the day kept or cut back.
        dates("31 May + 3 months < 1 September",
              "harm_rzecz_zak=2006-05-31; harm_fin_zak=2006-09-01", {"40"});
        dates("31 May + 3 months = 31 August", "harm_rzecz_zak=2006-05-31; harm_fin_zak=2006-08-31",
              {});
        dates("30 November + 3 months < 1 March",
              "harm_rzecz_zak=2006-11-30; harm_fin_zak=2007-03-01", {"40"});
        dates("30 November + 3 months = 28 February",
              "harm_rzecz_zak=2006-11-30; harm_fin_zak=2007-02-28", {});
        dates("settled before the end", "harm_fin_zak_tmp=04.2006", {"41"});
        dates("no settlement date counts as the earliest", "harm_fin_zak_tmp=", {"28", "41"});
        dates("an unreadable month is no date", "harm_rozp_tmp=13.2005", {"25"});
        // A file may hold stages without dates or description (the stage grid refuses them).
        row("loaded stage without values", "25-42",
            schedule + QStringList{"loading", "+dsEtapyRealizacji: TERMIN_ROZP_TMP=04.2005"},
            {"30", "32", u("42 ") + kStageEndBeforeStart}); // no end: the earliest date

        // 42: the walk returns to the stage that was current.
        const QString works = "dsWniosek: harm_rzecz_zak_tmp=05.2006";
        row("42 no stage", "42", {works}, {u("42 ") + kNoStages});
        row("42 stages within the works", "42",
            {works, stage("03.2005", "12.2005"), stage("01.2006", "05.2006"),
             "goto dsEtapyRealizacji 2", "?recno dsEtapyRealizacji=2"},
            {});
        row("42 the first faulty stage ends the walk", "42",
            {works, stage("03.2005", "12.2005"), stage("06.2005", "04.2005"),
             stage("05.2005", "01.2005"), stage("01.2006", "09.2006"), "goto dsEtapyRealizacji 2",
             "?recno dsEtapyRealizacji=2"},
            {u("42 ") + kStageEndBeforeStart});
        row("42 a stage ending after the works", "42", {works, stage("03.2005", "06.2006")},
            {u("42 ") + kStageEndAfterProject});
        row("42 a stage beginning after the works", "42", {works, stage("07.2006", "08.2006")},
            {u("42 ") + kStageEndAfterProject});

        // 45-46: public aid, "date|title" rows.
        auto aid = [&](const char* name, const char* answers, const QStringList& rows,
                       const QStringList& findings) {
            QStringList script;
            if (*answers) script << u("dsWniosek: ") + answers;
            for (const QString& r : rows)
                script << u("+dsPomocPub: Data_udz_pom=%1; Tytul_pomocy=%2")
                              .arg(r.section(u'|', 0, 0), r.section(u'|', 1));
            row(name, "45-46", script, findings);
        };
        const char *applicable = "zgod_pom_pub_nie_dot=N",
                   *received = "zgod_pom_pub_nie_dot=N; zgod_pom_pub_korzystal=T";
        aid("45 unanswered", "", {}, {"45"});
        aid("45 not applicable", "zgod_pom_pub_nie_dot=T", {}, {});
        aid("45 applicable, unanswered", applicable, {}, {"45"});
        aid("45 none received", "zgod_pom_pub_nie_dot=N; zgod_pom_pub_korzystal=N", {}, {});
        aid("46 received, no aid listed", received, {}, {"46"});
        aid("46 received and listed", received, {"2004-05-10|Dotacja"}, {});
        aid("46 an aid without a title", received, {"2004-05-10|Dotacja", "2004-06-01|"}, {"46"});
        aid("46 an aid without a date", received, {"|Dotacja"}, {"46"});

        // 47-49: procurement, the works ending in May 2006 unless told otherwise; where the
        // walks leave the records.
        auto procurement = [&](const char* name, const char* main,
                               std::initializer_list<const char*> records, int end,
                               const QStringList& findings, const char* priority = "1") {
            QStringList script{u("pwd SPOT ") + priority,
                               u("dsWniosek: harm_rzecz_zak_tmp=05.2006") + main};
            for (const char* r : records)
                script << procedure(r);
            row(name, "47-49", script << "goto dsZamPub 1" << u("?recno dsZamPub=%1").arg(end),
                findings);
        };
        procurement("47 no procedure", "", {}, -1, {"47"});
        procurement("47 technical assistance without procedures", "", {}, -1, {}, "3");
        procurement("47 technical assistance skips faulty procedures",
                    "; harm_rzecz_zak_tmp=", {"|N|2007-01-01|"}, 1, {}, "3");
        procurement("48 complete procedures", "", {"PN|N|2005-04-01|", "PO|T||2005-06-01"}, 2, {});
        procurement("48 no physical end: every dated record",
                    "; harm_rzecz_zak_tmp=", {"PN|N|2005-04-01|", "PO|T||2005-06-01"}, 2,
                    {"48a", "48b"});
        procurement("48 started after the physical end", "",
                    {"PN|N|2006-06-01|", "PO|T||2006-05-01", "ZOC|T||2006-07-01"}, 3,
                    {"48a", "48b"});
        procurement("49 only the first failure of the second walk", "",
                    {"|T||2005-06-01", "PN|N||"}, 1, {"49.1"});
        procurement("49 not started, no start date", "", {"PN|N|2005-04-01|", "PN|N||", "|N||"}, 2,
                    {"49.2"});
        procurement("49 not started, starting after harm_zak", "; harm_zak=2005-03-31",
                    {"PN|N|2005-04-01|"}, 1, {"49.3"});
        procurement("49 started, no announcement", "", {"PO|T||"}, 1, {"49.4"});
        procurement("49 started, announced after harm_zak", "; harm_zak=2005-05-31",
                    {"PO|T||2005-06-01"}, 1, {"49.5"});
        procurement("49 announced on harm_zak", "; harm_zak=2005-06-01", {"PO|T||2005-06-01"}, 1,
                    {});
    }
    void rules() { runCase(financeScheduleRules(), kProcurementMessages, kTargets); }
};

QTEST_GUILESS_MAIN(TestRulesFinanceSchedule)
#include "tst_rules_finance_schedule.moc"
