#include "host/print_wiring.h"

#include "editor/window/editor_shell.h"
#include "model/dm_main.h"
#include "print/print_dialogs.h"
#include "print/print_routine.h"

void connectPrinting(editor::EditorShell& shell) {
    shell.setPrintRoutine([](const editor::PrintRequest& request) {
        const PrintDevice device = request.device == editor::PrintDevice::Screen
                                       ? PrintDevice::Screen
                                       : PrintDevice::Printer;
        PrintRoutineHooks hooks;
        hooks.validate = request.runValidation;
        hooks.output = [&](const PrintMarks& marks) {
            showPrintOutput(device, request.dm, marks, request.editorWindow);
        };
        runPrintRoutine(request.file, request.dm, hooks);
    });
}
