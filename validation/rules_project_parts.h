#pragma once

// Shared by the rule files of the project and the applicant: the text tests of the rules
// and the row builder of their tables.
#include "model/dm_main.h"
#include "validation/validation_run.h"

#include <vector>

namespace ProjectRules {

using Condition = std::function<bool(ValidationRun&)>;

inline Field& fieldOf(ValidationRun& run, const char* table, const char* field) {
    return run.dm.table(QLatin1String(table)).field(QLatin1String(field));
}

// blank: the value as text, trimmed, is empty.
inline bool blank(const Field& f) {
    return f.asString().trimmed().isEmpty();
}
// empty: the value as text is empty, without trimming.
inline bool empty(const Field& f) {
    return f.asString().isEmpty();
}
// A code comparison: exact, case-sensitive, untrimmed.
inline bool is(const Field& f, const char* code) {
    return f.asString() == QLatin1String(code);
}

// The condition "table.field is blank".
inline Condition blankField(const char* table, const char* field) {
    return [table, field](ValidationRun& run) { return blank(fieldOf(run, table, field)); };
}

// An error rule with a fixed message: number, message, target table.field, control.
inline ValidationRule rule(RuleNumber number, const char* message, const char* table,
                           const char* field, const char* control, Condition fails) {
    return ValidationRule{.number = number,
                          .severity = Severity::Error,
                          .message = message,
                          .table = table,
                          .field = field,
                          .control = control,
                          .fails = std::move(fails)};
}

// Rules 1 and 4-24, then 43-44.
std::vector<ValidationRule> programmeAndProjectRules();
std::vector<ValidationRule> horizontalPolicyRules();
// Rules 50-84.
std::vector<ValidationRule> applicantRules();

} // namespace ProjectRules
