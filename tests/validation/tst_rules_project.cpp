// The validation run and the rules of the project, the applicant, the persons, the other
// institutions and the declaration.
#include "examples/generator/sample_application.h"
#include "finance_rules_harness.h"
#include "validation/rules_project.h"

#include <QDate>
#include <QTest>

#include <tuple>
#include <utility>

using namespace FinanceRulesTest;

namespace {

const auto kTable = projectApplicantRules;

QString dictionaryId(const ModuleFixture& fx, const char* code, int level, const char* kod) {
    const DataSet* t = fx.dm->dictionaryTable(u(code), level);
    return *kod ? t->lookup(u("KOD"), u(kod), u("ID")).toString() : QString();
}

// The category of intervention chosen by the codes of its levels ("": none).
QString category(const ModuleFixture& fx, const char* l1, const char* l2, const char* l3 = "") {
    return u("dsKatInt: ID1=%1; ID2=%2; ID3=%3")
        .arg(dictionaryId(fx, "INT", 1, l1), dictionaryId(fx, "INT", 2, l2),
             dictionaryId(fx, "INT", 3, l3));
}

// The numbers of this table an application with nothing entered fails, in rule order. The programme
// set by the dictionary gate has emptied the project type.
QStringList emptyApplicationFailures() {
    QStringList out = u("5 6 7 8 9 10 13 14 15 16 17 18 19 20 22 23 43 44").split(u' ');
    for (int i = 50; i <= 76; ++i)
        out << QString::number(i);
    return out + u("79 81 83").split(u' ');
}

ValidationRule constantRule(RuleNumber number, Severity severity = Severity::Error,
                            bool fails = false) {
    return {.number = number,
            .severity = severity,
            .message = "komunikat",
            .table = "dsBeneficjent",
            .field = "Nazwa",
            .control = "e500001",
            .fails = [fails](ValidationRun&) { return fails; }};
}

// Script steps of this unit: "complete" fills in the sample application, which passes every rule,
// with one complete other institution; "switch V" sets the other-institutions switch without its
// rule, which would close or open the list.
bool projectStep(ModuleFixture& fx, const QString& line) {
    if (line == u"complete") {
        fx.dm->SprawdzSlownik();
        SampleApplication::fill(*fx.dm);
        fx.play({"dsPolaSpec: CZYWYSTINNEINS=T; INNEPODZAANOP=Udostępnienie terenu",
                 "dsInstytucje: Nazwa=Gmina Nowogrodziec; for_pr_kod=SG; "
                 "adr_miejscowosc=Nowogrodziec; rola=Partner; adr_nr=3; adr_kod=59-730; "
                 "nr_tel=757310003; osk_nazwisko=Wiśniewska; osk_imie=Ewa; NIP=6121234567; "
                 "REGON=230821234"});
    } else if (line.startsWith(u"switch ")) {
        Field& sw = fx.f("dsPolaSpec", "CZYWYSTINNEINS");
        auto saved = std::exchange(sw.onChange, nullptr);
        fx.play({u("dsPolaSpec: CZYWYSTINNEINS=") + line.section(u' ', 1)});
        sw.onChange = std::move(saved);
    } else {
        return false;
    }
    return true;
}

} // namespace

class TestRulesProject : public QObject {
    Q_OBJECT

private slots:
    // ---------------------------------------------------------------- the table and the run

    void merge_ordersByLeadingNumberAndKeepsTableOrder() {
        const ValidationRule first[] = {constantRule("1"_rule), constantRule("5"_rule),
                                        constantRule("43"_rule), constantRule("50"_rule)};
        const ValidationRule second[] = {constantRule("2"_rule),     constantRule("5.1"_rule),
                                         constantRule("42"_rule),    constantRule("48a"_rule),
                                         constantRule("48b"_rule),   constantRule("101"_rule),
                                         constantRule("106.3"_rule), constantRule("106.1"_rule)};
        QStringList order;
        for (const ValidationRule* r : mergeRuleTables(first, second))
            order << QLatin1String(r->number.text());
        QCOMPARE(order, (QStringList{"1", "2", "5", "5.1", "42", "43", "48a", "48b", "50", "101",
                                     "106.3", "106.1"}));
    }

