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
    {{},
     Severity::Error,
     "Należy wypełnić dane o etapach realizacji Projektu",
     "dsWniosek",
     "harm_rzecz_rozp_tmp",
     "e1000112",
     [](ValidationRun& r) { return table(r, "dsEtapyRealizacji").isEmpty(); },
     {}},
    {{},
     Severity::Error,
     "W polu \"Termin zakończenia\" dla poszczególnych etapów realizacji Projektu nie może być "
     "wcześniejsza data niż w  polu \"Termin rozpoczęcia\"",
     "dsEtapyRealizacji",
     "TERMIN_ZAK",
     "e10000113",
     [](ValidationRun& r) {
         return earlierMissingFirst(stage(r, "TERMIN_ZAK"), stage(r, "TERMIN_ROZP"));
     },
     {}},
    {{},
     Severity::Error,
     "W polu \"Termin zakończenia\" dla poszczególnych etapów realizacji Projektu nie może być "
     "poźniejsza data niż w  polu \"Termin rzeczowego zakończenia Projektu\"",
     "dsWniosek",
     "harm_rzecz_zak_tmp",
     "e1000114",
     [](ValidationRun& r) { return stageAfterPhysicalEnd(r, "TERMIN_ZAK"); },
     {}},
    {{},
     Severity::Error,
     "W polu \"Termin rozpoczęcia\" dla poszczególnych etapów realizacji Projektu nie może być "
     "poźniejsza data niż w  polu \"Termin rzeczowego zakończenia Projektu\"",
     "dsWniosek",
     "harm_rzecz_zak_tmp",
     "e1000114",
     [](ValidationRun& r) { return stageAfterPhysicalEnd(r, "TERMIN_ROZP"); },
     {}},
};

const ValidationRule& kNoStages = kTests[0];
const std::span<const ValidationRule> kStageTests(kTests + 1, std::size(kTests) - 1);

} // namespace

const ValidationRule& FinanceRuleFamilies::stages() {
    static const ValidationRule kRule = {
        "42"_rule, Severity::Error,
        nullptr,   nullptr,
        nullptr,   nullptr,
        {},        [](ValidationRun& r, const ValidationRule&) {
                                             CheckStages(r); },
        kTests};
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
