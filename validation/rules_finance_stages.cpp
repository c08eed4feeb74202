// Rule 42 (CheckStages): the implementation stages against each other and against the
// physical end of the project.
#include "model/dm_main.h"
#include "platform/utils/datasetscanscope.h"
#include "validation/rules_finance.h"
#include "validation/rules_finance_checks.h"

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

const ValidationRule kNoStages = {
    "42",
    Severity::Error,
    "Należy wypełnić dane o etapach realizacji Projektu",
    "dsWniosek",
    "harm_rzecz_rozp_tmp",
    "e1000112",
    [](ValidationRun& r) { return table(r, "dsEtapyRealizacji").isEmpty(); },
    {}};

// The tests of one stage, in order; the first that fails ends the walk.
const ValidationRule kStageTests[] = {
    {"42",
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
    {"42",
     Severity::Error,
     "W polu \"Termin zakończenia\" dla poszczególnych etapów realizacji Projektu nie może być "
     "poźniejsza data niż w  polu \"Termin rzeczowego zakończenia Projektu\"",
     "dsWniosek",
     "harm_rzecz_zak_tmp",
     "e1000114",
     [](ValidationRun& r) { return stageAfterPhysicalEnd(r, "TERMIN_ZAK"); },
     {}},
    {"42",
     Severity::Error,
     "W polu \"Termin rozpoczęcia\" dla poszczególnych etapów realizacji Projektu nie może być "
     "poźniejsza data niż w  polu \"Termin rzeczowego zakończenia Projektu\"",
     "dsWniosek",
     "harm_rzecz_zak_tmp",
     "e1000114",
     [](ValidationRun& r) { return stageAfterPhysicalEnd(r, "TERMIN_ROZP"); },
     {}},
};

} // namespace

bool CheckStages(ValidationRun& run) {
    if (!evaluate(run, kNoStages)) return false;
    DataSet& stages = table(run, "dsEtapyRealizacji");
    Utils::DataSetScanScope walk(stages); // back on the stage that was current
    for (stages.first(); !stages.eof(); stages.next())
        for (const ValidationRule& test : kStageTests)
            if (!evaluate(run, test)) return false;
    return true;
}
