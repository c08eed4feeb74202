#pragma once

#include "editor/forms/controls/data_control.h"

class QCheckBox;

namespace editor {

// A check box on a short field: ticked writes the "on" value, cleared the "off" value,
// and the record is stored at once. Boxes on one field with different "on" values act as
// one choice: each shows ticked only while the field holds its own value, so ticking one
// clears the others, and clearing "Nie" of a "Tak"/"Nie" pair (off value "T") ticks "Tak".
class CheckControl : public DataControl {
    Q_OBJECT
public:
    CheckControl(const ControlRow& row, UserInterface& ui, QWidget* parent);
    QCheckBox* checkBox() const { return box_; }

protected:
    QString fieldText(const Field& field) const override;
    QString shownText() const override;
    void showText(const QString& text) override;
    void applyReadOnly(bool readOnly) override;

private:
    QCheckBox* box_;
};

} // namespace editor
