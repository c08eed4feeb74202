#pragma once

#include "editor/forms/controls/data_control.h"

#include <functional>

class QToolButton;

namespace editor {

// The record navigator of a table section with the buttons Insert, Delete, Post and
// Cancel. Insert appends the new record at the end; Delete asks nothing.
class NavigatorControl : public DataControl {
    Q_OBJECT
public:
    enum class Button { Insert, Delete, Post, Cancel };

    NavigatorControl(const ControlRow& row, UserInterface& ui, QWidget* parent);
    QToolButton* button(Button b) const;
    void click(Button b);

    // Runs after every button has done its work (the whole-country flag of the locations).
    std::function<void(Button)> afterClick;

    void refresh(const Field* changed) override;

protected:
    QString shownText() const override { return {}; }
    void showText(const QString&) override {}
    void applyReadOnly(bool readOnly) override;

private:
    void updateButtons();
    QToolButton* buttons_[4];
};

} // namespace editor
