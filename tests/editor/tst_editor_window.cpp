// The editor window driven as a user drives it: closing, the show-time steps, the checksum
// page, view mode, the return to the last control and F1 outside the frames (the wheel over
// every control of every page is the applicant unit's). The windows around it: the message
// browser, the validation window leading to a control, and the message boxes of the port with
// widgets (the validate action is the applicant unit's).
#include "editor_fixture.h"

#include "editor/forms/controls/data_control.h"
#include "editor/forms/frame_pages.h"
#include "editor/grid/year_grid.h"
#include "editor/help/help_content.h"
#include "editor/uiport/qt_user_interface.h"
#include "editor/validation/message_browser.h"
#include "editor/validation/validation_window.h"
#include "editor/window/focus_control.h"
#include "editor/window/scroll_box.h"
#include "platform/ui/translations.h"
#include "type_text.h"
#include "validation/rules_finance.h"
#include "validation/rules_project.h"

#include <QAction>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTreeView>
#include <QtTest>

using editor::ScrollBox;
using namespace Qt::StringLiterals;

// The save question comes only for changed data outside view mode; it is answered No.
// Typing the title and leaving it with Tab posts it and marks the data changed. acZamknij
// refused keeps the editor open; its result is not carried over.
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

const struct BoxCase {
    const char* tag;
    MessageButtons buttons;
    const char* captions; // sorted
    MessageIcon icon;
    QMessageBox::StandardButton pressed;
    MessageResult answer;
} kBoxes[] = {
    {"three answers", MessageButtons::YesNoCancel, "Anuluj Nie Tak", MessageIcon::Warning,
     QMessageBox::Cancel, MessageResult::Cancel},
    {"information", MessageButtons::Ok, "OK", MessageIcon::Information, QMessageBox::Ok,
     MessageResult::Ok},
};

const struct CloseCase {
    const char *tag, *how;
    bool viewOnly, changed;
    int result, questions;
} kCloses[] = {
    {"acZamknij", "acZamknij", false, false, 1, 1},
    {"close box", "close box", false, false, 2, 1},
    {"host request, data changed", "host", false, true, 2, 0},
    {"changed data, view mode", "acZamknij", true, true, 1, 1},
    {"title typed", "typed", false, true, 1, 2},
    {"refused, then close box", "refused", false, false, 2, 2},
};

class TestEditorWindow : public QObject {
    Q_OBJECT
private slots:
    void closing_data() { caseRows(kCloses); }

    void closing() {
        fx = std::make_unique<EditorFixture>();
        const auto& [tag, name, viewOnly, changed, result, questions] = currentCase(kCloses);
        const QString how = QLatin1String(name);
        if (viewOnly) fx->window->EnterViewMode();
        for (QAction* a : fx->window->findChildren<QAction*>())
            QVERIFY(a->isEnabled()); // view mode keeps every action
        if (how == u"refused") fx->ui.queueAnswer(MessageResult::No);
        fx->ui.queueAnswer(MessageResult::Yes);
        if (changed && !viewOnly && how != u"host") fx->ui.queueAnswer(MessageResult::No);
        const QString title = u"Obwodnica Łomży – etap źródłowy"_s;
        bool changedByTyping = false, stayedOpen = false;
        const int r = fx->runEditor({}, [&] {
            fx->dm->Zmieniony = changed && how != u"typed";
            if (how == u"typed" && QTest::qWaitForWindowActive(fx->window.get()) &&
                editor::focusControl(editor::findControlForField(fx->window.get(), u"dsWniosek"_s,
                                                                 u"tytul_projektu"_s))) {
                QWidget* typedInto = QApplication::focusWidget();
                typeText(typedInto, title);
                QTest::keyClick(typedInto, Qt::Key_Tab);
                changedByTyping = fx->dm->Zmieniony && QApplication::focusWidget() != typedInto;
            }
            if (how == u"refused") {
                action("acZamknij")->trigger();
                stayedOpen = fx->window->isVisible();
            }
            if (how != u"close box" && how != u"host" && how != u"refused")
                action("acZamknij")->trigger();
            else if (how != u"host")
                fx->window->close();
            else
                QCoreApplication::postEvent(fx->window.get(),
                                            new QEvent(editor::TfmWniosek_t::HostCloseEvent));
        });
        QCOMPARE(r, result);
        QCOMPARE(fx->questions(), questions);
        QVERIFY(!fx->window->isVisible());
        QCOMPARE(stayedOpen, how == u"refused");
        if (how == u"typed") {
            QVERIFY(changedByTyping);
            QCOMPARE(fx->value("dsWniosek", "tytul_projektu"), title);
            QVERIFY(fx->ui.calls(UiCall::Kind::MessageBox).last().text.contains(u"zapisać"));
        }
    }

    // While the editor is shown the host's window is hidden, and a new application has answered
    // "no" for every attachment of kind "IN" (before, "yes" for works) without being changed.
    void showTimeSteps() {
        fx = std::make_unique<EditorFixture>();
        QWidget host;
        host.setObjectName(u"TfmLauncher"_s);
        host.show();
        QCOMPARE(fx->value("dsPolaSpec", "ZALBIZPLRT"), u"T"_s);
        fx->runEditor({}, [&] {
            QVERIFY(!host.isVisible());
            QCOMPARE(fx->value("dsWniosek", "rodz_proj"), QString());
            QCOMPARE(fx->value("dsPolaSpec", "ZALBIZPLRT"), u"N"_s);
            QCOMPARE(fx->value("dsPolaSpec", "ZALMAPYRT"), u"N"_s);
            QVERIFY(!fx->dm->Zmieniony);
            fx->window->close();
        });
        QVERIFY(host.isVisible());
    }

