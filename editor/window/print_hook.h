#pragma once

#include <functional>

class ApplicationFile;
class QWidget;
class TdmDataSets;

namespace editor {

// Where the printed application goes: the preview window or the printer.
enum class PrintDevice { Screen, Printer };

// What the editor hands to the print routine when acPodglad or acDrukuj runs. The editor
// has already posted pending edits and suspended the data controls; it restores both and
// Zmieniony afterwards.
struct PrintRequest {
    PrintDevice device;
    TdmDataSets& dm;
    ApplicationFile& file; // checksum refresh (acSumaK) and the file name
    QWidget* editorWindow; // owner of the preview and the print dialog
    // RunValidation without the success message: a failing run shows the validation
    // window; true when the application passed.
    std::function<bool()> runValidation;
};

// The print routine, plugged in by whoever builds the editor (the module's entry points).
// Without one the editor tells the user that printing is not available.
using PrintRoutine = std::function<void(const PrintRequest&)>;

} // namespace editor
