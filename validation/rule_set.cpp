#include "validation/rule_set.h"

#include "model/dm_main.h"
#include "model/validation_port.h"
#include "validation/rules_finance.h"
#include "validation/rules_project.h"
#include "validation/template_rules.h"

#include <algorithm>
#include <memory>

namespace {

// What the data module's Validate runs once a window is prepared: the rules, recording
// into that window's list.
class WindowValidation final : public ValidationPort {
public:
    explicit WindowValidation(FindingList& window) : window_(window) {}
    bool validateTemplate(TdmDataSets_t& dm) override { return runTemplateRules(dm, window_); }
    bool validateType(TdmDataSets& dm) override { return runRuleSet(dm, window_); }

private:
    FindingList& window_;
};

} // namespace

int ruleOrdinal(const char* number) {
    int n = 0;
    for (const char* c = number; c && *c >= '0' && *c <= '9'; ++c)
        n = n * 10 + (*c - '0');
    return n;
}

int ruleOrdinal(const ValidationRule& rule) {
    if (!rule.number.isNumber() && !rule.parts.empty()) return ruleOrdinal(rule.parts.front());
    return ruleOrdinal(rule.number.text());
}

std::vector<const ValidationRule*> mergeRuleTables(std::span<const ValidationRule> first,
                                                   std::span<const ValidationRule> second) {
    std::vector<const ValidationRule*> rules;
    rules.reserve(first.size() + second.size());
    for (const ValidationRule& r : first)
        rules.push_back(&r);
    for (const ValidationRule& r : second)
        rules.push_back(&r);
    std::stable_sort(rules.begin(), rules.end(),
                     [](const ValidationRule* a, const ValidationRule* b) {
                         return ruleOrdinal(*a) < ruleOrdinal(*b);
                     });
    return rules;
}

void runRule(ValidationRun& run, const ValidationRule& rule) {
    if (rule.body) {
        rule.body(run, rule);
        return;
    }
    const bool failed = rule.fails && rule.fails(run);
    run.check(rule.number, failed, QString::fromUtf8(rule.message), rule.table, rule.field,
              rule.control, rule.severity);
}

bool runRules(TdmDataSets& dm, FindingList& window, const std::vector<const ValidationRule*>& rules,
              ControlLocator locator) {
    dm.ValidationWarning = false;
    ValidationRun run(dm, window, std::move(locator));
    for (const ValidationRule* rule : rules) {
        runRule(run, *rule);
        // Set as soon as a warning rule fails, so that it holds even when a later rule throws.
        if (run.warning()) dm.ValidationWarning = true;
    }
    return run.passed();
}

bool runRuleSet(TdmDataSets& dm, FindingList& window, ControlLocator locator) {
    return runRules(dm, window, mergeRuleTables(projectApplicantRules(), financeScheduleRules()),
                    std::move(locator));
}

void PrepareValidationWindow(TdmDataSets_t& dm, FindingList& window) {
    window.clear();
    dm.plugValidation(std::make_unique<WindowValidation>(window));
}
