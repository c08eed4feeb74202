#pragma once

#include "validation/validation_run.h"

#include <span>

// The families of the finance, schedule and attachment rules, each in numeric order.
namespace FinanceRuleFamilies {

std::span<const ValidationRule> publicTotals();       // 2-3
std::span<const ValidationRule> schedule();           // 25-42
const ValidationRule& stages();                       // 42
std::span<const ValidationRule> aidAndProcurement();  // 45-49
std::span<const ValidationRule> indicatorsRevenue();  // 85-95
std::span<const ValidationRule> expenditureFinance(); // 96-105
std::span<const ValidationRule> attachments();        // 106

} // namespace FinanceRuleFamilies
