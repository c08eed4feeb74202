#pragma once

#include "editor/forms/controls/data_control.h"

class QLineEdit;

namespace editor {

// An amount of a float field shown as "1 234,50"; an empty field shows 0,00. The typed
// amount is kept to two decimals when leaving.
class CurrencyControl : public DataControl {
    Q_OBJECT
public:
    CurrencyControl(const ControlRow& row, UserInterface& ui, QWidget* parent);
    QLineEdit* lineEdit() const { return edit_; }

protected:
    QString fieldText(const Field& field) const override;
    QString shownText() const override;
    void showText(const QString& text) override;
    bool storeText(const QString& text, QString& refusal) override;
    void applyReadOnly(bool readOnly) override;

private:
    QLineEdit* edit_;
};

} // namespace editor
