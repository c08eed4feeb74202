// The windows around the editor: the message browser, the validation window leading to
// a control, the validate action, and the message boxes of the port with widgets.
#include "editor_fixture.h"

#include "editor/forms/controls/data_control.h"
#include "editor/forms/frame_pages.h"
#include "editor/grid/year_grid.h"
#include "editor/uiport/qt_user_interface.h"
#include "editor/validation/message_browser.h"
#include "editor/validation/validation_window.h"
#include "platform/ui/translations.h"
#include "tests/modal_step.h"
#include "validation/rules_finance.h"
#include "validation/rules_project.h"

#include <QAction>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>
#include <QtTest>

class TestEditorDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase() { shared_.reset(); }
    void messageBrowserSteps_data();
    void messageBrowserSteps();
    void findingsLeadToTheirControls_data();
    void findingsLeadToTheirControls();
    void validateActionKeepsZmieniony_data();
    void validateActionKeepsZmieniony();
    void messageBoxesInPolish_data();
    void messageBoxesInPolish();

private:
    std::unique_ptr<QTranslator> polish_;
    std::unique_ptr<EditorFixture> fx;
    std::unique_ptr<EditorFixture> shared_;
    std::unique_ptr<editor::TfmMsgForm> browser_;
};

void TestEditorDialogs::initTestCase() {
    polish_ = installPolishTranslations();
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

namespace {

// Rules whose finding leads to a control the user never reaches, and why.
const QHash<QString, QString> kNoControl = {
    {"4", "the programme is set by the data module; its lookup stays disabled"},
    {"91", "the impact indicators are not asked here: their grid is hidden and disabled"},
    {"92", "the impact indicators are not asked here: their grid is hidden and disabled"},
};

// Every row of the rule tables that records a finding: the rules and their parts, an
// unnumbered part under the number of its rule.
void addFindingRows(std::span<const ValidationRule> rules, const QString& owner, int& index) {
    for (const ValidationRule& rule : rules) {
        const QString number =
            rule.number.isNumber() ? QString::fromLatin1(rule.number.text()) : owner;
        addFindingRows(rule.parts, number, index);
        if (!rule.table && !rule.control) continue; // a group: its parts record
        ++index;
        QTest::addRow("%d rule %s %s", index, qPrintable(number), rule.control ? rule.control : "-")
            << number << QString::fromUtf8(rule.message ? rule.message : "Komunikat reguły")
            << QString::fromLatin1(rule.table ? rule.table : "")
            << QString::fromLatin1(rule.field ? rule.field : "")
            << QString::fromLatin1(rule.control ? rule.control : "") << (index % 2 == 0);
    }
}

// The data control or year grid around `focused` that the finding names: bound to its
// table and field, or named as the rule names it (a block of a repeating panel holds
// controls of its own).
QWidget* findingControlHolding(QWidget* focused, const Finding& finding) {
    for (QWidget* w = focused; w; w = w->parentWidget()) {
        auto* c = qobject_cast<editor::DataControl*>(w);
        if (c && (c->isBoundTo(finding.table, finding.field) || c->objectName() == finding.control))
            return c;
        auto* g = qobject_cast<editor::YearGrid*>(w);
        if (g && (finding.table.isEmpty()
                      ? g->view()->objectName() == finding.control
                      : g->description().dataSet.compare(finding.table, Qt::CaseInsensitive) == 0))
            return g; // the two grids named e615001 told apart by their tables
    }
    return nullptr;
}

} // namespace

void TestEditorDialogs::findingsLeadToTheirControls_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("byKey");
    int index = 0;
    for (auto rules : {projectApplicantRules(), financeScheduleRules()})
        addFindingRows(rules, {}, index);
}

// One finding per rule in the validation window of a real editor, after a finding without
// a control (which gets no line); visiting its line, by double-click or by Enter on
// alternate rows, switches the pages and puts the cursor into the rule's control.
void TestEditorDialogs::findingsLeadToTheirControls() {
    QFETCH(QString, rule);
    QFETCH(QString, message);
    Finding finding;
    finding.rule = rule;
    finding.message = message;
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QString, control);
    finding.table = table;
    finding.field = field;
    finding.control = control;
    if (kNoControl.contains(rule)) QSKIP(qPrintable(kNoControl.value(rule)));
    if (!shared_) { // one editor for all rules: building it per rule would take long
        shared_ = std::make_unique<EditorFixture>();
        // A control that waits for an answer (a "Tak" above it) is enabled by that answer,
        // which its rule's failure implies.
        for (auto* c : shared_->window->findChildren<editor::DataControl*>())
            if (c->row().behaviour.testFlag(editor::Behaviour::StartsDisabled) &&
                !c->row().behaviour.testFlag(editor::Behaviour::Hidden))
                c->setEnabled(true);
        shared_->window->show();
        QVERIFY(QTest::qWaitForWindowActive(shared_->window.get()));
    }
    editor::TfmWniosek& w = *shared_->window;
    const int checksumPage = w.mainPages()->count() - 1;
    w.mainPages()->setCurrentIndex(checksumPage);

    FindingList& list = w.PrepareValidationWindow();
    Finding without = finding;
    without.table = without.field = QString();
    without.control = QStringLiteral("eBrak999");
    list.AddFinding(true, without);
    list.AddFinding(true, finding);
    editor::TfmValForm* window = w.validationWindow();
    window->showFindings();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QListWidget* lines = window->list();
    QCOMPARE(lines->count(), 1);
    QCOMPARE(lines->item(0)->toolTip(), message);
    lines->setFocus();
    QTRY_VERIFY(lines->hasFocus());
    QFETCH(bool, byKey);
    if (!byKey) {
        const QPoint line = lines->visualItemRect(lines->item(0)).center();
        // A double click is a press and release, then a second press reported as double.
        QTest::mouseClick(lines->viewport(), Qt::LeftButton, {}, line);
        QTest::mouseDClick(lines->viewport(), Qt::LeftButton, {}, line);
    } else {
        lines->setCurrentRow(0);
        QTest::keyClick(lines, Qt::Key_Return);
    }
    QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == &w);
    QWidget* holder = findingControlHolding(QApplication::focusWidget(), finding);
    QVERIFY2(holder, qPrintable(QApplication::focusWidget()->objectName()));
    QVERIFY(holder->isVisible() && holder->isEnabled());
    const int page = w.mainPages()->currentIndex();
    QVERIFY(w.mainPages()->currentWidget()->isAncestorOf(holder));
    if (QTabWidget* inner = w.innerPages(page))
        QVERIFY(inner->currentWidget()->isAncestorOf(holder));
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
    TestSupport::inModalLoop(qApp, [&] {
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
