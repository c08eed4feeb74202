// The validation run and the rules of the project, the applicant, the persons, the other
// institutions and the declaration.
#include "examples/generator/sample_application.h"
#include "tests/model/module_fixture.h"
#include "validation/rule_set.h"
#include "validation/rules_finance.h"
#include "validation/rules_project.h"

#include <QDate>
#include <QFile>
#include <QTest>

#include <functional>
#include <tuple>
#include <utility>

using namespace ModuleTest;

namespace {

// The messages the table gives the rules (their texts are held by the file tests).
QStringList messagesOf(const QStringList& rules) {
    QStringList out;
    for (const QString& n : rules)
        for (const ValidationRule& r : projectApplicantRules())
            if (n == QLatin1String(r.number.text())) out << u(r.message);
    return out;
}

QStringList range(int from, int to) {
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::number(i);
    return out;
}

bool isProjectRule(const QString& number) {
    for (const ValidationRule& r : projectApplicantRules())
        if (number == QLatin1String(r.number.text())) return true;
    return false;
}

QVariant dictionaryId(const ModuleFixture& fx, const char* code, int level, const QString& kod) {
    return kod.isEmpty() ? QVariant()
                         : fx.dm->dictionaryTable(u(code), level)->lookup(u("KOD"), kod, u("ID"));
}

struct Outcome {
    bool passed = true;
    QStringList rules, messages;
    QList<Finding> findings;
};

// Runs some rules of the table (all when none are named) through the run of the rule set.
Outcome runProjectRules(ModuleFixture& fx, const QStringList& numbers = {},
                        ControlLocator locator = {}) {
    std::vector<const ValidationRule*> rules;
    for (const ValidationRule& r : projectApplicantRules())
        if (numbers.isEmpty() || numbers.contains(QLatin1String(r.number.text())))
            rules.push_back(&r);
    if (!numbers.isEmpty() && rules.size() != size_t(numbers.size()))
        qFatal("a requested rule is not in the table");
    FindingList window;
    Outcome out;
    out.passed = runRules(*fx.dm, window, rules, std::move(locator));
    out.findings = window.findings();
    for (const Finding& f : out.findings)
        out.rules << f.rule, out.messages << f.message;
    return out;
}

// The sample application, which passes every rule, with one complete other institution.
void fillProjectAndApplicant(ModuleFixture& fx) {
    fx.dm->SprawdzSlownik();
    SampleApplication::fill(*fx.dm);
    set(fx.t("dsPolaSpec"),
        {{"CZYWYSTINNEINS", u("T")}, {"INNEPODZAANOP", u("Udostępnienie terenu")}});
    set(fx.t("dsInstytucje"), {{"Nazwa", u("Gmina Nowogrodziec")},
                               {"for_pr_kod", u("SG")},
                               {"adr_miejscowosc", u("Nowogrodziec")},
                               {"rola", u("Partner")},
                               {"adr_nr", u("3")},
                               {"adr_kod", u("59-730")},
                               {"nr_tel", u("757310003")},
                               {"osk_nazwisko", u("Wiśniewska")},
                               {"osk_imie", u("Ewa")},
                               {"NIP", u("6121234567")},
                               {"REGON", u("230821234")}});
}

// Sets the other-institutions switch without its rule, which would close or open the list.
void setInstitutionsSwitchOnly(ModuleFixture& fx, const QString& value) {
    Field& sw = fx.f("dsPolaSpec", "CZYWYSTINNEINS");
    auto saved = std::exchange(sw.onChange, nullptr);
    set(fx.t("dsPolaSpec"), {{"CZYWYSTINNEINS", value}});
    sw.onChange = std::move(saved);
}

// The numbers of this table an application with nothing entered fails, in rule order. The
// programme set by the dictionary gate has emptied the project type.
QStringList emptyApplicationFailures() {
    return QStringList{"5",  "6",  "7",  "8",  "9",  "10", "13", "14", "15",
                       "16", "17", "18", "19", "20", "22", "23", "43", "44"} +
           range(50, 76) + QStringList{"79", "81", "83"};
}

ValidationRule constantRule(RuleNumber number, Severity severity = Severity::Error,
                            bool fails = false) {
    return {number,
            severity,
            "komunikat",
            "dsBeneficjent",
            "Nazwa",
            "e500001",
            [fails](ValidationRun&) { return fails; },
            {}};
}

using Setup = std::function<void(ModuleFixture&)>;

Setup put(const char* table, const Values& values) {
    return [table, values](ModuleFixture& fx) { set(fx.t(table), values); };
}

Setup category(const char* l1, const char* l2, const char* l3) {
    return [=](ModuleFixture& fx) {
        set(fx.t("dsKatInt"), {{"ID1", dictionaryId(fx, "INT", 1, u(l1))},
                               {"ID2", dictionaryId(fx, "INT", 2, u(l2))},
                               {"ID3", dictionaryId(fx, "INT", 3, u(l3))}});
    };
}

// A complete application whose other-institutions block is then changed: one field of
// the institution (or the description INNEPODZAANOP) and the switch, without its rule.
Setup institutions(const char* switchValue, const char* field = nullptr, const char* value = "") {
    return [=](ModuleFixture& fx) {
        fillProjectAndApplicant(fx);
        if (field)
            set(fx.t(qstrcmp(field, "INNEPODZAANOP") == 0 ? "dsPolaSpec" : "dsInstytucje"),
                {{field, u(value)}});
        setInstitutionsSwitchOnly(fx, u(switchValue));
    };
}

Setup declaration(const char* first, const char* last, const char* position) {
    return put("dsBeneficjent",
               {{"bk_imie", u(first)}, {"bk_nazwisko", u(last)}, {"bk_stanowisko", u(position)}});
}

} // namespace

