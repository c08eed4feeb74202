#pragma once

#include "print/application_report.h"

#include <functional>

class ApplicationFile;
class FindingList;
class TdmDataSets;

// Where the print routine sends the form: the preview window or the print dialog.
enum class PrintDevice { Screen, Printer };

// What the print routine needs from the window that runs it.
struct PrintRoutineHooks {
    // Opens the validation window; called when the run recorded findings.
    std::function<void(const FindingList& findings)> showFindings;
    // Prints: preview, print dialog, or a file.
    std::function<void(const PrintMarks& marks)> output;
};

// The print routine: stores the value being typed, refreshes the checksum so that the
// header prints the current one, validates into the window's list, marks the print as a
// trial when validation failed, prints, and restores Zmieniony, so that printing never
// marks the application changed. Returns what the pages were marked with.
PrintMarks runPrintRoutine(ApplicationFile& file, TdmDataSets& dm, FindingList& window,
                           const PrintRoutineHooks& hooks);
