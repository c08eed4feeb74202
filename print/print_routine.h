#pragma once

#include "print/application_report.h"

#include <functional>

class ApplicationFile;
class FindingList;
class TdmDataSets;

// Where the print routine sends the form: the preview window or the print dialog.
enum class PrintDevice { Screen, Printer };

// What the print routine needs from whoever runs it: the editor, the command line, tests.
struct PrintRoutineHooks {
    // Validates as the validation action does, without its success message; the
    // validation window opens when there are findings. True when the application passed.
    std::function<bool()> validate;
    // Prints: preview, print dialog, or a file.
    std::function<void(const PrintMarks& marks)> output;
};

// The print routine: stores the value being typed, refreshes the checksum so that the
// header prints the current one, validates, marks the print as a trial when validation
// failed, prints, and restores Zmieniony, so that printing never marks the application
// changed. Returns what the pages were marked with.
PrintMarks runPrintRoutine(ApplicationFile& file, TdmDataSets& dm, const PrintRoutineHooks& hooks);

// The validation step without a window: the rules run into `window` (an error raised by
// a rule counts as a failed run) and `showFindings` gets the list when it is not empty.
// The data module records into `window` while the returned function lives.
std::function<bool()> validationInto(TdmDataSets& dm, FindingList& window,
                                     std::function<void(const FindingList&)> showFindings);
