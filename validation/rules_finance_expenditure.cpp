// Rules 96-105: planned expenditure, sources of finance and the expenditure profile, with
// the co-financing limit of the Structural Funds (warnings 101 and 105).
#include "model/dm_main.h"
#include "model/finance_tree_rows.h"
#include "model/finance_years.h"
#include "platform/utils/datasetscans.h"
#include "platform/utils/datasetscanscope.h"
#include "validation/rules_finance_checks.h"
#include "validation/rules_finance_families.h"
#include "validation/rules_finance_years.h"

#include <QStringList>

#include <cmath>

using namespace FinanceChecks;
using FinanceYearRanges::usedAfterPhysicalEnd;
using FinanceYearRanges::usedBeforeStart;
using FinanceYearRanges::yearSwitchOn;
using FinanceYearRanges::YearTable;
using FinanceYears::columnName;

namespace {

const YearTable kPlanned{.table = "dsPlanWydatki", .switchPrefix = "tab6m"};
const YearTable kSources{.table = "dsZrodlaFin", .switchPrefix = "tab6n"};
const YearTable kProfile{.table = "dsProfilWyd", .switchPrefix = "tab6o"};

double amountIn(const DataSet& t, int year) {
    return t.field(columnName(year)).asFloat();
}

// An eligible row lacks its category, or holds 0 in 2004-2008 and in every later year,
// all of which are switched on. A later year switched off, or with an amount, makes the
// row complete.
bool eligibleRowIncomplete(ValidationRun& r, const DataSet& plan) {
    if (empty(plan.field(QStringLiteral("Kategoria")))) return true;
    for (int year = FinanceYears::kFirstYear; year <= FinanceYears::kLastBaseYear; ++year)
        if (amountIn(plan, year) != 0.0) return false;
    for (int year = FinanceYears::kLastBaseYear + 1; year <= FinanceYears::kLastYear; ++year)
        if (!yearSwitchOn(r, "tab6m", year) || amountIn(plan, year) != 0.0) return false;
    return true;
}

// Walks the planned expenditure and stays on the first incomplete eligible row.
bool plannedExpenditureIncomplete(ValidationRun& r) {
    DataSet& plan = table(r, "dsPlanWydatki");
    Utils::ControlsDisabledScope quiet(plan);
    const Field& eligible = plan.field(QStringLiteral("CZY_KWALIFIKOWANE"));
    for (plan.first(); !plan.eof(); plan.next())
        if (is(eligible, "T") && eligibleRowIncomplete(r, plan)) return true;
    return false;
}

bool sourceMissing(ValidationRun& r, const char* tree) {
    return Utils::anyRowEmpty(table(r, tree), QStringLiteral("Zrodlo"));
}

// The share of the European Regional Development Fund in the grand total may not exceed
// 75 % in any switched-on year (compared at a resolution of 0.0001 %). A warning: the
// message lists the years above 75 % and the run's result stays as it is.
void coFinancingLimit(ValidationRun& run, const ValidationRule& rule, const char* tree,
                      const char* switchPrefix) {
    DataSet& t = table(run, tree);
    if (!locateSource(t, FinanceTreeRows::nameOf(FinanceTreeRows::kRegionalFundId))) return;
    qint64 largest = 0;
    QStringList years;
    for (int year = FinanceYears::kFirstYear; year <= FinanceYears::kLastYear; ++year) {
        if (!yearSwitchOn(run, switchPrefix, year)) continue;
        const double share = t.field(columnName(year, "_pr")).asFloat();
        if (share * 10000 > double(largest)) largest = qint64(std::nearbyint(share * 10000));
        if (share > 75) years << QString::number(year);
    }
    const bool failed = largest > 750000;
    run.check(rule.number, failed,
              QString::fromUtf8(rule.message) + years.join(QStringLiteral(", ")) +
                  QStringLiteral(" roku."),
              rule.table, rule.field, rule.control, rule.severity);
    if (failed) run.dm.ValidationWarning = true;
}

} // namespace

