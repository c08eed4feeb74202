#pragma once

class FindingList;
class TdmDataSets_t;

// The template module's own validation, which every application type shares unless it
// replaces it: the applicant's house number and postal code, each recorded like a rule.
// True when neither is missing.
bool runTemplateRules(TdmDataSets_t& dm, FindingList& window);
