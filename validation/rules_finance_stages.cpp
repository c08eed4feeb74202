// Rule 42 (CheckStages): the implementation stages against each other and against the
// physical end of the project.
#include "model/dm_main.h"
#include "platform/utils/datasetscanscope.h"
#include "validation/rules_finance.h"
#include "validation/rules_finance_checks.h"
#include "validation/rules_finance_families.h"

using namespace FinanceChecks;

namespace {

Field& stage(ValidationRun& r, const char* name) {
    return field(r, "dsEtapyRealizacji", name);
}

// The physical end is given and earlier than the stage's date.
bool stageAfterPhysicalEnd(ValidationRun& r, const char* stageDate) {
    const Field& end = wniosek(r, "harm_rzecz_zak");
    return !end.isNull() && earlierMissingFirst(end, stage(r, stageDate));
}

// The tests of rule 42 in order: no stages at all, then for each stage the tests of that
// stage; the first that fails ends the walk. They are recorded under the rule's number.
const ValidationRule kTests[] = {
    {.severity = Severity::Error,
     .message = "Należy wypełnić dane o etapach realizacji Projektu",
     .table = "dsWniosek",
     .field = "harm_rzecz_rozp_tmp",
     .control = "e1000112",
     .fails = [](ValidationRun& r) { return table(r, "dsEtapyRealizacji").isEmpty(); }},
    {.severity = Severity::Error,
     .message =
         "W polu \"Termin zakończenia\" dla poszczególnych etapów realizacji Projektu nie może być "
         "wcześniejsza data niż w  polu \"Termin rozpoczęcia\"",
     .table = "dsEtapyRealizacji",
     .field = "TERMIN_ZAK",
     .control = "e10000113",
     .fails =
         [](ValidationRun& r) {
             return earlierMissingFirst(stage(r, "TERMIN_ZAK"), stage(r, "TERMIN_ROZP"));
         }},
    {.severity = Severity::Error,
     .message =
         "W polu \"Termin zakończenia\" dla poszczególnych etapów realizacji Projektu nie może być "
         "poźniejsza data niż w  polu \"Termin rzeczowego zakończenia Projektu\"",
     .table = "dsWniosek",
     .field = "harm_rzecz_zak_tmp",
     .control = "e1000114",
     .fails = [](ValidationRun& r) { return stageAfterPhysicalEnd(r, "TERMIN_ZAK"); }},
    {.severity = Severity::Error,
     .message =
         "W polu \"Termin rozpoczęcia\" dla poszczególnych etapów realizacji Projektu nie może być "
         "poźniejsza data niż w  polu \"Termin rzeczowego zakończenia Projektu\"",
     .table = "dsWniosek",
     .field = "harm_rzecz_zak_tmp",
     .control = "e1000114",
     .fails = [](ValidationRun& r) { return stageAfterPhysicalEnd(r, "TERMIN_ROZP"); }},
};

const ValidationRule& kNoStages = kTests[0];
const std::span<const ValidationRule> kStageTests(kTests + 1, std::size(kTests) - 1);

} // namespace

const ValidationRule& FinanceRuleFamilies::stages() {
    static const ValidationRule kRule = {
        .number = "42"_rule,
        .severity = Severity::Error,
        .body = [](ValidationRun& r, const ValidationRule&) { CheckStages(r); },
        .parts = kTests};
    return kRule;
}

bool CheckStages(ValidationRun& run) {
    const RuleNumber number = FinanceRuleFamilies::stages().number;
    if (!evaluate(run, kNoStages, number)) return false;
    DataSet& stages = table(run, "dsEtapyRealizacji");
    Utils::DataSetScanScope walk(stages); // back on the stage that was current
    for (stages.first(); !stages.eof(); stages.next())
        for (const ValidationRule& test : kStageTests)
            if (!evaluate(run, test, number)) return false;
    return true;
}
