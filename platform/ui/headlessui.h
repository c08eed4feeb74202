#pragma once

#include "platform/ui/userinterface.h"

#include <QHash>
#include <QList>
#include <QQueue>
#include <QStringList>

#include <optional>

// One request that reached a HeadlessUi.
struct UiCall {
    enum class Kind { MessageBox, ErrorDialog, EnableControl, FocusControl, BusyCursor };

    Kind kind = Kind::MessageBox;
    QString text;    // message boxes and error dialogs
    QString caption; // message boxes
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    MessageResult answer = MessageResult::Ok; // the button a message box returned
    QString table;                            // control requests: the field's table
    QString field;                            // control requests: the field's name
    bool flag = false;                        // enable: enabled; focus: the result; busy cursor: on
};

// A user interface without a display, for the silent exports, the command-line tools
// and the tests. Every message box is answered with its default button (OK or Yes)
// unless an answer was queued; every request is recorded.
class HeadlessUi : public UserInterface {
public:
    // With echo, message boxes and error dialogs are also printed to stderr (UTF-8).
    explicit HeadlessUi(bool echoToStderr = false);

    MessageResult messageBox(const QString& text, const QString& caption, MessageIcon icon,
                             MessageButtons buttons) override;
    void errorDialog(const QString& text) override;
    void enableControlForField(const Field& field, bool enabled) override;
    bool focusControlForField(const Field& field) override;
    void setBusyCursor(bool on) override;

    // The next message box returns this answer instead of its default; answers are used
    // in the order queued. Queuing a button the box does not offer is a fault of the
    // caller and stops the program.
    void queueAnswer(MessageResult answer);
    qsizetype pendingAnswers() const { return answers_.size(); }

    // What focusControlForField reports; true (a control was found) unless set.
    void setFocusResult(bool found) { focusResult_ = found; }

    const QList<UiCall>& calls() const { return calls_; }
    QList<UiCall> calls(UiCall::Kind kind) const;
    // Texts of the message boxes and error dialogs, in the order shown.
    QStringList shownTexts() const;
    void clearCalls() { calls_.clear(); }

    // The enabled state last requested for the control of table.field (names compared
    // without regard to letter case); empty when never requested.
    std::optional<bool> enabledState(const QString& table, const QString& field) const;
    // Controls start enabled: true unless last told to be disabled.
    bool isControlEnabled(const QString& table, const QString& field) const;
    bool isBusyCursor() const { return busy_; }

private:
    void echo(const QString& line) const;

    bool echo_;
    bool focusResult_ = true;
    bool busy_ = false;
    QQueue<MessageResult> answers_;
    QList<UiCall> calls_;
    QHash<QString, bool> enabled_;
};
