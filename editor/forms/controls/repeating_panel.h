#pragma once

#include "editor/forms/controls/data_control.h"

class QScrollBar;

namespace editor {

// One block of controls repeated over the records of a table: the block shows the
// current record and the scroll bar beside it moves through the records. Records are
// added and removed only through the section's navigator. The panel takes the focus
// itself (a finding on its table leads to it) and hands it on to the first control of
// the block while there is a record to show.
class RepeatingPanelControl : public DataControl {
    Q_OBJECT
public:
    RepeatingPanelControl(const ControlRow& row, UserInterface& ui, QWidget* parent);
    bool standsForTable() const override { return true; }
    // Where the builder puts the controls of the block.
    QWidget* block() const { return block_; }
    QScrollBar* scrollBar() const { return scroll_; }
    void refresh(const Field* changed) override;
    void setViewOnly(bool on) override;

protected:
    QString shownText() const override { return {}; }
    void showText(const QString&) override {}
    void applyReadOnly(bool) override {}
    void focusInEvent(QFocusEvent* event) override;

private:
    QWidget* block_;
    QScrollBar* scroll_;
};

} // namespace editor
