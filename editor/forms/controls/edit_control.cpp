#include "editor/forms/controls/edit_control.h"

#include "platform/dataset/dataset.h"

#include <QHBoxLayout>
#include <QLineEdit>

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

} // namespace editor
