#pragma once

#include "editor/forms/controls/data_control.h"

#include <QDate>

class QLineEdit;
class QToolButton;

namespace editor {

// A date field typed as "rrrr.mm.dd" (also with "-" or "/") or picked from a calendar
// (the button beside it, Alt+Down or F4) with "Dziś" and "Wyczyść" under it.
// An empty text stores no date; a text that names no date is refused when leaving.
class DateControl : public DataControl {
    Q_OBJECT
public:
    DateControl(const ControlRow& row, UserInterface& ui, QWidget* parent);
    QLineEdit* lineEdit() const { return edit_; }

    // The date editor's own message for a text that is no date.
    static QString notADateMessage();
    // The date a typed text names ("rrrr.mm.dd", "-" or "/" also); null for any other text.
    static QDate dateFromText(const QString& text);

protected:
    QString fieldText(const Field& field) const override;
    QString shownText() const override;
    void showText(const QString& text) override;
    bool storeText(const QString& text, QString& refusal) override;
    void applyReadOnly(bool readOnly) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pickDate();

    QLineEdit* edit_;
    QToolButton* calendarButton_;
};

} // namespace editor
