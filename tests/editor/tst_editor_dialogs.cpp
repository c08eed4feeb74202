// The windows around the editor: the message browser, the validation window leading to
// a control, the validate action, and the message boxes of the port with widgets.
#include "editor_fixture.h"

#include "editor/uiport/qt_user_interface.h"
#include "editor/uiport/translations.h"
#include "editor/validation/message_browser.h"
#include "editor/validation/validation_window.h"
#include "editor/window/scroll_box.h"

#include <QAction>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

class TestEditorDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void messageBrowserSteps_data();
    void messageBrowserSteps();
    void findingsLeadToTheirControls();
    void validateActionKeepsZmieniony_data();
    void validateActionKeepsZmieniony();
    void messageBoxesInPolish_data();
    void messageBoxesInPolish();

private:
    std::unique_ptr<QTranslator> polish_;
    std::unique_ptr<EditorFixture> fx;
    std::unique_ptr<editor::TfmMsgForm> browser_;
};

void TestEditorDialogs::initTestCase() {
    polish_ = editor::installPolishTranslations();
    QVERIFY2(polish_, "qtbase_pl.qm is missing (package qt6-translations-l10n)");
}

void TestEditorDialogs::cleanup() {
    browser_.reset();
    fx.reset();
}

void TestEditorDialogs::messageBrowserSteps_data() {
    QTest::addColumn<int>("count");
    QTest::newRow("one message") << 1;
    QTest::newRow("three messages") << 3;
}

void TestEditorDialogs::messageBrowserSteps() {
    QFETCH(int, count);
    QStringList messages;
    for (int i = 1; i <= count; ++i)
        messages << QStringLiteral("Komunikat %1\r\ndruga linia").arg(i);
    browser_ = std::make_unique<editor::TfmMsgForm>(messages, nullptr);
    auto* previous = browser_->findChild<QPushButton*>(QStringLiteral("btnPoprzedni"));
    auto* next = browser_->findChild<QPushButton*>(QStringLiteral("btnNastepny"));
    auto* done = browser_->findChild<QPushButton*>(QStringLiteral("btnZamknij"));
    QCOMPARE(browser_->windowTitle(), QStringLiteral("Zelgor"));
    browser_->show();
    QVERIFY(QTest::qWaitForWindowExposed(browser_.get()));
    for (int i = 0; i < count; ++i) {
        QCOMPARE(browser_->memo()->toPlainText(),
                 QStringLiteral("Komunikat %1\ndruga linia").arg(i + 1));
        const bool last = i == count - 1;
        QCOMPARE(previous->isEnabled(), i > 0);
        QCOMPARE(next->isEnabled(), !last);
        QCOMPARE(done->isEnabled(), last);
        if (!last) {
            // The close box is refused until the last message has been shown.
            browser_->close();
            QVERIFY(browser_->isVisible());
            QTest::mouseClick(next, Qt::LeftButton);
        }
    }
    if (count > 1) {
        QTest::mouseClick(previous, Qt::LeftButton);
        QCOMPARE(browser_->MessageIndex, count - 2);
        QVERIFY(done->isEnabled()); // once reached, the end stays open
    }
    QTest::mouseClick(done, Qt::LeftButton);
    QVERIFY(!browser_->isVisible());
    QCOMPARE(browser_->result(), int(QDialog::Accepted));
}

