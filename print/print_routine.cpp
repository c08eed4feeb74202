#include "print/print_routine.h"

#include "file/application_file.h"
#include "model/dm_main.h"
#include "platform/ui/userinterface.h"
#include "validation/application_validation.h"

PrintMarks runPrintRoutine(ApplicationFile& file, TdmDataSets& dm, const PrintRoutineHooks& hooks) {
    const bool changed = dm.Zmieniony;
    PrintMarks marks;
    try {
        dm.ui().setBusyCursor(true);
        if (file.CommitActiveControl) file.CommitActiveControl();
        file.acSumaK();
        dm.ui().setBusyCursor(false);

        marks.trialPrint = hooks.validate && !hooks.validate();
        marks.checksum = dm.table(QStringLiteral("dsWniosek"))
                             .field(QStringLiteral("suma_kontrolna"))
                             .asString();
        if (hooks.output) hooks.output(marks);
    } catch (...) {
        dm.ui().setBusyCursor(false);
        dm.Zmieniony = changed;
        throw;
    }
    dm.Zmieniony = changed;
    return marks;
}

std::function<bool()> validationInto(TdmDataSets& dm, FindingList& window,
                                     std::function<void(const FindingList&)> showFindings) {
    return [&dm, &window, show = std::move(showFindings)] {
        const bool passed = validateSafely(dm, window);
        if (!window.findings().isEmpty() && show) show(window);
        return passed;
    };
}
