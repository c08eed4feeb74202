#include "platform/ui/headlessui.h"

#include "platform/dataset/dataset.h"

#include <cstdio>

namespace {

QString tableOf(const Field& field) {
    return field.dataSet() ? field.dataSet()->name() : QString();
}

QString controlKey(const QString& table, const QString& field) {
    return table.toLower() + QLatin1Char('.') + field.toLower();
}

QString answerName(MessageResult answer) {
    switch (answer) {
    case MessageResult::Ok:
        return QStringLiteral("OK");
    case MessageResult::Cancel:
        return QStringLiteral("Anuluj");
    case MessageResult::Yes:
        return QStringLiteral("Tak");
    case MessageResult::No:
        return QStringLiteral("Nie");
    }
    return {};
}

} // namespace

HeadlessUi::HeadlessUi(bool echoToStderr) : echo_(echoToStderr) {}

MessageResult HeadlessUi::messageBox(const QString& text, const QString& caption, MessageIcon icon,
                                     MessageButtons buttons) {
    MessageResult answer = defaultAnswer(buttons);
    if (!answers_.isEmpty()) {
        answer = answers_.dequeue();
        if (!offersAnswer(buttons, answer))
            qFatal("HeadlessUi: queued answer %s is not a button of the box \"%s\"",
                   qPrintable(answerName(answer)), qPrintable(text));
    }
    UiCall call;
    call.kind = UiCall::Kind::MessageBox;
    call.text = text;
    call.caption = caption;
    call.icon = icon;
    call.buttons = buttons;
    call.answer = answer;
    calls_.append(call);
    if (echo_) {
        const QString prefix = caption.isEmpty() ? QString() : caption + QStringLiteral(": ");
        const QString suffix = buttons == MessageButtons::Ok
                                   ? QString()
                                   : QStringLiteral(" [") + answerName(answer) + QLatin1Char(']');
        echo(prefix + text + suffix);
    }
    return answer;
}

void HeadlessUi::errorDialog(const QString& text) {
    UiCall call;
    call.kind = UiCall::Kind::ErrorDialog;
    call.text = text;
    call.icon = MessageIcon::Error;
    calls_.append(call);
    if (echo_) echo(QStringLiteral("Błąd: ") + text);
}

void HeadlessUi::enableControlForField(const Field& field, bool enabled) {
    UiCall call;
    call.kind = UiCall::Kind::EnableControl;
    call.table = tableOf(field);
    call.field = field.name();
    call.flag = enabled;
    calls_.append(call);
    enabled_.insert(controlKey(call.table, call.field), enabled);
}

bool HeadlessUi::focusControlForField(const Field& field) {
    UiCall call;
    call.kind = UiCall::Kind::FocusControl;
    call.table = tableOf(field);
    call.field = field.name();
    call.flag = focusResult_;
    calls_.append(call);
    return focusResult_;
}

void HeadlessUi::setBusyCursor(bool on) {
    UiCall call;
    call.kind = UiCall::Kind::BusyCursor;
    call.flag = on;
    calls_.append(call);
    busy_ = on;
}

void HeadlessUi::queueAnswer(MessageResult answer) {
    answers_.enqueue(answer);
}

QList<UiCall> HeadlessUi::calls(UiCall::Kind kind) const {
    QList<UiCall> matching;
    for (const UiCall& call : calls_) {
        if (call.kind == kind) matching.append(call);
    }
    return matching;
}

QStringList HeadlessUi::shownTexts() const {
    QStringList texts;
    for (const UiCall& call : calls_) {
        if (call.kind == UiCall::Kind::MessageBox || call.kind == UiCall::Kind::ErrorDialog)
            texts.append(call.text);
    }
    return texts;
}

std::optional<bool> HeadlessUi::enabledState(const QString& table, const QString& field) const {
    const auto it = enabled_.constFind(controlKey(table, field));
    if (it == enabled_.constEnd()) return std::nullopt;
    return *it;
}

bool HeadlessUi::isControlEnabled(const QString& table, const QString& field) const {
    return enabledState(table, field).value_or(true);
}

void HeadlessUi::echo(const QString& line) const {
    QString text = line;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text += QLatin1Char('\n');
    std::fputs(text.toUtf8().constData(), stderr);
    std::fflush(stderr);
}