Q_DECLARE_METATYPE(Setup)

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

    void run_resultAndWarningFlag_data() {
        QTest::addColumn<bool>("warningBefore");
        QTest::addColumn<bool>("errorFails");
        QTest::addColumn<bool>("warningFails");
        QTest::addColumn<bool>("passed");
        QTest::addColumn<bool>("warning");
        QTest::addColumn<QList<int>>("images");

        QTest::newRow("flag of the last run cleared")
            << true << false << false << true << false << QList<int>{};
        QTest::newRow("error rule") << false << true << false << false << false << QList<int>{0};
        QTest::newRow("warning rule only")
            << false << false << true << true << true << QList<int>{1};
        QTest::newRow("both") << false << true << true << false << true << QList<int>{1, 0};
    }

    void run_resultAndWarningFlag() {
        QFETCH(bool, warningBefore);
        QFETCH(bool, errorFails);
        QFETCH(bool, warningFails);
        QFETCH(QList<int>, images);

        ModuleFixture fx;
        fx.dm->ValidationWarning = warningBefore;
        // The warning rule first: the passing rule after it must not clear the flag.
        const ValidationRule rules[] = {constantRule("101"_rule, Severity::Warning, warningFails),
                                        constantRule("102"_rule, Severity::Error, errorFails),
                                        constantRule("103"_rule, Severity::Error, false)};
        FindingList window;
        QTEST(runRules(*fx.dm, window, {&rules[0], &rules[1], &rules[2]}), "passed");
        QTEST(fx.dm->ValidationWarning, "warning");
        QList<int> recorded;
        for (const Finding& f : window.findings())
            recorded << f.imageIndex();
        QCOMPARE(recorded, images);
    }

    void run_failedRuleWithoutControlCountsUnlisted() {
        ModuleFixture fx; // no programme row: rule 4 fails
        // An editor in which no field has a control: only the rule that names its control
        // directly is listed, yet the run fails.
        const Outcome none = runProjectRules(
            fx, {"4", "59"}, [](const Field&, const QString&) { return QString(); });
        QVERIFY(!none.passed);
        QCOMPARE(none.rules, QStringList{"4"});
        QCOMPARE(none.findings.first().control, u("e100001"));

        const Outcome renamed =
            runProjectRules(fx, {"59"}, [](const Field& f, const QString& tableControl) {
                return f.name() + QLatin1Char('/') + tableControl;
            });
        QCOMPARE(renamed.findings.first().control, u("NIP/e500014"));
    }

    // Alone and within the merged run (ordered by number), in rule order; Validate records
    // the same into the prepared window.
    void emptyApplication_findingsInRuleOrder() {
        ModuleFixture fx;
        fx.dm->SprawdzSlownik();
        const Outcome out = runProjectRules(fx);
        QVERIFY(!out.passed);
        QCOMPARE(out.rules, emptyApplicationFailures());
        QCOMPARE(out.messages, messagesOf(emptyApplicationFailures()));

        fx.dm->ValidationWarning = true;
        FindingList direct;
        QVERIFY(!runRuleSet(*fx.dm, direct));
        QVERIFY(!fx.dm->ValidationWarning);
        QStringList own, viaRun, viaValidate;
        int previous = 0;
        for (const Finding& f : direct.findings()) {
            const int n = ruleOrdinal(f.rule.toLatin1().constData());
            QVERIFY2(n >= previous, qPrintable(f.rule));
            previous = n;
            if (isProjectRule(f.rule)) own << f.rule;
            viaRun << f.rule + QLatin1Char(' ') + f.message;
        }
        QCOMPARE(own, emptyApplicationFailures());
        QVERIFY(direct.findings().size() > own.size()); // the other table took part

        // Without a prepared window there is nothing to record into: an error, which the
        // exports count as a failed validation.
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
            const bool ok = fx.dm->TdmDataSets_t::Validate();
            QStringList lines;
            for (const Finding& f : window.findings())
                lines << f.field + QLatin1Char(' ') + f.message;
            return std::make_pair(ok, lines);
        };
        QCOMPARE(run(),
                 std::make_pair(
                     false, QStringList{u("adr_nr Pole \"Nr domu\" musi być wypełnione"),
                                        u("adr_kod Pole \"Kod pocztowy\" musi być wypełnione")}));
        QVERIFY(fx.ui.shownTexts().isEmpty());
        set(fx.t("dsBeneficjent"), {{"adr_nr", u("12")}});
        QCOMPARE(run(),
                 std::make_pair(
                     false, QStringList{u("adr_kod Pole \"Kod pocztowy\" musi być wypełnione")}));
        set(fx.t("dsBeneficjent"), {{"adr_kod", u("00-950")}});
        QCOMPARE(run(), std::make_pair(true, QStringList{}));
    }

    // ---------------------------------------------------------------- the rules' edge cases

    void rules_edgeCases_data() {
        QTest::addColumn<QStringList>("rules");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QStringList>("failed");
        auto row = [](const char* name, const QStringList& rules, const Setup& setup,
                      const QStringList& failed) {
            QTest::newRow(name) << rules << setup << failed;
        };
        auto type = [](const char* priority, const char* kind) {
            return [=](ModuleFixture& fx) {
                if (*priority) fx.dm->UstawPWD(u("SPOT"), u(priority));
                set(fx.t("dsWniosek"), {{"rodz_proj", u(kind)}});
            };
        };
        row("complete application, every rule", {}, fillProjectAndApplicant, {});

        const QStringList typeRules{"1", "9"};
        row("1: Inne under technical assistance", typeRules, type("3", "IN"), {});
        row("1: Inne under priority 1", typeRules, type("1", "IN"), {"1"});
        row("1: Inne without a programme", typeRules, type("", "IN"), {"1"});
        row("1: code compared exactly", typeRules, type("1", "in"), {});

        const QStringList categoryRules{"10", "11", "12"};
        row("10-12: nothing chosen", categoryRules, category("", "", ""), {"10"});
        row("10-12: level 1 with children", categoryRules, category("3", "", ""), {"11"});
        row("10-12: level 2 without children", categoryRules, category("3", "36", ""), {});
        row("10-12: level 2 with children", categoryRules, category("3", "31", ""), {"12"});
        row("10-12: all three levels", categoryRules, category("3", "31", "311"), {});
        row("10-12: technical assistance", categoryRules, category("4", "41", ""), {"12"});
        row("10-12: technical assistance, level 1", categoryRules, category("4", "", ""), {"11"});

        auto location = [](const char* wholeCountry, const char* voivodeship) {
            return [=](ModuleFixture& fx) {
                set(fx.t("dsWniosek"), {{"lok_caly_kraj", u(wholeCountry)}});
                if (*voivodeship)
                    set(fx.t("dsLokalizacja"),
                        {{"WOJ_ID", dictionaryId(fx, "NUTS", 2, u(voivodeship))}});
            };
        };
        row("14: no location", {"14"}, location("N", ""), {"14"});
        row("14: no location, switch blank", {"14"}, location("", ""), {"14"});
        row("14: whole country", {"14"}, location("T", ""), {});
        row("14: a voivodeship", {"14"}, location("N", "12"), {});

        auto links = [](const char* notApplicable, const char* text) {
            return put("dsWniosek", {{"powiazania_projektu_nie_dot", u(notApplicable)},
                                     {"powiazania_projektu", u(text)}});
        };
        row("16: not applicable", {"16"}, links("T", ""), {});
        row("16: unanswered", {"16"}, links("", ""), {"16"});
        row("16: only blanks", {"16"}, links("N", "   "), {"16"});
        row("16: described", {"16"}, links("N", "Powiązany z projektem A"), {});

        auto others = [](const char* woj, const char* ue, const char* mnar, const char* efrr,
                         const char* text) {
            return put("dsWniosek", {{"inne_pr_kontr_woj", u(woj)},
                                     {"inne_pr_sr_UE", u(ue)},
                                     {"inne_pr_in_mnar", u(mnar)},
                                     {"inne_pr_EFRR", u(efrr)},
                                     {"inne_pr_opis", u(text)}});
        };
        row("17-21: unanswered", range(17, 21), others("", "", "", "", ""), range(17, 20));
        row("17-21: one unanswered", range(17, 21), others("N", "N", "", "N", ""), {"19"});
        row("17-21: all no, no description", range(17, 21), others("N", "N", "N", "N", ""), {});
        row("17-21: EFRR yes, no description", range(17, 21), others("N", "N", "N", "T", ""),
            {"21"});
        row("17-21: UE yes, blank description", range(17, 21), others("N", "T", "N", "N", "  "),
            {"21"});
        row("17-21: yes, described", range(17, 21), others("T", "N", "N", "N", "Kontrakt 2003"),
            {});

        auto support = [](const char* need, const char* reason) {
            return put("dsWniosek",
                       {{"potrzeba_wsparcia", u(need)}, {"potrzeba_wsparcia_uzasad", u(reason)}});
        };
        row("23-24: unanswered", {"23", "24"}, support("", ""), {"23"});
        row("23-24: blank answer", {"23", "24"}, support(" ", ""), {"23"});
        row("23-24: no without reason", {"23", "24"}, support("N", "  "), {"24"});
        row("23-24: yes with reason", {"23", "24"}, support("T", "Brak środków"), {});

        auto policies = [](const char* environment, const char* equality, const char* reason) {
            return put("dsWniosek", {{"zgod_srod", u(environment)},
                                     {"zgod_row_szans", u(equality)},
                                     {"zgod_row_szans_uzasad", u(reason)}});
        };
        row("43-44: nothing", {"43", "44"}, policies("", "", ""), {"43", "44"});
        row("43-44: equality without reason", {"43", "44"}, policies("PPS2", "A2", ""), {"44"});
        row("43-44: reason without equality", {"43", "44"}, policies("PPS2", "", "Bez wpływu"),
            {"44"});
        row("43-44: complete", {"43", "44"}, policies("PPS2", "A2", "Bez wpływu"), {});

        row("60: neither", {"60"}, put("dsBeneficjent", {{"nr_rej_sad", u("")}, {"REGON", u(" ")}}),
            {"60"});
        row("60: court register only", {"60"},
            put("dsBeneficjent", {{"nr_rej_sad", u("0000012345")}}), {});
        row("60: REGON only", {"60"}, put("dsBeneficjent", {{"REGON", u("123456789")}}), {});

        const QStringList institutionRules{"76", "77", "78"};
        row("76-78: list empty", institutionRules, {}, {"76"});
        // Answered "N" in the editor: the list is closed and the block is not asked for.
        row("76-78: answered no in the editor", institutionRules,
            put("dsPolaSpec", {{"CZYWYSTINNEINS", u("N")}}), {});
        row("76-78: complete", institutionRules, institutions("T"), {});
        row("76-78: complete, switch blank", institutionRules, institutions(""), {});
        row("76-78: no description", institutionRules, institutions("T", "INNEPODZAANOP", " "),
            {"76"});
        for (const char* field : {"Nazwa", "for_pr_kod", "adr_miejscowosc", "rola", "adr_nr",
                                  "adr_kod", "nr_tel", "osk_nazwisko", "osk_imie"})
            QTest::addRow("76: no %s", field)
                << institutionRules << institutions("T", field) << QStringList{"76"};
        row("76-78: no role, switch blank", institutionRules, institutions("", "rola"), {"76"});
        row("76-78: NIP of 10 digits with a dash", institutionRules,
            institutions("T", "NIP", "123456789-0"), {"77"});
        row("76-78: NIP with dashes, switch blank", institutionRules,
            institutions("", "NIP", "123-456-78-90"), {"77"});
        row("76-78: NIP of 9 digits", institutionRules, institutions("T", "NIP", "123456789"),
            {"77"});
        row("76-78: NIP empty", institutionRules, institutions("T", "NIP", ""), {});
        row("76-78: REGON of 14 digits", institutionRules,
            institutions("T", "REGON", "12345678901234"), {"78"});
        row("76-78: REGON with a letter", institutionRules, institutions("T", "REGON", "12345678X"),
            {"78"});
        // "N" skips the block even when the rows left in the list are faulty.
        row("76-78: not applicable, faulty NIP", institutionRules, institutions("N", "NIP", "123"),
            {});
        row("76-78: not applicable, no role", institutionRules, institutions("N", "rola"), {});
        row("76-78: not applicable, no description", institutionRules,
            institutions("N", "INNEPODZAANOP"), {});

        const QStringList declarationRules = range(79, 83);
        row("79-83: capitals", declarationRules, declaration("JAN", "KOWALSKI", "Prezes"), {});
        row("79-83: Polish capitals", declarationRules,
            declaration("ŁUKASZ", "ŻÓŁKIEWSKI", "Prezes"), {});
        row("79-83: blanks around", declarationRules, declaration("  JAN ", " KOWALSKI", "Prezes"),
            {});
        row("79-83: one lower-case letter", declarationRules,
            declaration("JAn", "KOWALSKI", "Prezes"), {"80"});
        row("79-83: lower-case diacritic", declarationRules,
            declaration("ANNA", "ŻÓłKIEWSKA", "Prezes"), {"82"});
        row("79-83: both lower case", declarationRules, declaration("jan", "kowalski", "Prezes"),
            {"80", "82"});
        // Capitals as windows-1250 holds them: "µ" and "ß" have none there.
        row("79-83: letters without a capital", declarationRules,
            declaration("JANµ", "GROß", "Prezes"), {});
        row("79-83: lower case next to them", declarationRules,
            declaration("Janµ", "Groß", "Prezes"), {"80", "82"});
        row("79-83: nothing", declarationRules, declaration("", "  ", ""), {"79", "81", "83"});
        row("79-83: digits and a hyphen", declarationRules,
            declaration("JAN 2", "NOWAK-KOWALSKI", "Prezes"), {});

        auto signedOn = [](QDate date) {
            return put("dsWniosek",
                       {{"osw_ben_data", date.isValid() ? QVariant(date) : QVariant()}});
        };
        row("84: last day of 2003", {"84"}, signedOn(QDate(2003, 12, 31)), {"84"});
        row("84: 1 January 2004", {"84"}, signedOn(QDate(2004, 1, 1)), {});
        row("84: empty", {"84"}, signedOn(QDate()), {});
    }

    void rules_edgeCases() {
        QFETCH(QStringList, rules);
        QFETCH(Setup, setup);
        QFETCH(QStringList, failed);

        ModuleFixture fx;
        if (setup) setup(fx);
        const Outcome out = runProjectRules(fx, rules);
        QCOMPARE(out.messages, messagesOf(failed));
        QCOMPARE(out.rules, failed);
        QCOMPARE(out.passed, failed.isEmpty());
    }

    void rules4to7_programmeLevels() {
        ModuleFixture fx;
        const QStringList levels{"4", "5", "6", "7"};
        QCOMPARE(runProjectRules(fx, levels).rules, levels); // no programme row at all
        fx.t("dsPozWdr").append();
        fx.t("dsPozWdr").post();
        QCOMPARE(runProjectRules(fx, levels).rules, levels); // a row without a programme

        QVERIFY(fx.dm->SprawdzSlownik());
        QCOMPARE(runProjectRules(fx, levels).messages, messagesOf({"5", "6", "7"}));
        QVERIFY(fx.dm->UstawPWD(u("SPOT"), u("1"), u("1.3"))); // a measure without sub-measures
        QCOMPARE(runProjectRules(fx, levels).rules, QStringList{"7"});
        set(fx.t("dsWniosek"), {{"pwd_nie_dot_4poz", u("T")}});
        QCOMPARE(runProjectRules(fx, levels).rules, QStringList{});
        set(fx.t("dsWniosek"), {{"pwd_nie_dot_4poz", u("N")}});
        QVERIFY(fx.dm->UstawPWD(u("SPOT"), u("1"), u("1.1"), u("1.1.2")));
        QCOMPARE(runProjectRules(fx, levels).rules, QStringList{});
    }

    void rules11and12_categoryWithoutChildren() {
        ModuleFixture fx;
        category("4", "", "")(fx);
        // A dictionary edition without level-2 entries under "4" asks for neither lower level.
        DataSet& level2 = *fx.dm->dictionaryTable(u("INT"), 2);
        QVERIFY(level2.locate(u("KOD"), u("41")));
        QVERIFY(level2.deleteRecord());
        QCOMPARE(runProjectRules(fx, {"11", "12"}).rules, QStringList{});
    }

    void rules11and12_restoreDictionaryFilters() {
        ModuleFixture fx;
        category("3", "31", "")(fx);
        DataSet& level2 = *fx.dm->dictionaryTable(u("INT"), 2);
        DataSet& level3 = *fx.dm->dictionaryTable(u("INT"), 3);
        level3.setFilter(u("KOD = '999'"));
        level3.setFiltered(false);
        QCOMPARE(runProjectRules(fx, {"11", "12"}).rules, QStringList{"12"});
        QCOMPARE(std::make_tuple(level2.filter(), level2.isFiltered(), level2.recordCount()),
                 std::make_tuple(QString(), false, 20));
        QCOMPARE(std::make_tuple(level3.filter(), level3.isFiltered()),
                 std::make_tuple(u("KOD = '999'"), false));

        // A filter that hides the whole level does not hide it from the rule.
        level3.setFiltered(true);
        QCOMPARE(runProjectRules(fx, {"12"}).rules, QStringList{"12"});
        QCOMPARE(std::make_tuple(level3.filter(), level3.isFiltered(), level3.recordCount()),
                 std::make_tuple(u("KOD = '999'"), true, 0));
    }
};

QTEST_GUILESS_MAIN(TestRulesProject)
#include "tst_rules_project.moc"