    // Each error rule and warning rule failing or not: the run passes unless the error rule
    // fails, the flag left by the last run tells whether the warning rule failed, and each
    // finding is shown with the image of its severity (0 error, 1 warning).
    void run_resultAndWarningFlag_data() {
        QTest::addColumn<bool>("errorFails");
        QTest::addColumn<bool>("warningFails");
        for (const bool errorFails : {false, true})
            for (const bool warningFails : {false, true})
                QTest::addRow("error %d, warning %d", errorFails, warningFails)
                    << errorFails << warningFails;
    }

    void run_resultAndWarningFlag() {
        QFETCH(bool, errorFails);
        QFETCH(bool, warningFails);

        ModuleFixture fx;
        fx.dm->ValidationWarning = true; // left by an earlier run
        // The warning rule first: the passing rule after it must not clear the flag.
        const ValidationRule rules[] = {constantRule("101"_rule, Severity::Warning, warningFails),
                                        constantRule("102"_rule, Severity::Error, errorFails),
                                        constantRule("103"_rule, Severity::Error, false)};
        FindingList window;
        QCOMPARE(runRules(*fx.dm, window, {&rules[0], &rules[1], &rules[2]}), !errorFails);
        QCOMPARE(fx.dm->ValidationWarning, warningFails);
        QList<int> recorded, images;
        for (const Finding& f : window.findings())
            recorded << f.imageIndex();
        if (warningFails) images << 1;
        if (errorFails) images << 0;
        QCOMPARE(recorded, images);
    }

    void run_failedRuleWithoutControlCountsUnlisted() {
        ModuleFixture fx; // no programme row: rule 4 fails
        // An editor in which no field has a control: only the rule that names its control directly
        // is listed, yet the run fails.
        const Outcome none = runNumbered(fx, kTable(), "4,59",
                                         [](const Field&, const QString&) { return QString(); });
        QVERIFY(!none.passed);
        QCOMPARE(none.window.findings().size(), 1);
        QCOMPARE(none.window.findings().first().control, u("e100001"));

        const Outcome renamed =
            runNumbered(fx, kTable(), "59", [](const Field& f, const QString& c) {
                return f.name() + QLatin1Char('/') + c;
            });
        QCOMPARE(renamed.window.findings().first().control, u("NIP/e500014"));
    }

    // Within the merged run (ordered by number), this table's findings in rule order with their
    // messages; Validate records the same into the prepared window.
    void emptyApplication_findingsInRuleOrder() {
        ModuleFixture fx;
        fx.dm->SprawdzSlownik();
        FindingList direct;
        QVERIFY(!runRuleSet(*fx.dm, direct));
        QStringList own, viaRun, viaValidate;
        int previous = 0;
        for (const Finding& f : direct.findings()) {
            const int n = ruleOrdinal(f.rule.toLatin1().constData());
            QVERIFY2(n >= previous, qPrintable(f.rule));
            previous = n;
            viaRun << f.rule + QLatin1Char(' ') + f.message;
            if (ruleNumbered(kTable(), f.rule)) own << viaRun.last();
        }
        QCOMPARE(own, withMessages(kTable(), emptyApplicationFailures()));
        QVERIFY(direct.findings().size() > own.size()); // the other table took part
        // Without a prepared window there is nothing to record into: an error, which the exports
        // count as a failed validation.
        QVERIFY_THROWS_EXCEPTION(DataSetError, fx.dm->Validate());
        FindingList window;
        window.AddFinding(
            true,
            Finding{u("9"), Severity::Error, u("z poprzedniej walidacji"), {}, {}, u("e601001")});
        PrepareValidationWindow(*fx.dm, window);
        QVERIFY(window.findings().isEmpty());
        fx.dm->ValidationWarning = true;
        QVERIFY(!fx.dm->Validate());
        QVERIFY(!fx.dm->ValidationWarning);
        for (const Finding& f : window.findings())
            viaValidate << f.rule + QLatin1Char(' ') + f.message;
        QCOMPARE(viaValidate, viaRun);
        QVERIFY(viaValidate.contains(u("59 Pole \"NIP\" musi być wypełnione")));
    }