    void checksumPageShowsTheStoredChecksum() {
        fx = std::make_unique<EditorFixture>();
        editor::TfmWniosek& w = *fx->window;
        // A copy: the editor locks the file it opens, and other units read the sample meanwhile.
        QTemporaryDir dir;
        const QString copy = dir.filePath(u"wniosek.xml"_s);
        QVERIFY(QFile::copy(TOPAZ_EXAMPLES "/wniosek-przyklad.xml"_L1, copy));
        w.file().OpenApplicationFile(copy);
        const QString stored = fx->value("dsWniosek", "suma_kontrolna");
        QVERIFY(!stored.isEmpty());
        QVERIFY(w.file().VerifyChecksum());
        QVERIFY(!w.checksumEdit()->isEnabled());
        fx->runEditor({}, [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTabBar* tabs = w.mainPages()->tabBar();
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(5).center());
            QCOMPARE(w.mainPages()->currentIndex(), 5);
            QCOMPARE(w.checksumEdit()->text(), stored);
            QCOMPARE(fx->value("dsWniosek", "suma_kontrolna"), stored);
            QVERIFY(!fx->dm->Zmieniony);
            QCOMPARE(QApplication::focusWidget(), w.scrollBox(5));
            // Entering a page with inner pages focuses the scroll box of its current page.
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
            QCOMPARE(QApplication::focusWidget(), w.scrollBox(1, 0));
            w.close();
        });
    }

    void innerPageGivesTheFocusBack() {
        fx = std::make_unique<EditorFixture>();
        editor::TfmWniosek& w = *fx->window;
        auto* third = new QLineEdit;
        w.scrollBox(0, 0)->panel()->layout()->addWidget(new QLineEdit);
        w.scrollBox(0, 1)->panel()->layout()->addWidget(new QLineEdit);
        w.scrollBox(0, 1)->panel()->layout()->addWidget(third);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTabWidget* inner = w.innerPages(0);
        inner->setCurrentIndex(1);
        third->setFocus();
        inner->setCurrentIndex(0);
        QVERIFY(!third->hasFocus());
        inner->setCurrentIndex(1);
        QVERIFY(third->hasFocus());
    }

    void helpKeyOutsideFrames_data() {
        QTest::addColumn<QString>("target");
        for (const char* target : {"pcGlowny", "ToolBar1", "StatusBar1"})
            QTest::newRow(target) << QString::fromLatin1(target);
    }

    // F1 outside every frame opens the overview (a frame's own topic is the help unit's).
    void helpKeyOutsideFrames() {
        fx = std::make_unique<EditorFixture>();
        QFETCH(QString, target);
        const OpenedTopics opened;
        editor::TfmWniosek& w = *fx->window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QWidget* widget = w.findChild<QWidget*>(target);
        QVERIFY(widget && widget->isVisible());
        if (QWidget* inner = widget->findChild<QTabBar*>()) widget = inner;
        if (widget->focusPolicy() == Qt::NoFocus) widget->setFocusPolicy(Qt::StrongFocus);
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
        QTest::keyClick(widget, Qt::Key_F1);
        QCOMPARE(opened.topics, QList<int>{editor::kWindowHelpTopic});
    }

    void initTestCase() {
        polish_ = installPolishTranslations();
        QVERIFY2(polish_, "qtbase_pl.qm is missing (package qt6-translations-l10n)");
    }

    void cleanup() {
        browser_.reset();
        fx.reset();
    }
    void cleanupTestCase() { shared_.reset(); }

    void messageBrowserSteps_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("one message") << 1;
        QTest::newRow("three messages") << 3;
    }

    // Forward to the last message, the close box refused until then, one step back, done.
    void messageBrowserSteps() {
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

    void findingsLeadToTheirControls_data() {
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
    void findingsLeadToTheirControls() {
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

    void messageBoxesInPolish_data() { caseRows(kBoxes); }

    // The port's message box: Polish buttons, CR LF as one line break, an icon, and the pressed
    // button as the answer.
    void messageBoxesInPolish() {
        const BoxCase& c = currentCase(kBoxes);
        QStringList shown;
        TestSupport::inModalLoop(qApp, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box && box->icon() != QMessageBox::NoIcon);
            QCOMPARE(box->text(), u"Pierwsza linia\ndruga"_s);
            for (QAbstractButton* b : box->buttons())
                shown << b->text().remove(u'&');
            box->button(c.pressed)->click();
        });
        editor::QtUserInterface ui;
        QCOMPARE(ui.messageBox(u"Pierwsza linia\r\ndruga"_s, u"Zelgor"_s, c.icon, c.buttons),
                 c.answer);
        shown.sort();
        QCOMPARE(shown.join(u' '), QLatin1String(c.captions));
    }

private:
    QAction* action(const char* name) const {
        return fx->window->findChild<QAction*>(QLatin1String(name));
    }
    std::unique_ptr<EditorFixture> fx;
    std::unique_ptr<QTranslator> polish_;
    std::unique_ptr<EditorFixture> shared_;
    std::unique_ptr<editor::TfmMsgForm> browser_;
};

QTEST_MAIN(TestEditorWindow)
#include "tst_editor_window.moc"
