#pragma once

#include "validation/validation_run.h"

#include <span>

// The rules of the project type and the programme classification, the project
// description, the horizontal policies, the applicant, the persons, the other
// institutions and the declaration: rules 1, 4-24, 43-44 and 50-84, in numeric order.
std::span<const ValidationRule> projectApplicantRules();
