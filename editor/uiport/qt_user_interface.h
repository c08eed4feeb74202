#pragma once

#include "platform/ui/userinterface.h"

#include <QPointer>
#include <QWidget>

namespace editor {

// The port with widgets: message boxes with the module's texts and Qt's (translated)
// standard buttons, the busy cursor, and the controls of fields found in the editor window.
class QtUserInterface : public UserInterface {
public:
    MessageResult messageBox(const QString& text, const QString& caption, MessageIcon icon,
                             MessageButtons buttons) override;
    void errorDialog(const QString& text) override;
    void enableControlForField(const Field& field, bool enabled) override;
    bool focusControlForField(const Field& field) override;
    void setBusyCursor(bool on) override;

    // The window whose controls the field requests reach; none: they find nothing.
    void setEditorWindow(QWidget* window) { editor_ = window; }

private:
    QWidget* controlFor(const Field& field) const;

    QPointer<QWidget> editor_;
    int busyDepth_ = 0;
};

} // namespace editor
