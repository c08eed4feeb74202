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

#include <map>

using namespace Qt::StringLiterals;

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

// Forward to the last message, the close box refused until then, one step back, done.
void TestEditorDialogs::messageBrowserSteps() {
    QFETCH(int, count);
    QStringList messages;
    for (int i = 1; i <= count; ++i)
        messages << u"Komunikat %1\r\ndruga linia"_s.arg(i);
    browser_ = std::make_unique<editor::TfmMsgForm>(messages, nullptr);
    const auto button = [this](const char* name) {
        return browser_->findChild<QPushButton*>(QLatin1String(name));
    };
    QPushButton *previous = button("btnPoprzedni"), *next = button("btnNastepny"),
                *done = button("btnZamknij");
    QCOMPARE(browser_->windowTitle(), u"Zelgor"_s);
    browser_->show();
    QVERIFY(QTest::qWaitForWindowExposed(browser_.get()));
    for (int i = 0; i < count; ++i) {
        QCOMPARE(browser_->memo()->toPlainText(), u"Komunikat %1\ndruga linia"_s.arg(i + 1));
        const bool last = i == count - 1;
        QCOMPARE(previous->isEnabled(), i > 0);
        QCOMPARE(next->isEnabled(), !last);
        QCOMPARE(done->isEnabled(), last);
        if (last) break;
        browser_->close();
        QVERIFY(browser_->isVisible());
        QTest::mouseClick(next, Qt::LeftButton);
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
    QFETCH(QString, table);
    QFETCH(QString, field);
    QFETCH(QString, control);
    QFETCH(bool, byKey);
    const Finding finding{
        .rule = rule, .message = message, .table = table, .field = field, .control = control};
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
    list.AddFinding(
        true,
        {.rule = rule, .message = message, .table = {}, .field = {}, .control = u"eBrak999"_s});
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

// An empty application fails: the window shows the run, the action stays enabled.
void TestEditorDialogs::validateActionKeepsZmieniony() {
    QFETCH(bool, changed);
    fx = std::make_unique<EditorFixture>();
    editor::TfmWniosek& w = *fx->window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fx->dm->Zmieniony = changed;
    QAction* validate = w.findChild<QAction*>(u"acWalidacja"_s);
    validate->trigger();
    QVERIFY(w.validationWindow()->isVisible() && validate->isEnabled());
    QCOMPARE(fx->dm->Zmieniony, changed);
    QCOMPARE(fx->questions(), 0);
}

void TestEditorDialogs::messageBoxesInPolish_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("answer");
    QTest::newRow("three answers")
        << int(MessageButtons::YesNoCancel) << QStringList{"Anuluj", "Nie", "Tak"}
        << int(MessageIcon::Warning) << int(MessageResult::Cancel);
    QTest::newRow("information") << int(MessageButtons::Ok) << QStringList{"OK"}
                                 << int(MessageIcon::Information) << int(MessageResult::Ok);
}

// The port's message box: Polish buttons (sorted), CR LF as one line break, an icon, and
// the pressed button as the answer.
void TestEditorDialogs::messageBoxesInPolish() {
    QFETCH(int, buttons);
    QFETCH(QStringList, captions);
    QFETCH(int, icon);
    QFETCH(int, answer);
    const std::map<int, QMessageBox::StandardButton> press{
        {int(MessageResult::Cancel), QMessageBox::Cancel},
        {int(MessageResult::Ok), QMessageBox::Ok}};
    QStringList shown;
    TestSupport::inModalLoop(qApp, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box && box->icon() != QMessageBox::NoIcon);
        QCOMPARE(box->text(), u"Pierwsza linia\ndruga"_s);
        for (QAbstractButton* b : box->buttons())
            shown << b->text().remove(u'&');
        box->button(press.at(answer))->click();
    });
    editor::QtUserInterface ui;
    const MessageResult r = ui.messageBox(u"Pierwsza linia\r\ndruga"_s, u"Zelgor"_s,
                                          MessageIcon(icon), MessageButtons(buttons));
    QCOMPARE(int(r), answer);
    shown.sort();
    QCOMPARE(shown, captions);
}

QTEST_MAIN(TestEditorDialogs)
#include "tst_editor_dialogs.moc"
