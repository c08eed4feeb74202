#include "platform/dataset/dataset.h"
#include "platform/ui/headlessui.h"

#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

namespace {

const QString ChecksumQuestion =
    QStringLiteral("Niepoprawna suma kontrolna. Plik wniosku został zmieniony poza Zelgorem\r\n"
                   "Czy chcesz mimo to kontynuować?");

FieldDef fieldNamed(const char* name) {
    FieldDef def;
    def.name = QString::fromLatin1(name);
    return def;
}

// Collects what is written to stderr while it lives.
class StderrCapture {
public:
    explicit StderrCapture(const QString& path) : path_(path) {
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        const int fd = ::open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, STDERR_FILENO);
        ::close(fd);
    }
    ~StderrCapture() { restore(); }

    QString text() {
        restore();
        QFile f(path_);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
        saved_ = -1;
    }

    QString path_;
    int saved_ = -1;
};

} // namespace

Q_DECLARE_METATYPE(MessageButtons)
Q_DECLARE_METATYPE(MessageResult)

class TestUi : public QObject {
    Q_OBJECT

private slots:
    void defaultAnswers_data();
    void defaultAnswers();
    void queuedAnswersInOrder();
    void recordsBoxesAndDialogs();
    void enableStatePerTableAndField();
    void focusRequests();
    void busyCursorRestoredOnError();
    void echo_data();
    void echo();
};

void TestUi::defaultAnswers_data() {
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<MessageResult>("expected");
    QTest::newRow("ok") << MessageButtons::Ok << MessageResult::Ok;
    QTest::newRow("ok cancel") << MessageButtons::OkCancel << MessageResult::Ok;
    QTest::newRow("yes no") << MessageButtons::YesNo << MessageResult::Yes;
    QTest::newRow("yes no cancel") << MessageButtons::YesNoCancel << MessageResult::Yes;
}

void TestUi::defaultAnswers() {
    QFETCH(MessageButtons, buttons);
    QFETCH(MessageResult, expected);
    HeadlessUi ui;
    QCOMPARE(
        ui.messageBox(ChecksumQuestion, QStringLiteral("Zelgor"), MessageIcon::Warning, buttons),
        expected);
    QCOMPARE(ui.calls().size(), 1);
    QCOMPARE(ui.calls().first().answer, expected);
}

void TestUi::queuedAnswersInOrder() {
    HeadlessUi ui;
    ui.queueAnswer(MessageResult::No);
    ui.queueAnswer(MessageResult::Cancel);
    QCOMPARE(ui.pendingAnswers(), 2);

    const auto ask = [&](MessageButtons b) {
        return ui.messageBox(QStringLiteral("Zapisać zmiany?"), QStringLiteral("Zelgor"),
                             MessageIcon::Question, b);
    };
    QCOMPARE(ask(MessageButtons::YesNo), MessageResult::No);
    QCOMPARE(ask(MessageButtons::YesNoCancel), MessageResult::Cancel);
    QCOMPARE(ui.pendingAnswers(), 0);
    QCOMPARE(ask(MessageButtons::YesNo), MessageResult::Yes); // back to the default

    // Error dialogs have no choice and leave queued answers for the next box.
    ui.queueAnswer(MessageResult::Cancel);
    ui.errorDialog(QStringLiteral("Błąd"));
    QCOMPARE(ui.pendingAnswers(), 1);
    QCOMPARE(ask(MessageButtons::OkCancel), MessageResult::Cancel);
}

void TestUi::recordsBoxesAndDialogs() {
    HeadlessUi ui;
    ui.messageBox(ChecksumQuestion, QStringLiteral("Zelgor"), MessageIcon::Warning,
                  MessageButtons::YesNo);
    ui.errorDialog(QStringLiteral("Wystąpił błąd tworzenia pliku tymczasowego!"));
    ui.messageBox(QStringLiteral("Słownik zawiera niepoprawne dane"), QString(),
                  MessageIcon::Information, MessageButtons::Ok);

    QCOMPARE(ui.shownTexts(),
             QStringList({ChecksumQuestion,
                          QStringLiteral("Wystąpił błąd tworzenia pliku tymczasowego!"),
                          QStringLiteral("Słownik zawiera niepoprawne dane")}));

    const QList<UiCall> boxes = ui.calls(UiCall::Kind::MessageBox);
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes[0].text, ChecksumQuestion);
    QCOMPARE(boxes[0].caption, QStringLiteral("Zelgor"));
    QCOMPARE(boxes[0].icon, MessageIcon::Warning);
    QCOMPARE(boxes[0].buttons, MessageButtons::YesNo);
    QCOMPARE(boxes[1].icon, MessageIcon::Information);
    QCOMPARE(boxes[1].buttons, MessageButtons::Ok);

    const QList<UiCall> errors = ui.calls(UiCall::Kind::ErrorDialog);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors[0].icon, MessageIcon::Error);

    ui.clearCalls();
    QVERIFY(ui.calls().isEmpty());
    QVERIFY(ui.shownTexts().isEmpty());
}

