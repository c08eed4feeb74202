#include "editor/forms/controls/choice_controls.h"

#include "platform/ui/userinterface.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace editor {

RadioGroupControl::RadioGroupControl(const ControlRow& row, UserInterface& ui, QWidget* parent)
    : DataControl(row, ui, parent), group_(new QButtonGroup(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    group_->setExclusive(false); // an empty field shows no button ticked
    for (const auto& [value, caption] : row.choices) {
        auto* button = new QRadioButton(caption, this);
        button->setProperty("value", value);
        button->setAccessibleName(caption);
        group_->addButton(button);
        layout->addWidget(button);
    }
    layout->addStretch();
    if (!group_->buttons().isEmpty()) setEditor(group_->buttons().first());
    connect(group_, &QButtonGroup::buttonClicked, this, [this](QAbstractButton* b) {
        if (storeNow(b->property("value"))) mutableLink().post(this->ui());
        refresh(nullptr);
    });
}

QString RadioGroupControl::shownText() const {
    for (QAbstractButton* b : group_->buttons())
        if (b->isChecked()) return b->property("value").toString();
    return {};
}

void RadioGroupControl::showText(const QString& text) {
    for (QAbstractButton* b : group_->buttons())
        b->setChecked(b->property("value").toString() == text);
}

void RadioGroupControl::applyReadOnly(bool readOnly) {
    for (QAbstractButton* b : group_->buttons())
        b->setEnabled(!readOnly);
}

SpinControl::SpinControl(const ControlRow& row, UserInterface& ui, QWidget* parent)
    : DataControl(row, ui, parent), spin_(new QSpinBox(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(spin_);
    spin_->setRange(0, row.maxLength > 0 ? row.maxLength : 999999);
    setEditor(spin_);
    connect(spin_, &QSpinBox::valueChanged, this, [this] { userTyped(); });
}

QString SpinControl::shownText() const {
    return QString::number(spin_->value());
}

void SpinControl::showText(const QString& text) {
    spin_->setValue(text.toInt());
}

void SpinControl::applyReadOnly(bool readOnly) {
    spin_->setEnabled(!readOnly);
}

BoundLabelControl::BoundLabelControl(const ControlRow& row, UserInterface& ui, QWidget* parent)
    : DataControl(row, ui, parent), label_(new QLabel(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label_);
}

QString BoundLabelControl::shownText() const {
    return label_->text();
}

void BoundLabelControl::showText(const QString& text) {
    label_->setText(text);
}

} // namespace editor
