#include "editor/uiport/gui_session.h"

#include "editor/uiport/auto_close_driver.h"
#include "editor/uiport/qt_user_interface.h"
#include "platform/ui/translations.h"

#include <QApplication>
#include <QTranslator>

namespace editor {

bool displayAvailable() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool x11 = !qgetenv("DISPLAY").isEmpty();
    const bool wayland = !qgetenv("WAYLAND_DISPLAY").isEmpty();
    if (platform.isEmpty()) return x11 || wayland;
    // A named platform that needs a display server fails hard without one.
    if (platform.startsWith("xcb")) return x11;
    if (platform.startsWith("wayland")) return wayland;
    return true;
}

GuiSession::GuiSession() = default;

GuiSession::~GuiSession() {
    driver_.reset();
    ui_.reset();
    translator_.reset(); // removes itself from the application
    ownApplication_.reset();
}

std::unique_ptr<GuiSession> GuiSession::open() {
    QCoreApplication* running = QCoreApplication::instance();
    if (running && !qobject_cast<QApplication*>(running)) return nullptr;
    if (!running && !displayAvailable()) return nullptr;
    std::unique_ptr<GuiSession> session(new GuiSession);
    if (!running) {
        // QApplication keeps references to its arguments for its whole life.
        static int argc = 1;
        static char name[] = "TOPAZ_Q";
        static char* argv[] = {name, nullptr};
        session->ownApplication_ = std::make_unique<QApplication>(argc, argv);
    }
    session->translator_ = installPolishTranslations();
    session->ui_ = std::make_unique<QtUserInterface>();
    session->driver_ = AutoCloseDriver::fromEnvironment();
    return session;
}

UserInterface& GuiSession::ui() {
    return *ui_;
}

} // namespace editor
