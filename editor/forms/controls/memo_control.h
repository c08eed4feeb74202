#pragma once

#include "editor/forms/controls/data_control.h"

class QPlainTextEdit;

namespace editor {

// A multi-line text of a long string field with a vertical scroll bar. It never holds
// more than its maximum length (pasted text is cut). With LimitOnTyping a full memo takes
// no key at all, backspace included, unless text is selected and the key is no space
// (it replaces the selection); with SingleLine Enter is refused.
class MemoControl : public DataControl {
    Q_OBJECT
public:
    MemoControl(const ControlRow& row, UserInterface& ui, QWidget* parent);
    void bind(Binder* binder) override;
    QPlainTextEdit* memo() const { return memo_; }
    int maxLength() const { return maxLength_; }

protected:
    QString shownText() const override;
    void showText(const QString& text) override;
    bool writesWhileTyping() const override { return true; }
    void applyReadOnly(bool readOnly) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cutToLimit();

    QPlainTextEdit* memo_;
    int maxLength_ = 0;
};

} // namespace editor