void TestUi::enableStatePerTableAndField() {
    DataSet wniosek(QStringLiteral("dsWniosek"));
    Field& nazwa = wniosek.addField(fieldNamed("nazwa"));
    Field& kwota = wniosek.addField(fieldNamed("kwota"));
    DataSet beneficjent(QStringLiteral("dsBeneficjent"));
    beneficjent.addField(fieldNamed("nazwa"));

    HeadlessUi ui;
    QCOMPARE(ui.enabledState(QStringLiteral("dsWniosek"), QStringLiteral("nazwa")), std::nullopt);
    QVERIFY(ui.isControlEnabled(QStringLiteral("dsWniosek"), QStringLiteral("nazwa")));

    ui.enableControlForField(nazwa, false);
    ui.enableControlForField(kwota, true);
    QCOMPARE(ui.enabledState(QStringLiteral("dsWniosek"), QStringLiteral("nazwa")), false);
    QVERIFY(!ui.isControlEnabled(QStringLiteral("DSWNIOSEK"), QStringLiteral("Nazwa")));
    QVERIFY(ui.isControlEnabled(QStringLiteral("dsWniosek"), QStringLiteral("kwota")));
    // The same field name in another table is another control.
    QVERIFY(ui.isControlEnabled(QStringLiteral("dsBeneficjent"), QStringLiteral("nazwa")));

    ui.enableControlForField(nazwa, true);
    QVERIFY(ui.isControlEnabled(QStringLiteral("dsWniosek"), QStringLiteral("nazwa")));

    const QList<UiCall> calls = ui.calls(UiCall::Kind::EnableControl);
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[0].table, QStringLiteral("dsWniosek"));
    QCOMPARE(calls[0].field, QStringLiteral("nazwa"));
    QCOMPARE(calls[0].flag, false);
    QCOMPARE(calls[2].flag, true);
}

void TestUi::focusRequests() {
    DataSet osoby(QStringLiteral("dsOsobyUpow"));
    Field& pesel = osoby.addField(fieldNamed("pesel"));

    HeadlessUi ui;
    QVERIFY(ui.focusControlForField(pesel));
    ui.setFocusResult(false);
    QVERIFY(!ui.focusControlForField(pesel));

    const QList<UiCall> calls = ui.calls(UiCall::Kind::FocusControl);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0].table, QStringLiteral("dsOsobyUpow"));
    QCOMPARE(calls[0].field, QStringLiteral("pesel"));
    QCOMPARE(calls[0].flag, true);
    QCOMPARE(calls[1].flag, false);
}

void TestUi::busyCursorRestoredOnError() {
    HeadlessUi ui;
    try {
        BusyCursor busy(ui);
        QVERIFY(ui.isBusyCursor());
        throw std::runtime_error("load failed");
    } catch (const std::runtime_error&) {
    }
    QVERIFY(!ui.isBusyCursor());
    const QList<UiCall> calls = ui.calls(UiCall::Kind::BusyCursor);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0].flag, true);
    QCOMPARE(calls[1].flag, false);
}

void TestUi::echo_data() {
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("expected");
    QTest::newRow("on") << true
                        << QStringLiteral(
                               "Zelgor: Niepoprawna suma kontrolna. Plik wniosku został "
                               "zmieniony poza Zelgorem\nCzy chcesz mimo to kontynuować? [Nie]\n"
                               "Błąd: Plik jest uszkodzony\n"
                               "Zapisano.\n");
    QTest::newRow("off") << false << QString();
}

void TestUi::echo() {
    QFETCH(bool, enabled);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    HeadlessUi ui(enabled);
    ui.queueAnswer(MessageResult::No);
    StderrCapture capture(dir.filePath(QStringLiteral("stderr.txt")));
    ui.messageBox(ChecksumQuestion, QStringLiteral("Zelgor"), MessageIcon::Warning,
                  MessageButtons::YesNo);
    ui.errorDialog(QStringLiteral("Plik jest uszkodzony"));
    ui.messageBox(QStringLiteral("Zapisano."), QString(), MessageIcon::Information,
                  MessageButtons::Ok);
    QCOMPARE(capture.text(), expected);
}

QTEST_GUILESS_MAIN(TestUi)
#include "tst_ui.moc"
