#include "editor/forms/controls/edit_control.h"

#include "platform/dataset/dataset.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

namespace editor {

EditControl::EditControl(const ControlRow& row, UserInterface& ui, QWidget* parent)
    : DataControl(row, ui, parent), edit_(new QLineEdit(this)),
      mask_(EditMask::parse(row.mask ? QLatin1String(row.mask) : QString())) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_);
    edit_->setObjectName(objectName() + QStringLiteral("_edit"));
    if (!mask_.isEmpty()) edit_->setInputMask(mask_.inputMask);
    if (row.maxLength > 0) edit_->setMaxLength(row.maxLength);
    setEditor(edit_);
    connect(edit_, &QLineEdit::textEdited, this, [this] { userTyped(); });
    connect(edit_, &QLineEdit::returnPressed, this, [this] { commit(); });
}

void EditControl::bind(Binder* binder) {
    DataControl::bind(binder);
    if (row().maxLength == 0 && mask_.isEmpty())
        if (const Field* f = link().field(); f && f->type() == FieldType::String)
            edit_->setMaxLength(f->size());
}

QString EditControl::shownText() const {
    return mask_.isEmpty() ? edit_->text() : mask_.storedText(edit_->displayText());
}

QString EditControl::checkedText() const {
    return mask_.maskText(edit_->displayText());
}

void EditControl::showText(const QString& text) {
    edit_->setText(text);
    edit_->setCursorPosition(0);
}

void EditControl::applyReadOnly(bool readOnly) {
    if (isViewOnly() || (row().behaviour & Disabled) || !row().field) {
        edit_->setEnabled(!readOnly);
        return;
    }
    edit_->setEnabled(true);
    edit_->setReadOnly(readOnly);
    QPalette p = edit_->palette();
    p.setColor(QPalette::Base, readOnly ? readOnlyColour() : palette().color(QPalette::Base));
    edit_->setPalette(p);
}

// The key goes on with the capital in place of its text; the capital passes here unchanged.
bool EditControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress &&
        (row().behaviour & UpperCaseTyping)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        if (typed.size() == 1 && typed[0].isPrint()) {
            const QString capital = QLocale().toUpper(typed).left(1);
            if (capital != typed) {
                QKeyEvent upper(QEvent::KeyPress, key->key(), key->modifiers(), capital,
                                key->isAutoRepeat(), ushort(key->count()));
                QCoreApplication::sendEvent(edit_, &upper);
                return true;
            }
        }
    }
    return DataControl::eventFilter(watched, event);
}

} // namespace editor
