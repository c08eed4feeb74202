#pragma once

#include "validation/findings.h"

#include <QString>

#include <functional>

class Field;
class TdmDataSets;

// Finds the name of the editor control bound to a field; empty when there is none. The
// editor answers from its frames; without an editor the rule table's control names serve.
using ControlLocator = std::function<QString(const Field& field, const QString& tableControl)>;

// One run of the rule set: records each rule's outcome in the findings list and keeps the
// run's result (no error rule failed) and warning flag (a warning rule failed).
class ValidationRun {
public:
    ValidationRun(TdmDataSets& dm, FindingList& window, ControlLocator locator = {});

    TdmDataSets& dm;

    // Records one rule: failed, its number, message, severity and target (table, field,
    // control name from the rule table). Returns true when the rule passed.
    bool check(const char* rule, bool failed, const QString& message, const char* table,
               const char* field, const char* control, Severity severity = Severity::Error);

    bool passed() const { return passed_; }
    bool warning() const { return warning_; }

private:
    FindingList& window_;
    ControlLocator locator_;
    bool passed_ = true;
    bool warning_ = false;
};

// One rule of the table: its number, severity, message and target, and either a condition
// (fails) or, for rules that record several findings or build their message, a body.
struct ValidationRule {
    const char* number;
    Severity severity;
    const char* message; // exact text; nullptr when the body builds it
    const char* table;
    const char* field;
    const char* control;
    std::function<bool(ValidationRun&)> fails;
    std::function<void(ValidationRun&, const ValidationRule&)> body;
};
