#pragma once

class TdmDataSets_t;
class TdmDataSets;

// The whole-application validation as the data module runs it. The rules and the list
// their findings go to belong to the validation layer above the data module; it plugs an
// implementation in (PrepareValidationWindow) and Validate of the module calls it.
class ValidationPort {
public:
    virtual ~ValidationPort() = default;
    // The template's own two tests: the applicant's house number and postal code.
    virtual bool validateTemplate(TdmDataSets_t& dm) = 0;
    // The whole rule set of this application type.
    virtual bool validateType(TdmDataSets& dm) = 0;
};
