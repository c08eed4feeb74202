#pragma once

#include "editor/forms/controls/data_control.h"

#include <QList>

class QButtonGroup;
class QLabel;
class QSpinBox;

namespace editor {

// A short field answered by one of several radio buttons, each with its stored value;
// a click stores at once.
class RadioGroupControl : public DataControl {
    Q_OBJECT
public:
    RadioGroupControl(const ControlRow& row, UserInterface& ui, QWidget* parent);
    QButtonGroup* buttons() const { return group_; }

protected:
    QString shownText() const override;
    void showText(const QString& text) override;
    void applyReadOnly(bool readOnly) override;

private:
    QButtonGroup* group_;
};

// An integer field with arrows; stored when leaving.
class SpinControl : public DataControl {
    Q_OBJECT
public:
    SpinControl(const ControlRow& row, UserInterface& ui, QWidget* parent);
    QSpinBox* spinBox() const { return spin_; }

protected:
    QString shownText() const override;
    void showText(const QString& text) override;
    void applyReadOnly(bool readOnly) override;

private:
    QSpinBox* spin_;
};

// A field shown as plain text (the number of a repeated block).
class BoundLabelControl : public DataControl {
    Q_OBJECT
public:
    BoundLabelControl(const ControlRow& row, UserInterface& ui, QWidget* parent);

protected:
    QString shownText() const override;
    void showText(const QString& text) override;
    void applyReadOnly(bool) override {}

private:
    QLabel* label_;
};

} // namespace editor
