#include "editor/forms/controls/date_control.h"

#include "platform/dataset/dataset.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
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

// The calendar pop-up with "Dziś" (today) and "Wyczyść" (no date) under it. What is picked
// is typed into the edit and stored when the control is left, as a typed date is.
void DateControl::pickDate() {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("datePopup"));
    auto* box = new QWidget(&menu);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* calendar = new QCalendarWidget(box);
    const QDate shown = QDate::fromString(edit_->text(), QLatin1String(kPattern));
    if (shown.isValid()) calendar->setSelectedDate(shown);
    layout->addWidget(calendar);
    auto* buttons = new QHBoxLayout;
    auto* today = new QPushButton(QStringLiteral("Dziś"), box);
    today->setObjectName(QStringLiteral("btnDzis"));
    auto* clear = new QPushButton(QStringLiteral("Wyczyść"), box);
    clear->setObjectName(QStringLiteral("btnWyczysc"));
    buttons->addWidget(today);
    buttons->addWidget(clear);
    buttons->addStretch();
    layout->addLayout(buttons);
    auto* action = new QWidgetAction(&menu);
    action->setDefaultWidget(box);
    menu.addAction(action);
    bool chosen = false;
    const auto choose = [this, &menu, &chosen](const QString& text) {
        chosen = true;
        edit_->setText(text);
        userTyped();
        menu.close();
    };
    const auto chooseDate = [choose](QDate d) { choose(d.toString(QLatin1String(kPattern))); };
    connect(calendar, &QCalendarWidget::clicked, &menu, chooseDate);
    connect(calendar, &QCalendarWidget::activated, &menu, chooseDate);
    connect(today, &QPushButton::clicked, &menu,
            [chooseDate] { chooseDate(QDate::currentDate()); });
    connect(clear, &QPushButton::clicked, &menu, [choose] { choose(QString()); });
    calendar->setFocus(Qt::PopupFocusReason);
    menu.exec(calendarButton_->mapToGlobal(QPoint(0, calendarButton_->height())));
    // A chosen date is checked and stored when the field is left; a pop-up closed without a
    // choice leaves the focus where it was (also in a control that refused its text).
    if (chosen) edit_->setFocus(Qt::OtherFocusReason);
}

// Alt+Down or F4 opens the calendar from the keyboard.
bool DateControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::KeyPress && !isReadOnly()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F4 ||
            (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
            pickDate();
            return true;
        }
    }
    return DataControl::eventFilter(watched, event);
}

} // namespace editor
