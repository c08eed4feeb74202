// Rule 106 (CheckAttachments): the attachments that the kind of project, the priority and
// the legal form make obligatory. Each line records its own finding.
#include "model/dm_main.h"
#include "validation/rules_finance.h"
#include "validation/rules_finance_checks.h"
#include "validation/rules_finance_families.h"

#include <initializer_list>

using namespace FinanceChecks;

namespace {

Field& attachment(ValidationRun& r, const char* name) {
    return field(r, "dsPolaSpec", name);
}

// None of the attachment's answers is "T".
bool noneTicked(ValidationRun& r, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (is(attachment(r, name), "T")) return false;
    return true;
}

bool projectKind(ValidationRun& r, const char* kind) {
    return is(wniosek(r, "rodz_proj"), kind);
}

bool companyForm(ValidationRun& r) {
    const Field& form = field(r, "dsBeneficjent", "for_pr_kod");
    return is(form, "24") || is(form, "25");
}

// Technical assistance outside the company forms needs no business plan.
bool businessPlanWaived(ValidationRun& r) {
    return technicalAssistance(r) && !companyForm(r);
}

const ValidationRule kLines[] = {
    {"106.1"_rule,
     Severity::Error,
     "Załącznik 1 - Biznes plan jest obligatoryjny",
     "dsPolaSpec",
     "ZALBIZPLRT",
     "e700011",
     [](ValidationRun& r) {
         return !businessPlanWaived(r) && !projectKind(r, "IN") &&
                noneTicked(r, {"ZALBIZPLRT", "ZALBIZPLUT", "ZALBIZPLDT"});
     },
     {}},
    {"106.2"_rule,
     Severity::Error,
     "Załącznik 2 - Ocena oddziaływania na środowisko - jest obligatoryjny",
     "dsPolaSpec",
     "ZALOCSRODRT",
     "dxDBCheckEdit5",
     [](ValidationRun& r) {
         return projectKind(r, "RB") && !is(attachment(r, "ZALOCSRODRT"), "T");
     },
     {}},
    {"106.3"_rule,
     Severity::Error,
     "Załącznik 7 - Mapy, szkice lokalizacyjne - jest obligatoryjny",
     "dsPolaSpec",
     "ZALMAPYRT",
     "dxDBCheckEdit30",
     [](ValidationRun& r) { return projectKind(r, "RB") && !is(attachment(r, "ZALMAPYRT"), "T"); },
     {}},
    {"106.4"_rule,
     Severity::Error,
     "Załącznik 12 - Rachunek zysków i strat - jest obligatoryjny",
     "dsPolaSpec",
     "ZALRZSRT",
     "dxDBCheckEdit55",
     [](ValidationRun& r) {
         return noneTicked(r, {"ZALRZSRT", "ZALRZSDT", "ZALRZSUT"}) && companyForm(r);
     },
     {}},
    {"106.5"_rule,
     Severity::Error,
     "Załącznik 14 - Wypis z Krajowego Rejestru ... - jest obligatoryjny",
     "dsPolaSpec",
     "ZALWYPKRSRT",
     "dxDBCheckEdit65",
     [](ValidationRun& r) {
         return noneTicked(r, {"ZALWYPKRSRT", "ZALWYPKRSDT", "ZALWYPKRSUT"}) && companyForm(r);
     },
     {}},
    {"106.6"_rule,
     Severity::Error,
     "Załącznik 16 - Inne dokumenty załączone - brak wyszczególnienia",
     "dsPolaSpec",
     "ZALWYKINNEDOK",
     "e700123",
     [](ValidationRun& r) {
         return is(attachment(r, "ZALINDOKRT"), "T") && is(attachment(r, "ZALINDOKUT"), "T") &&
                is(attachment(r, "ZALINDOKDT"), "T") && blank(attachment(r, "ZALWYKINNEDOK"));
     },
     {}},
    {"106.7"_rule,
     Severity::Error,
     "Załącznik 17 - Zakres zadań - jest obligatoryjny",
     "dsPolaSpec",
     "ZALZAKZADUT",
     "dxDBCheckEdit82",
     [](ValidationRun& r) {
         return technicalAssistance(r) && projectKind(r, "S") &&
                !is(attachment(r, "ZALZAKZADUT"), "T");
     },
     {}},
};

} // namespace

bool CheckAttachments(ValidationRun& run) {
    bool passed = true;
    for (const ValidationRule& line : kLines)
        passed = evaluate(run, line) && passed;
    return passed;
}

std::span<const ValidationRule> FinanceRuleFamilies::attachments() {
    static const ValidationRule kRules[] = {
        {{},
         Severity::Error,
         nullptr,
         nullptr,
         nullptr,
         nullptr,
         {},
         [](ValidationRun& r, const ValidationRule&) { CheckAttachments(r); },
         kLines},
    };
    return kRules;
}
