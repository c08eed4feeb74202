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
    {.number = "106.1"_rule,
     .severity = Severity::Error,
     .message = "Załącznik 1 - Biznes plan jest obligatoryjny",
     .table = "dsPolaSpec",
     .field = "ZALBIZPLRT",
     .control = "e700011",
     .fails =
         [](ValidationRun& r) {
             return !businessPlanWaived(r) && !projectKind(r, "IN") &&
                    noneTicked(r, {"ZALBIZPLRT", "ZALBIZPLUT", "ZALBIZPLDT"});
         }},
    {.number = "106.2"_rule,
     .severity = Severity::Error,
     .message = "Załącznik 2 - Ocena oddziaływania na środowisko - jest obligatoryjny",
     .table = "dsPolaSpec",
     .field = "ZALOCSRODRT",
     .control = "dxDBCheckEdit5",
     .fails =
         [](ValidationRun& r) {
             return projectKind(r, "RB") && !is(attachment(r, "ZALOCSRODRT"), "T");
         }},
    {.number = "106.3"_rule,
     .severity = Severity::Error,
     .message = "Załącznik 7 - Mapy, szkice lokalizacyjne - jest obligatoryjny",
     .table = "dsPolaSpec",
     .field = "ZALMAPYRT",
     .control = "dxDBCheckEdit30",
     .fails =
         [](ValidationRun& r) {
             return projectKind(r, "RB") && !is(attachment(r, "ZALMAPYRT"), "T");
         }},
    {.number = "106.4"_rule,
     .severity = Severity::Error,
     .message = "Załącznik 12 - Rachunek zysków i strat - jest obligatoryjny",
     .table = "dsPolaSpec",
     .field = "ZALRZSRT",
     .control = "dxDBCheckEdit55",
     .fails =
         [](ValidationRun& r) {
             return noneTicked(r, {"ZALRZSRT", "ZALRZSDT", "ZALRZSUT"}) && companyForm(r);
         }},
    {.number = "106.5"_rule,
     .severity = Severity::Error,
     .message = "Załącznik 14 - Wypis z Krajowego Rejestru ... - jest obligatoryjny",
     .table = "dsPolaSpec",
     .field = "ZALWYPKRSRT",
     .control = "dxDBCheckEdit65",
     .fails =
         [](ValidationRun& r) {
             return noneTicked(r, {"ZALWYPKRSRT", "ZALWYPKRSDT", "ZALWYPKRSUT"}) && companyForm(r);
         }},
    {.number = "106.6"_rule,
     .severity = Severity::Error,
     .message = "Załącznik 16 - Inne dokumenty załączone - brak wyszczególnienia",
     .table = "dsPolaSpec",
     .field = "ZALWYKINNEDOK",
     .control = "e700123",
     .fails =
         [](ValidationRun& r) {
             return is(attachment(r, "ZALINDOKRT"), "T") && is(attachment(r, "ZALINDOKUT"), "T") &&
                    is(attachment(r, "ZALINDOKDT"), "T") && blank(attachment(r, "ZALWYKINNEDOK"));
         }},
    {.number = "106.7"_rule,
     .severity = Severity::Error,
     .message = "Załącznik 17 - Zakres zadań - jest obligatoryjny",
     .table = "dsPolaSpec",
     .field = "ZALZAKZADUT",
     .control = "dxDBCheckEdit82",
     .fails =
         [](ValidationRun& r) {
             return technicalAssistance(r) && projectKind(r, "S") &&
                    !is(attachment(r, "ZALZAKZADUT"), "T");
         }},
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
        {.severity = Severity::Error,
         .body = [](ValidationRun& r, const ValidationRule&) { CheckAttachments(r); },
         .parts = kLines},
    };
    return kRules;
}
