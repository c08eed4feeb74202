#pragma once

#include "validation/validation_run.h"

#include <span>
#include <vector>

class TdmDataSets_t;

// The number a rule is ordered by: the leading integer of its number ("48a" and "48b"
// are 48, "106.3" is 106); 0 when the number starts with no digit.
int ruleOrdinal(const char* number);
// The ordinal of a rule's number; for a group without a number, of its first part.
int ruleOrdinal(const ValidationRule& rule);

// Both rule tables merged into one list ordered by ruleOrdinal; rules of equal number keep
// the order of their tables, the first table before the second.
std::vector<const ValidationRule*> mergeRuleTables(std::span<const ValidationRule> first,
                                                   std::span<const ValidationRule> second);

// Evaluates one rule into the run: its body, or its condition recorded with its message.
void runRule(ValidationRun& run, const ValidationRule& rule);

// One validation run over the given rules: ValidationWarning cleared first, every rule
// evaluated in the given order whatever the earlier ones gave, a failed warning rule
// setting ValidationWarning instead of the result. Returns true when no error rule failed.
bool runRules(TdmDataSets& dm, FindingList& window, const std::vector<const ValidationRule*>& rules,
              ControlLocator locator = {});

// The run of this application type's whole rule set (rules 1 to 106 in numeric order).
bool runRuleSet(TdmDataSets& dm, FindingList& window, ControlLocator locator = {});

// Makes the list the module's validation window and empties it: plugs the rule set into
// the data module so that the next Validate records into this list from the start.
void PrepareValidationWindow(TdmDataSets_t& dm, FindingList& window);
