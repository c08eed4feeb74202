#pragma once

#include <QString>

#include <cstdint>
#include <memory>

class TdmDataSets;
class UserInterface;
struct HostSettings;
namespace editor {
class EditorShell;
}

// What every export shares: the common start (data module, dictionary gate), the
// export's own steps and the common end (everything freed, both references empty).
enum class ExportKind {
    NowyWniosek,
    EdytujWniosek,
    PodgladWniosku,
    DrukujWniosek,
    SprawdzSume,
    SilentCrcCheck,
    SilentPreview,
    SilentValidate,
    SilentValCrcCheck,
};

// The four exports that talk to the user when the dictionaries are unusable.
bool isInteractive(ExportKind kind);

int32_t runExport(ExportKind kind, const QString& path);

// The widget side of a call, given by the library that links the editor and the printout.
class EditorParts {
public:
    virtual ~EditorParts() = default;
    // The port of a GUI session opened for this call; null when no window can be shown.
    virtual UserInterface* openSession() = 0;
    virtual void closeSession() = 0;
    // The editor window over a module that passed the dictionary gate, printing connected.
    virtual std::unique_ptr<editor::EditorShell> createEditor(TdmDataSets& dm, UserInterface& ui,
                                                              const HostSettings& settings) = 0;
};
// Once, by the library with the widgets (at its loading); from then on runExport shows
// windows in this process.
void registerEditorParts(EditorParts* parts);

// True while no export runs: both process-wide references are empty.
bool invocationObjectsFreed();
