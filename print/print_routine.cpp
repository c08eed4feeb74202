#include "print/print_routine.h"

#include "file/application_file.h"
#include "model/dm_main.h"
#include "platform/ui/userinterface.h"
#include "validation/application_validation.h"

PrintMarks runPrintRoutine(ApplicationFile& file, TdmDataSets& dm, FindingList& window,
                           const PrintRoutineHooks& hooks) {
    const bool changed = dm.Zmieniony;
    PrintMarks marks;
    try {
        dm.ui().setBusyCursor(true);
        if (file.CommitActiveControl) file.CommitActiveControl();
        file.acSumaK();
        dm.ui().setBusyCursor(false);

        marks.trialPrint = !validateSafely(dm, window);
        if (!window.findings().isEmpty() && hooks.showFindings) hooks.showFindings(window);
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
