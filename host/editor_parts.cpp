// The library with the module's windows: the editor, the printout and their dialogs. The
// module hands it every call that shows a window; it runs the call as the module would,
// with widgets.
#include "host/invocation.h"
#include "host/print_wiring.h"
#include "host/window_library.h"

#include "editor/uiport/gui_session.h"
#include "editor/window/editor_shell.h"

namespace {

class WidgetParts : public EditorParts {
public:
    WidgetParts() { registerEditorParts(this); }

    UserInterface* openSession() override {
        session_ = editor::GuiSession::open();
        return session_ ? &session_->ui() : nullptr;
    }
    void closeSession() override { session_.reset(); }
    std::unique_ptr<editor::EditorShell> createEditor(TdmDataSets& dm, UserInterface& ui,
                                                      const HostSettings& settings) override {
        auto shell = editor::createEditor(dm, ui, settings);
        connectPrinting(*shell);
        return shell;
    }

private:
    std::unique_ptr<editor::GuiSession> session_;
};

WidgetParts parts;

} // namespace

extern "C" __attribute__((visibility("default"))) int32_t
TOPAZ_Q_okna_eksport(int kind, const char* utf8Path) {
    return runExport(ExportKind(kind), utf8Path ? QString::fromUtf8(utf8Path) : QString());
}
