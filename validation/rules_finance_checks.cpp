#include "validation/rules_finance_checks.h"

#include "model/dm_main.h"
#include "platform/utils/datasetscanscope.h"

#include <QDate>

namespace FinanceChecks {

DataSet& table(const ValidationRun& run, const char* name) {
    return run.dm.table(QLatin1String(name));
}

Field& field(const ValidationRun& run, const char* tableName, const char* fieldName) {
    return table(run, tableName).field(QLatin1String(fieldName));
}

Field& wniosek(const ValidationRun& run, const char* fieldName) {
    return field(run, "dsWniosek", fieldName);
}

bool blank(const Field& f) {
    return f.asString().trimmed().isEmpty();
}

bool empty(const Field& f) {
    return f.asString().isEmpty();
}

bool is(const Field& f, const char* code) {
    return f.asString() == QString::fromUtf8(code);
}

bool earlierMissingFirst(const Field& a, const Field& b) {
    if (b.isNull()) return false; // nothing is earlier than the earliest date
    return a.isNull() || a.asDate() < b.asDate();
}

bool laterWhenBothGiven(const Field& a, const Field& b) {
    return !blank(a) && !blank(b) && a.asDate() > b.asDate();
}

bool technicalAssistance(const ValidationRun& run) {
    return is(field(run, "dsPozWdr", "PWD_KOD_ID2"), "3");
}

bool locateSource(DataSet& tree, const char* zrodlo) {
    Utils::ControlsDisabledScope quiet(tree);
    return tree.locate(QStringLiteral("Zrodlo"), QString::fromUtf8(zrodlo));
}

bool evaluate(ValidationRun& run, const ValidationRule& rule, RuleNumber owner) {
    return run.check(rule.number.isNumber() ? rule.number : owner, rule.fails(run),
                     QString::fromUtf8(rule.message), rule.table, rule.field, rule.control,
                     rule.severity);
}

} // namespace FinanceChecks
