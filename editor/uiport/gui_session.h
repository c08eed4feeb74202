#pragma once

#include <memory>

class QApplication;
class QTranslator;
class UserInterface;

namespace editor {

class AutoCloseDriver;
class QtUserInterface;

// Whether this process can show windows: a platform is named (QT_QPA_PLATFORM, for
// example "offscreen") or a display is there (DISPLAY, WAYLAND_DISPLAY).
bool displayAvailable();

// The widget side of one call of the module: the host's QApplication, or one made for the
// call and freed with the session; Qt's Polish translations; the port with widgets.
class GuiSession {
public:
    // A session when widgets can be shown; nullptr without a display, or when the host
    // runs an application object without widgets (then the module stays headless).
    static std::unique_ptr<GuiSession> open();
    ~GuiSession();
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

    UserInterface& ui();

private:
    GuiSession();

    std::unique_ptr<QApplication> ownApplication_;
    std::unique_ptr<QTranslator> translator_;
    std::unique_ptr<QtUserInterface> ui_;
    std::unique_ptr<AutoCloseDriver> driver_;
};

} // namespace editor