std::span<const ValidationRule> FinanceRuleFamilies::expenditureFinance() {
    static const ValidationRule kRules[] = {
        {.number = "96"_rule,
         .severity = Severity::Error,
         .message = "Informacja o planowanych wydatkach jest niekompletna - muszą być prawidłowo "
                    "wypełnione "
                    "koszty kwalifikowane",
         .table = "dsPlanWydatki",
         .field = "Kategoria",
         .control = "e614001",
         .fails = plannedExpenditureIncomplete},
        {.number = "97"_rule,
         .severity = Severity::Error,
         .message =
             "Planowane wydatki nie powinny być wypełnione dla lat większych od roku zakończenia "
             "realizacji projektu.",
         .table = "dsPlanWydatki",
         .field = "Kategoria",
         .control = "e614001",
         .fails = [](ValidationRun& r) { return usedAfterPhysicalEnd(r, kPlanned); }},
        {.number = "98"_rule,
         .severity = Severity::Error,
         .message = "Informacja o źródłach finansowania jest niekompletna - pole \"Źródło\"",
         .table = "dsZrodlaFin",
         .field = "Zrodlo",
         .control = "e615001",
         .fails = [](ValidationRun& r) { return sourceMissing(r, "dsZrodlaFin"); }},
        {.number = "99"_rule,
         .severity = Severity::Error,
         .message = "Informacje o źródłach finansowania nie powinny być wypełnione dla lat "
                    "większych od roku "
                    "zakończenia realizacji projektu.",
         .table = "dsZrodlaFin",
         .field = "Zrodlo",
         .control = "e615001",
         .fails = [](ValidationRun& r) { return usedAfterPhysicalEnd(r, kSources); }},
        {.number = "100"_rule,
         .severity = Severity::Error,
         .message = "Informacje o źródłach finansowania nie powinny być wypełnione dla lat "
                    "mniejszych od roku "
                    "rozpoczęcia realizacji projektu.",
         .table = "dsZrodlaFin",
         .field = "Zrodlo",
         .control = "e615001",
         .fails = [](ValidationRun& r) { return usedBeforeStart(r, kSources); }},
        // The message is completed with the years over the limit and " roku.".
        {.number = "101"_rule,
         .severity = Severity::Warning,
         .message = "Maksimum współfinansowania z Funduszy Strukturalnych przekracza 75% w ",
         .table = "dsZrodlaFin",
         .field = "Zrodlo",
         .control = "e615001",
         .body =
             [](ValidationRun& r, const ValidationRule& rule) {
                 coFinancingLimit(r, rule, "dsZrodlaFin", "tab6n");
             }},
        {.number = "102"_rule,
         .severity = Severity::Error,
         .message = "Informacja o profilu wydatkowania jest niekompletna - pole \"Źródło\"",
         .table = "dsProfilWyd",
         .field = "Zrodlo",
         .control = "e615001",
         .fails = [](ValidationRun& r) { return sourceMissing(r, "dsProfilWyd"); }},
        {.number = "103"_rule,
         .severity = Severity::Error,
         .message = "Informacje o profilach wydatkowania nie powinny być wypełnione dla lat "
                    "większych od roku "
                    "zakończenia realizacji projektu.",
         .table = "dsProfilWyd",
         .field = "Zrodlo",
         .control = "e615001",
         .fails = [](ValidationRun& r) { return usedAfterPhysicalEnd(r, kProfile); }},
        {.number = "104"_rule,
         .severity = Severity::Error,
         .message =
             "Informacje o profilach wydatkowania nie powinny być wypełnione dla lat mniejszych od "
             "roku rozpoczęcia realizacji projektu.",
         .table = "dsProfilWyd",
         .field = "Zrodlo",
         .control = "e615001",
         .fails = [](ValidationRun& r) { return usedBeforeStart(r, kProfile); }},
        {.number = "105"_rule,
         .severity = Severity::Warning,
         .message = "Maksimum współfinansowania z Funduszy Strukturalnych przekracza 75% w ",
         .table = "dsProfilWyd",
         .field = "Zrodlo",
         .control = "e615001",
         .body =
             [](ValidationRun& r, const ValidationRule& rule) {
                 coFinancingLimit(r, rule, "dsProfilWyd", "tab6o");
             }},
    };
    return kRules;
}
