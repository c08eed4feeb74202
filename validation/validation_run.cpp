#include "validation/validation_run.h"

#include "model/dm_main.h"

ValidationRun::ValidationRun(TdmDataSets& dm, FindingList& window, ControlLocator locator)
    : dm(dm), window_(window), locator_(std::move(locator)) {}

bool ValidationRun::check(RuleNumber rule, bool failed, const QString& message, const char* table,
                          const char* field, const char* control, Severity severity) {
    Finding f;
    f.rule = QString::fromLatin1(rule.text());
    f.severity = severity;
    f.message = message;
    f.table = QString::fromLatin1(table ? table : "");
    f.field = QString::fromLatin1(field ? field : "");
    f.control = QString::fromLatin1(control ? control : "");
    if (failed && locator_ && table && field) {
        if (Field* target = dm.table(f.table).findField(f.field))
            f.control = locator_(*target, f.control);
    }
    const bool ok = window_.AddFinding(failed, f);
    if (failed) {
        if (severity == Severity::Error)
            passed_ = false;
        else
            warning_ = true;
    }
    return ok;
}
