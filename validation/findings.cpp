#include "validation/findings.h"

bool FindingList::AddFinding(bool failed, const Finding& finding) {
    if (failed && !finding.control.isEmpty()) findings_.append(finding);
    return !failed;
}
