#pragma once

#include "editor/window/print_hook.h"
#include "platform/hostenv/hostregistry.h"

#include <QString>

#include <memory>

class ApplicationFile;
class FindingList;
class TdmDataSets;
struct HostSettings;
class UserInterface;

namespace editor {

// What the entry points ask of the editor window, without widget headers: the host layer
// drives the window through it.
class EditorShell {
public:
    virtual ~EditorShell() = default;

    // The editor's work on the application file (load, checksum, save, close query).
    virtual ApplicationFile& file() = 0;
    // Shows the window modally; 1 after acZamknij, 2 after the close box or the host's
    // close request.
    virtual int showModal() = 0;
    // Every data control read-only; the actions stay available.
    virtual void EnterViewMode() = 0;
    // Status bar panel 2 and the window caption.
    virtual void setStatusFileText(const QString& text) = 0;
    virtual void setCaption(const QString& caption) = 0;
    // Creates the validation window at the first call and empties its list.
    virtual FindingList& PrepareValidationWindow() = 0;
    // Where the window opens when it is shown: the record of a list table made current, the
    // page of the field's control shown and the control focused.
    virtual void openAt(const HostShowPlace& place) = 0;
    // The routine acPodglad and acDrukuj run.
    virtual void setPrintRoutine(PrintRoutine routine) = 0;
};

// The editor window of this application type over a data module that passed the
// dictionary gate. `ui` must be the port of the current GUI session.
std::unique_ptr<EditorShell> createEditor(TdmDataSets& dm, UserInterface& ui,
                                          const HostSettings& settings);

} // namespace editor
