#include "validation/application_validation.h"

#include "file/application_file.h"
#include "file/checksum.h"
#include "model/dm_main.h"
#include "model/validation_port.h"
#include "validation/rule_set.h"

int32_t ValidationOutcome::checksumAndValidationResult() const {
    if (checksumVerified) return valid ? 1 : 2;
    return valid ? 3 : 0;
}

bool validateSafely(TdmDataSets& dm, FindingList& window) {
    PrepareValidationWindow(dm, window);
    try {
        return dm.Validate();
    } catch (const std::exception&) {
        return false;
    }
}

ValidationOutcome validateApplicationFile(ApplicationFile& editor, TdmDataSets& dm,
                                          const QString& path) {
    ValidationOutcome out;
    editor.OpenApplicationFile(path);
    out.loaded = !editor.LoadFailed;
    out.messages = editor.MessageList;
    FindingList window;
    PrepareValidationWindow(dm, window);
    editor.runShowTimeSteps();
    out.storedChecksum =
        dm.table(QStringLiteral("dsWniosek")).field(QStringLiteral("suma_kontrolna")).asString();
    out.checksumVerified = editor.VerifyChecksum();
    out.computedChecksum = ComputeChecksum(dm);
    out.valid = validateSafely(dm, window);
    out.warning = dm.ValidationWarning;
    out.findings = window.findings();
    dm.plugValidation(nullptr); // the window ends here
    return out;
}