    void templateValidate_houseNumberAndPostCode() {
        ModuleFixture fx;
        FindingList window;
        auto run = [&] {
            PrepareValidationWindow(*fx.dm, window);
            QStringList lines{fx.dm->TdmDataSets_t::Validate() ? "passed" : "failed"};
            for (const Finding& f : window.findings())
                lines << f.field + QLatin1Char(' ') + f.message;
            return lines;
        };
        const QString number = u("adr_nr Pole \"Nr domu\" musi być wypełnione"),
                      code = u("adr_kod Pole \"Kod pocztowy\" musi być wypełnione");
        QCOMPARE(run(), (QStringList{"failed", number, code}));
        QVERIFY(fx.ui.shownTexts().isEmpty());
        fx.play({"dsBeneficjent: adr_nr=12"});
        QCOMPARE(run(), (QStringList{"failed", code}));
        fx.play({"dsBeneficjent: adr_kod=00-950"});
        QCOMPARE(run(), QStringList{"passed"});
    }

    // ---------------------------------------------------------------- the rules' edge cases

    void rules_data() {
        addColumns();
        const auto row = addCase;
        row("complete application, every rule", "", {"complete"}, {});

        row("1: Inne under technical assistance", "1,9", {"pwd SPOT 3", "dsWniosek: rodz_proj=IN"},
            {});
        row("1: Inne under priority 1", "1,9", {"pwd SPOT 1", "dsWniosek: rodz_proj=IN"}, {"1"});
        row("1: Inne without a programme", "1,9", {"dsWniosek: rodz_proj=IN"}, {"1"});
        row("1: code compared exactly", "1,9", {"pwd SPOT 1", "dsWniosek: rodz_proj=in"}, {});

        row("4-7: no programme row", "4-7", {}, {"4", "5", "6", "7"});
        row("4-7: a row without a programme", "4-7", {"+dsPozWdr", "post dsPozWdr"},
            {"4", "5", "6", "7"});
        row("4-7: the programme alone", "4-7", {"gate"}, {"5", "6", "7"});
        row("4-7: a measure without sub-measures", "4-7", {"gate", "pwd SPOT 1 1.3"}, {"7"});
        row("4-7: level 4 not applicable", "4-7",
            {"gate", "pwd SPOT 1 1.3", "dsWniosek: pwd_nie_dot_4poz=T"}, {});
        row("4-7: every level", "4-7", {"gate", "pwd SPOT 1 1.1 1.1.2"}, {});

        ModuleFixture d; // the Ids of dictionary codes
        row("10-12: nothing chosen", "10-12", {category(d, "", "")}, {"10"});
        row("10-12: level 1 with children", "10-12", {category(d, "3", "")}, {"11"});
        row("10-12: level 2 without children", "10-12", {category(d, "3", "36")}, {});
        row("10-12: level 2 with children", "10-12", {category(d, "3", "31")}, {"12"});
        row("10-12: all three levels", "10-12", {category(d, "3", "31", "311")}, {});
        row("10-12: technical assistance", "10-12", {category(d, "4", "41")}, {"12"});
        row("10-12: technical assistance, level 1", "10-12", {category(d, "4", "")}, {"11"});

        row("14: no location", "14", {"dsWniosek: lok_caly_kraj=N"}, {"14"});
        row("14: no location, switch blank", "14", {"dsWniosek: lok_caly_kraj="}, {"14"});
        row("14: whole country", "14", {"dsWniosek: lok_caly_kraj=T"}, {});
        row("14: a voivodeship", "14",
            {"dsWniosek: lok_caly_kraj=N",
             u("dsLokalizacja: WOJ_ID=") + dictionaryId(d, "NUTS", 2, "12")},
            {});

        const char* links = "dsWniosek: powiazania_projektu_nie_dot=%1; powiazania_projektu=%2";
        row("16: not applicable", "16", {u(links).arg("T", "")}, {});
        row("16: unanswered", "16", {u(links).arg("", "")}, {"16"});
        row("16: only blanks", "16", {u(links).arg("N", "   ")}, {"16"});
        row("16: described", "16", {u(links).arg("N", u("Powiązany z projektem A"))}, {});

        auto others = [](const char* woj, const char* ue, const char* mnar, const char* efrr,
                         const char* text) {
            return QStringList{u("dsWniosek: inne_pr_kontr_woj=%1; inne_pr_sr_UE=%2; "
                                 "inne_pr_in_mnar=%3; inne_pr_EFRR=%4; inne_pr_opis=%5")
                                   .arg(woj, ue, mnar, efrr, u(text))};
        };
        row("17-21: unanswered", "17-21", others("", "", "", "", ""), {"17", "18", "19", "20"});
        row("17-21: one unanswered", "17-21", others("N", "N", "", "N", ""), {"19"});
        row("17-21: all no, no description", "17-21", others("N", "N", "N", "N", ""), {});
        row("17-21: EFRR yes, no description", "17-21", others("N", "N", "N", "T", ""), {"21"});
        row("17-21: UE yes, blank description", "17-21", others("N", "T", "N", "N", "  "), {"21"});
        row("17-21: yes, described", "17-21", others("T", "N", "N", "N", "Kontrakt 2003"), {});

        const char* support = "dsWniosek: potrzeba_wsparcia=%1; potrzeba_wsparcia_uzasad=%2";
        row("23-24: unanswered", "23-24", {u(support).arg("", "")}, {"23"});
        row("23-24: blank answer", "23-24", {u(support).arg(" ", "")}, {"23"});
        row("23-24: no without reason", "23-24", {u(support).arg("N", "  ")}, {"24"});
        row("23-24: yes with reason", "23-24", {u(support).arg("T", u("Brak środków"))}, {});

        const char* policies =
            "dsWniosek: zgod_srod=%1; zgod_row_szans=%2; zgod_row_szans_uzasad=%3";
        row("43-44: nothing", "43-44", {u(policies).arg("", "", "")}, {"43", "44"});
        row("43-44: equality without reason", "43-44", {u(policies).arg("PPS2", "A2", "")}, {"44"});
        row("43-44: reason without equality", "43-44",
            {u(policies).arg("PPS2", "", u("Bez wpływu"))}, {"44"});
        row("43-44: complete", "43-44", {u(policies).arg("PPS2", "A2", u("Bez wpływu"))}, {});

        row("60: neither", "60", {"dsBeneficjent: nr_rej_sad=; REGON= "}, {"60"});
        row("60: court register only", "60", {"dsBeneficjent: nr_rej_sad=0000012345"}, {});
        row("60: REGON only", "60", {"dsBeneficjent: REGON=123456789"}, {});

        // A complete application whose other-institutions block is then changed: one field of the
        // institution (or the description INNEPODZAANOP) and the switch.
        auto institutions = [](const char* switchValue, const char* field = nullptr,
                               const char* value = "") {
            QStringList s{"complete"};
            if (field)
                s << u("%1: %2=%3")
                         .arg(u(qstrcmp(field, "INNEPODZAANOP") ? "dsInstytucje" : "dsPolaSpec"),
                              u(field), u(value));
            return s << u("switch ") + switchValue;
        };
        row("76-78: list empty", "76-78", {}, {"76"});
        // Answered "N" in the editor: the list is closed and the block is not asked for.
        row("76-78: answered no in the editor", "76-78", {"dsPolaSpec: CZYWYSTINNEINS=N"}, {});
        row("76-78: complete", "76-78", institutions("T"), {});
        row("76-78: complete, switch blank", "76-78", institutions(""), {});
        row("76-78: no description", "76-78", institutions("T", "INNEPODZAANOP", " "), {"76"});
        for (const char* field : {"Nazwa", "for_pr_kod", "adr_miejscowosc", "rola", "adr_nr",
                                  "adr_kod", "nr_tel", "osk_nazwisko", "osk_imie"})
            row(u("76: no ") + field, "76-78", institutions("T", field), {"76"});
        row("76-78: NIP of 10 digits with a dash", "76-78", institutions("T", "NIP", "123456789-0"),
            {"77"});
        row("76-78: NIP with dashes, switch blank", "76-78",
            institutions("", "NIP", "123-456-78-90"), {"77"});
        row("76-78: NIP of 9 digits", "76-78", institutions("T", "NIP", "123456789"), {"77"});
        row("76-78: NIP empty", "76-78", institutions("T", "NIP", ""), {});
        row("76-78: REGON of 14 digits", "76-78", institutions("T", "REGON", "12345678901234"),
            {"78"});
        row("76-78: REGON with a letter", "76-78", institutions("T", "REGON", "12345678X"), {"78"});
        // "N" skips the block even when the rows left in the list are faulty.
        row("76-78: not applicable, faulty NIP", "76-78", institutions("N", "NIP", "123"), {});
        row("76-78: not applicable, no role", "76-78", institutions("N", "rola"), {});
        row("76-78: not applicable, no description", "76-78", institutions("N", "INNEPODZAANOP"),
            {});

        auto declaration = [&](const char* name, const char* first, const char* last,
                               const QStringList& findings) {
            row(name, "79-83",
                {u("dsBeneficjent: bk_imie=%1; bk_nazwisko=%2; bk_stanowisko=Prezes")
                     .arg(u(first), u(last))},
                findings);
        };
        declaration("79-83: capitals", "JAN", "KOWALSKI", {});
        declaration("79-83: Polish capitals", "ŁUKASZ", "ŻÓŁKIEWSKI", {});
        declaration("79-83: blanks around", "  JAN ", " KOWALSKI", {});
        declaration("79-83: one lower-case letter", "JAn", "KOWALSKI", {"80"});
        declaration("79-83: lower-case diacritic", "ANNA", "ŻÓłKIEWSKA", {"82"});
        declaration("79-83: both lower case", "jan", "kowalski", {"80", "82"});
        // Capitals as windows-1250 holds them: "µ" and "ß" have none there.
        declaration("79-83: letters without a capital", "JANµ", "GROß", {});
        declaration("79-83: lower case next to them", "Janµ", "Groß", {"80", "82"});
        row("79-83: nothing", "79-83", {"dsBeneficjent: bk_imie=; bk_nazwisko=  ; bk_stanowisko="},
            {"79", "81", "83"});
        declaration("79-83: digits and a hyphen", "JAN 2", "NOWAK-KOWALSKI", {});

        row("84: last day of 2003", "84", {"dsWniosek: osw_ben_data=2003-12-31"}, {"84"});
        row("84: 1 January 2004", "84", {"dsWniosek: osw_ben_data=2004-01-01"}, {});
        row("84: empty", "84", {"dsWniosek: osw_ben_data="}, {});
    }

