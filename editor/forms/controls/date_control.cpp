#include "editor/forms/controls/date_control.h"

#include "platform/dataset/dataset.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>

namespace editor {

namespace {
const char* const kPattern = "yyyy.MM.dd";
}

QString DateControl::notADateMessage() {
    return QStringLiteral("Nieprawidłowa data. Użyj ESC żeby anulować");
}

DateControl::DateControl(const ControlRow& row, UserInterface& ui, QWidget* parent)
    : DataControl(row, ui, parent), edit_(new QLineEdit(this)),
      calendarButton_(new QToolButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit_);
    layout->addWidget(calendarButton_);
    edit_->setObjectName(objectName() + QStringLiteral("_edit"));
    edit_->setPlaceholderText(QStringLiteral("rrrr.mm.dd"));
    edit_->setMaxLength(10);
    calendarButton_->setText(QStringLiteral("▾"));
    calendarButton_->setAccessibleName(QStringLiteral("Kalendarz"));
    calendarButton_->setFocusPolicy(Qt::NoFocus);
    setEditor(edit_);
    connect(edit_, &QLineEdit::textEdited, this, [this] { userTyped(); });
    connect(edit_, &QLineEdit::returnPressed, this, [this] { commit(); });
    connect(calendarButton_, &QToolButton::clicked, this, &DateControl::pickDate);
}

QString DateControl::fieldText(const Field& field) const {
    const QDate d = field.asDate();
    return d.isValid() ? d.toString(QLatin1String(kPattern)) : QString();
}

QString DateControl::shownText() const {
    return edit_->text();
}

void DateControl::showText(const QString& text) {
    edit_->setText(text);
}

QDate DateControl::dateFromText(const QString& text) {
    QString t = text.trimmed();
    t.replace(u'-', u'.').replace(u'/', u'.');
    return QDate::fromString(t, QLatin1String(kPattern));
}

bool DateControl::storeText(const QString& text, QString& refusal) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("..")) return mutableLink().write(QVariant(), ui());
    const QDate d = dateFromText(t);
    if (!d.isValid()) {
        refusal = notADateMessage();
        return false;
    }
    return mutableLink().write(d, ui());
}

void DateControl::applyReadOnly(bool readOnly) {
    edit_->setEnabled(!readOnly);
    calendarButton_->setEnabled(!readOnly);
}

void DateControl::pickDate() {
    QMenu menu(this);
    auto* calendar = new QCalendarWidget(&menu);
    const QDate shown = QDate::fromString(edit_->text(), QLatin1String(kPattern));
    if (shown.isValid()) calendar->setSelectedDate(shown);
    auto* action = new QWidgetAction(&menu);
    action->setDefaultWidget(calendar);
    menu.addAction(action);
    connect(calendar, &QCalendarWidget::clicked, &menu, [this, &menu](QDate d) {
        edit_->setText(d.toString(QLatin1String(kPattern)));
        userTyped();
        menu.close();
    });
    menu.exec(calendarButton_->mapToGlobal(QPoint(0, calendarButton_->height())));
    edit_->setFocus(Qt::OtherFocusReason);
}

} // namespace editor
