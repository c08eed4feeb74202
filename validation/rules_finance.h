#pragma once

#include "validation/validation_run.h"

#include <span>

// The rules of the public-funds totals, the schedule, public aid and procurement, the
// indicators, the financial tables and the attachments, in their numeric order.
std::span<const ValidationRule> financeScheduleRules();

// Rule 42: the implementation stages. Records the first failing test of the first faulty
// stage (or the lack of stages) and returns true when nothing was recorded.
bool CheckStages(ValidationRun& run);

// Rule 106: the obligatory attachments, lines 106.1 to 106.7, each recorded on its own.
// Returns true when none of them failed.
bool CheckAttachments(ValidationRun& run);
