#include "editor/forms/controls/currency_control.h"

#include "platform/dataset/dataset.h"
#include "platform/utils/amount.h"

#include <QHBoxLayout>
#include <QLineEdit>

namespace editor {

CurrencyControl::CurrencyControl(const ControlRow& row, UserInterface& ui, QWidget* parent)
    : DataControl(row, ui, parent), edit_(new QLineEdit(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_);
    edit_->setObjectName(objectName() + QStringLiteral("_edit"));
    edit_->setAlignment(Qt::AlignRight);
    setEditor(edit_);
    connect(edit_, &QLineEdit::textEdited, this, [this] { userTyped(); });
    connect(edit_, &QLineEdit::returnPressed, this, [this] { commit(); });
}

namespace {

QString currencyText(double value) {
    static const Utils::AmountFormat format(Utils::kCurrencyPattern);
    return format.format(value);
}

} // namespace

QString CurrencyControl::fieldText(const Field& field) const {
    return currencyText(field.asFloat());
}

QString CurrencyControl::shownText() const {
    return edit_->text();
}

void CurrencyControl::showText(const QString& text) {
    edit_->setText(text.isEmpty() ? currencyText(0) : text);
}

bool CurrencyControl::storeText(const QString& text, QString& refusal) {
    const std::optional<double> amount = Utils::parseCents(text);
    if (!amount) {
        refusal = QStringLiteral("Nieprawidłowa kwota. Użyj ESC żeby anulować");
        return false;
    }
    return mutableLink().write(*amount, ui());
}

void CurrencyControl::applyReadOnly(bool readOnly) {
    edit_->setEnabled(!readOnly);
}

} // namespace editor
