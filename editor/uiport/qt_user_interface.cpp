#include "editor/uiport/qt_user_interface.h"

#include "editor/forms/frame_pages.h"
#include "editor/window/focus_control.h"
#include "platform/dataset/dataset.h"

#include <QApplication>
#include <QMessageBox>

namespace editor {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageResult resultOf(int button, MessageButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return MessageResult::Ok;
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Cancel:
        return MessageResult::Cancel;
    default:
        // Closed with Esc or the close box: the set's cancelling answer.
        if (buttons == MessageButtons::YesNo) return MessageResult::No;
        return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    }
}

} // namespace

MessageResult QtUserInterface::messageBox(const QString& text, const QString& caption,
                                          MessageIcon icon, MessageButtons buttons) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(boxIcon(icon), caption, shown, boxButtons(buttons), editor_);
    box.setObjectName(QStringLiteral("MessageBox"));
    // The first button (OK or Yes) is the default, as the module's questions expect.
    box.setDefaultButton(buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel
                             ? QMessageBox::Ok
                             : QMessageBox::Yes);
    // The busy cursor must not hide that an answer is awaited.
    const bool busy = busyDepth_ > 0;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (busy) QApplication::restoreOverrideCursor();
    return resultOf(answer, buttons);
}

void QtUserInterface::errorDialog(const QString& text) {
    messageBox(text, QStringLiteral("Zelgor"), MessageIcon::Error, MessageButtons::Ok);
}

QWidget* QtUserInterface::controlFor(const Field& field) const {
    if (!editor_ || !field.dataSet()) return nullptr;
    return findControlForField(editor_, field.dataSet()->name(), field.name());
}

void QtUserInterface::enableControlForField(const Field& field, bool enabled) {
    if (QWidget* control = controlFor(field)) control->setEnabled(enabled);
}

bool QtUserInterface::focusControlForField(const Field& field) {
    // The rules call this with a refusal or a warning about the field.
    return focusControlAfterRefusal(controlFor(field));
}

void QtUserInterface::setBusyCursor(bool on) {
    if (on) {
        ++busyDepth_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        --busyDepth_;
        QApplication::restoreOverrideCursor();
    }
}

} // namespace editor
