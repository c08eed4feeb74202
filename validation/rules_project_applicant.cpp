// The table of rules 1, 4-24, 43-44 and 50-84, built once and never changed afterwards:
// runs on several threads share it read-only.
#include "validation/rules_project.h"
#include "validation/rules_project_parts.h"

namespace {

std::vector<ValidationRule> buildTable() {
    std::vector<ValidationRule> table = ProjectRules::programmeAndProjectRules();
    for (auto part : {ProjectRules::horizontalPolicyRules(), ProjectRules::applicantRules()})
        table.insert(table.end(), part.begin(), part.end());
    return table;
}

} // namespace

std::span<const ValidationRule> projectApplicantRules() {
    static const std::vector<ValidationRule> table = buildTable();
    return table;
}
