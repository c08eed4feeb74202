#pragma once

namespace editor {
class EditorShell;
}

// Gives the editor's preview and print actions their routine: the checksum refreshed,
// validation through the editor's validation window, the trial-print marker, and the
// preview window or the print dialog.
void connectPrinting(editor::EditorShell& shell);