    void rules() { runCase(kTable(), {}, {}, projectStep); }

    // Rules 11-12 walk the category dictionaries with their filters off and restore them.
    void rules11and12_dictionaryFilters() {
        ModuleFixture fx;
        fx.play({category(fx, "3", "31")});
        DataSet& level2 = *fx.dm->dictionaryTable(u("INT"), 2);
        DataSet& level3 = *fx.dm->dictionaryTable(u("INT"), 3);
        level3.setFilter(u("KOD = '999'"));
        level3.setFiltered(false);
        QCOMPARE(runNumbered(fx, kTable(), "11-12").lines(), withMessages(kTable(), {"12"}));
        QCOMPARE(std::make_tuple(level2.filter(), level2.isFiltered(), level2.recordCount()),
                 std::make_tuple(QString(), false, 20));
        QCOMPARE(std::make_tuple(level3.filter(), level3.isFiltered()),
                 std::make_tuple(u("KOD = '999'"), false));

        // A filter that hides the whole level does not hide it from the rule.
        level3.setFiltered(true);
        QCOMPARE(runNumbered(fx, kTable(), "12").lines(), withMessages(kTable(), {"12"}));
        QCOMPARE(std::make_tuple(level3.filter(), level3.isFiltered(), level3.recordCount()),
                 std::make_tuple(u("KOD = '999'"), true, 0));

        // A dictionary edition without level-2 entries under "4" asks for neither lower level.
        fx.play({category(fx, "4", "")});
        QVERIFY(level2.locate(u("KOD"), u("41")));
        QVERIFY(level2.deleteRecord());
        QCOMPARE(runNumbered(fx, kTable(), "11-12").lines(), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestRulesProject)
#include "tst_rules_project.moc"
