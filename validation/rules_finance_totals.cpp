// Rules 2-3: the public funds of the expenditure profile and of the sources of finance.
#include "model/dm_main.h"
#include "model/finance_tree_rows.h"
#include "validation/rules_finance_checks.h"
#include "validation/rules_finance_families.h"

using namespace FinanceChecks;

namespace {

// The first "Publiczne" row of the tree (it becomes the current row) totals 0. A tree
// without such a row, or with a negative total, passes.
bool publicTotalZero(ValidationRun& run, const char* tree) {
    DataSet& t = table(run, tree);
    return locateSource(t, FinanceTreeRows::nameOf(FinanceTreeRows::kPublicId)) &&
           t.field(QStringLiteral("RAZEM")).asFloat() == 0.0;
}

} // namespace

std::span<const ValidationRule> FinanceRuleFamilies::publicTotals() {
    static const ValidationRule kRules[] = {
        {.number = "2"_rule,
         .severity = Severity::Error,
         .message = "Pole \"Profil wydatkowania środków w ramach Projektu - środki publiczne "
                    "(SUMA)\" musi "
                    "zawierać wartość wiekszą od zera",
         .table = "dsProfilWyd",
         .field = "RAZEM",
         .control = "e615001",
         .fails = [](ValidationRun& r) { return publicTotalZero(r, "dsProfilWyd"); }},
        {.number = "3"_rule,
         .severity = Severity::Error,
         .message = "Pole \"Źródła finansowania projektu - środki publiczne (SUMA)\" musi zawierać "
                    "wartość "
                    "wiekszą od zera",
         .table = "dsZrodlaFin",
         .field = "RAZEM",
         .control = "e615001",
         .fails = [](ValidationRun& r) { return publicTotalZero(r, "dsZrodlaFin"); }},
    };
    return kRules;
}
