#pragma once

#include "editor/forms/controls/data_control.h"
#include "editor/forms/controls/edit_mask.h"

class QLineEdit;

namespace editor {

// A one-line edit of a string field, with an optional input mask. Plain text goes into
// the field with every key; text under an input check is stored when leaving. With
// UpperCaseTyping every typed character goes in as its capital (Polish letters too).
class EditControl : public DataControl {
    Q_OBJECT
public:
    EditControl(const ControlRow& row, UserInterface& ui, QWidget* parent);
    void bind(Binder* binder) override;
    QLineEdit* lineEdit() const { return edit_; }

protected:
    QString shownText() const override;
    QString checkedText() const override;
    void showText(const QString& text) override;
    bool writesWhileTyping() const override { return true; }
    void applyReadOnly(bool readOnly) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_;
    EditMask mask_;
};

} // namespace editor
