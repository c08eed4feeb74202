#pragma once

#include <QObject>
#include <QTimer>

namespace editor {

// A scripted user for tests and measurements of whole runs (TOPAZ_AUTOCLOSE set): every
// message box is answered with its default button (and echoed to standard error), the
// message browser is stepped to its end and left, a save dialog is cancelled, and once
// the editor is shown it is closed: through acZamknij, or with TOPAZ_AUTOCLOSE=closebox
// through the window's close box.
class AutoCloseDriver : public QObject {
    Q_OBJECT
public:
    explicit AutoCloseDriver(bool closeBox);

    // The driver the environment asks for, or nullptr.
    static std::unique_ptr<AutoCloseDriver> fromEnvironment();

private:
    void step();

    QTimer timer_;
    bool closeBox_;
    bool editorClosed_ = false;
};

} // namespace editor
