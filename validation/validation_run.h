#pragma once

#include "validation/findings.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <span>

class Field;
class TdmDataSets;

class RuleNumber;
consteval RuleNumber operator""_rule(const char* text, std::size_t);

// A rule's number as the rule tables give it ("N", "48a", "106.3"). It is written only as
// the literal "N"_rule where the rule is declared, so one search for "N"_rule finds the
// rule. A default one is no number: a group of numbered parts, or a part of a rule.
class RuleNumber {
public:
    constexpr RuleNumber() = default;
    constexpr const char* text() const { return text_; }
    constexpr bool isNumber() const { return text_ != nullptr; }

private:
    constexpr explicit RuleNumber(const char* text) : text_(text) {}
    friend consteval RuleNumber operator""_rule(const char* text, std::size_t);
    const char* text_ = nullptr;
};

consteval RuleNumber operator""_rule(const char* text, std::size_t) {
    return RuleNumber(text);
}

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
    bool check(RuleNumber rule, bool failed, const QString& message, const char* table,
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
// A body that walks rows of its own lists them as parts: numbered parts (48a, 49.1,
// 106.7) under a group without a number, or the unnumbered tests of one rule (42).
struct ValidationRule {
    RuleNumber number = {};
    Severity severity = {};
    const char* message = nullptr; // exact text; nullptr when the body builds it
    const char* table = nullptr;
    const char* field = nullptr;
    const char* control = nullptr;
    std::function<bool(ValidationRun&)> fails = {};
    std::function<void(ValidationRun&, const ValidationRule&)> body = {};
    std::span<const ValidationRule> parts = {};
};