void TestEditorDialogs::findingsLeadToTheirControls() {
    fx = std::make_unique<EditorFixture>();
    editor::TfmWniosek& w = *fx->window;
    auto* onProject = new QLineEdit;
    onProject->setObjectName(QStringLiteral("eTest001"));
    w.scrollBox(0, 3)->panel()->layout()->addWidget(onProject);
    auto* onApplicant = new QLineEdit;
    onApplicant->setObjectName(QStringLiteral("eTest002"));
    w.scrollBox(1, 2)->panel()->layout()->addWidget(onApplicant);
    onApplicant->hide(); // a hidden control is shown when its finding is visited
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    FindingList& list = w.PrepareValidationWindow();
    auto finding = [](const char* message, const char* control, Severity severity) {
        Finding f;
        f.message = QString::fromUtf8(message);
        f.control = QLatin1String(control);
        f.severity = severity;
        return f;
    };
    list.AddFinding(true, finding("Pierwszy błąd", "eTest002", Severity::Error));
    list.AddFinding(true, finding("Bez kontrolki", "eBrak999", Severity::Error));
    list.AddFinding(true, finding("Ostrzeżenie", "eTest001", Severity::Warning));
    editor::TfmValForm* window = w.validationWindow();
    window->showFindings();
    window->show();
    QCOMPARE(window->windowTitle(), QStringLiteral("Edytor wniosku - błędy walidacji"));
    QListWidget* lines = window->list();
    QCOMPARE(lines->count(), 2); // a finding without a control in the editor gets no line
    QCOMPARE(lines->item(0)->text(), QStringLiteral("Pierwszy błąd"));
    QCOMPARE(lines->item(1)->text(), QStringLiteral("Ostrzeżenie"));
    QCOMPARE(lines->item(1)->toolTip(), QStringLiteral("Ostrzeżenie"));
    QVERIFY(!lines->item(0)->icon().isNull());

    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QRect second = lines->visualItemRect(lines->item(1));
    // A double click is a press and release, then a second press reported as double.
    QTest::mouseClick(lines->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(lines->viewport(), Qt::LeftButton, {}, second.center());
    QTRY_VERIFY(onProject->hasFocus());
    QCOMPARE(w.mainPages()->currentIndex(), 0);
    QCOMPARE(w.innerPages(0)->currentIndex(), 3);

    window->activateWindow();
    lines->setFocus();
    lines->setCurrentRow(0);
    QTest::keyClick(lines, Qt::Key_Return);
    QTRY_VERIFY(onApplicant->hasFocus());
    QCOMPARE(w.mainPages()->currentIndex(), 1);
    QCOMPARE(w.innerPages(1)->currentIndex(), 2);
}

void TestEditorDialogs::validateActionKeepsZmieniony_data() {
    QTest::addColumn<bool>("changed");
    QTest::newRow("unchanged") << false;
    QTest::newRow("changed") << true;
}

void TestEditorDialogs::validateActionKeepsZmieniony() {
    QFETCH(bool, changed);
    fx = std::make_unique<EditorFixture>();
    editor::TfmWniosek& w = *fx->window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fx->dm->Zmieniony = changed;
    QAction* validate = w.findChild<QAction*>(QStringLiteral("acWalidacja"));
    validate->trigger();
    // An empty application fails: the window shows the run, the action stays enabled.
    QVERIFY(w.validationWindow()->isVisible());
    QVERIFY(validate->isEnabled());
    QCOMPARE(fx->dm->Zmieniony, changed);
    QVERIFY(fx->ui.calls(UiCall::Kind::MessageBox).isEmpty());
}

void TestEditorDialogs::messageBoxesInPolish_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("answer");
    QTest::newRow("question") << int(MessageButtons::YesNo) << QStringList{"Tak", "Nie"}
                              << int(MessageIcon::Question) << int(MessageResult::No);
    QTest::newRow("three answers")
        << int(MessageButtons::YesNoCancel) << QStringList{"Tak", "Nie", "Anuluj"}
        << int(MessageIcon::Warning) << int(MessageResult::Cancel);
    QTest::newRow("information") << int(MessageButtons::Ok) << QStringList{"OK"}
                                 << int(MessageIcon::Information) << int(MessageResult::Ok);
}

void TestEditorDialogs::messageBoxesInPolish() {
    QFETCH(int, buttons);
    QFETCH(QStringList, captions);
    QFETCH(int, icon);
    QFETCH(int, answer);
    editor::QtUserInterface ui;
    QStringList shown;
    QString text;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        text = box->text();
        shownIcon = box->icon();
        for (QAbstractButton* b : box->buttons())
            shown << b->text().remove(QLatin1Char('&'));
        const QMessageBox::StandardButton press = answer == int(MessageResult::No) ? QMessageBox::No
                                                  : answer == int(MessageResult::Cancel)
                                                      ? QMessageBox::Cancel
                                                      : QMessageBox::Ok;
        QAbstractButton* pressed = box->button(press);
        pressed->click();
    });
    const MessageResult r =
        ui.messageBox(QStringLiteral("Pierwsza linia\r\ndruga"), QStringLiteral("Zelgor"),
                      MessageIcon(icon), MessageButtons(buttons));
    QCOMPARE(int(r), answer);
    QCOMPARE(text, QStringLiteral("Pierwsza linia\ndruga"));
    shown.sort();
    captions.sort();
    QCOMPARE(shown, captions);
    QVERIFY(shownIcon != QMessageBox::NoIcon);
}

QTEST_MAIN(TestEditorDialogs)
#include "tst_editor_dialogs.moc"
