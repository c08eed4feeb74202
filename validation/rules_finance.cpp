#include "validation/rules_finance.h"

#include "validation/rules_finance_families.h"

#include <vector>

std::span<const ValidationRule> financeScheduleRules() {
    static const std::vector<ValidationRule> rules = [] {
        std::vector<ValidationRule> all;
        for (const auto family :
             {FinanceRuleFamilies::publicTotals(), FinanceRuleFamilies::schedule(),
              FinanceRuleFamilies::aidAndProcurement(), FinanceRuleFamilies::indicatorsRevenue(),
              FinanceRuleFamilies::expenditureFinance(), FinanceRuleFamilies::attachments()})
            all.insert(all.end(), family.begin(), family.end());
        return all;
    }();
    return rules;
}
