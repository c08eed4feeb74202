// The editor window driven as a user drives it: closing, the show-time steps, the checksum
// page, view mode, the wheel, the return to the last control and F1 outside the frames.
#include "editor_fixture.h"
#include "tests/modal_step.h"

#include "editor/forms/builder/help_topic.h"
#include "editor/forms/controls/data_control.h"
#include "editor/forms/frame_pages.h"
#include "editor/help/help_content.h"
#include "editor/window/focus_control.h"
#include "editor/window/scroll_box.h"
#include "type_text.h"

#include <QAction>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using editor::ScrollBox;
using namespace Qt::StringLiterals;

class TestEditorWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void closing_data();
    void closing();
    void showTimeSteps();
    void checksumPageShowsTheStoredChecksum();
    void wheel_data();
    void wheel();
    void innerPageGivesTheFocusBack();
    void helpKeyOutsideFrames_data();
    void helpKeyOutsideFrames();

private:
    // Shows the editor modally and runs `step` once it is shown; returns the modal result.
    int runModal(const std::function<void()>& step);
    QAction* action(const char* name) const {
        return fx->window->findChild<QAction*>(QLatin1String(name));
    }
    std::unique_ptr<EditorFixture> fx;
};

void TestEditorWindow::init() {
    fx = std::make_unique<EditorFixture>();
}

void TestEditorWindow::cleanup() {
    fx.reset();
}

int TestEditorWindow::runModal(const std::function<void()>& step) {
    TestSupport::inModalLoop(fx->window.get(), step);
    return fx->window->showModal();
}

void TestEditorWindow::closing_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("viewOnly");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("questions");
    QTest::newRow("acZamknij") << "acZamknij" << false << false << 1 << 1;
    QTest::newRow("close box") << "close box" << false << false << 2 << 1;
    QTest::newRow("host request, data changed") << "host" << false << true << 2 << 0;
    // The save question comes only for changed data outside view mode; it is answered No.
    QTest::newRow("changed data") << "acZamknij" << false << true << 1 << 2;
    QTest::newRow("changed data, view mode") << "acZamknij" << true << true << 1 << 1;
    // Typing the title and leaving it with Tab posts it and marks the data changed.
    QTest::newRow("title typed") << "typed" << false << true << 1 << 2;
    // acZamknij refused keeps the editor open; its result is not carried over.
    QTest::newRow("refused, then close box") << "refused" << false << false << 2 << 2;
}

void TestEditorWindow::closing() {
    QFETCH(QString, how);
    QFETCH(bool, viewOnly);
    QFETCH(bool, changed);
    QFETCH(int, result);
    QFETCH(int, questions);
    if (viewOnly) fx->window->EnterViewMode();
    for (QAction* a : fx->window->findChildren<QAction*>())
        QVERIFY(a->isEnabled()); // view mode keeps every action
    if (how == u"refused") fx->ui.queueAnswer(MessageResult::No);
    fx->ui.queueAnswer(MessageResult::Yes);
    if (changed && !viewOnly && how != u"host") fx->ui.queueAnswer(MessageResult::No);
    const QString title = u"Obwodnica Łomży – etap źródłowy"_s;
    bool changedByTyping = false, stayedOpen = false;
    const int r = runModal([&] {
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
void TestEditorWindow::showTimeSteps() {
    QWidget host;
    host.setObjectName(u"TfmLauncher"_s);
    host.show();
    QCOMPARE(fx->value("dsPolaSpec", "ZALBIZPLRT"), u"T"_s);
    runModal([&] {
        QVERIFY(!host.isVisible());
        QCOMPARE(fx->value("dsWniosek", "rodz_proj"), QString());
        QCOMPARE(fx->value("dsPolaSpec", "ZALBIZPLRT"), u"N"_s);
        QCOMPARE(fx->value("dsPolaSpec", "ZALMAPYRT"), u"N"_s);
        QVERIFY(!fx->dm->Zmieniony);
        fx->window->close();
    });
    QVERIFY(host.isVisible());
}

void TestEditorWindow::checksumPageShowsTheStoredChecksum() {
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
    runModal([&] {
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

void TestEditorWindow::wheel_data() {
    QTest::addColumn<QString>("focused");
    QTest::addColumn<int>("scrolled");
    QTest::newRow("edit") << "edit" << 40;
    QTest::newRow("memo") << "memo" << 0;
    QTest::newRow("grid") << "grid" << 0;
}

void TestEditorWindow::wheel() {
    QFETCH(QString, focused);
    QFETCH(int, scrolled);
    editor::TfmWniosek& w = *fx->window;
    ScrollBox* box = w.scrollBox(0, 0);
    QWidget* control = nullptr;
    if (focused == u"memo") {
        control = new QPlainTextEdit(u"wiersz\n"_s.repeated(200));
    } else if (focused == u"grid") {
        auto* grid = new QTableView;
        grid->setModel(new QStandardItemModel(200, 3, grid));
        control = grid;
    } else {
        control = new QLineEdit;
    }
    control->setMinimumHeight(300);
    box->panel()->layout()->addWidget(control);
    auto* tall = new QWidget;
    tall->setMinimumHeight(2000);
    box->panel()->layout()->addWidget(tall);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    control->setFocus();
    QCOMPARE(QApplication::focusWidget(), control);

    const auto* inner = qobject_cast<QAbstractScrollArea*>(control);
    const int innerBefore = inner ? inner->verticalScrollBar()->value() : 0;
    const int before = box->verticalScrollBar()->value();
    const QPoint at = box->viewport()->rect().center();
    QWheelEvent notch(at, box->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box->viewport(), &notch);
    QCOMPARE(box->verticalScrollBar()->value() - before, scrolled);
    if (inner) QCOMPARE(inner->verticalScrollBar()->value(), innerBefore);
}

void TestEditorWindow::innerPageGivesTheFocusBack() {
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

void TestEditorWindow::helpKeyOutsideFrames_data() {
    QTest::addColumn<QString>("target");
    for (const char* target : {"pcGlowny", "ToolBar1", "StatusBar1"})
        QTest::newRow(target) << QString::fromLatin1(target);
}

// F1 outside every frame opens the overview (a frame's own topic is the help unit's).
void TestEditorWindow::helpKeyOutsideFrames() {
    QFETCH(QString, target);
    QList<int> opened;
    editor::setHelpViewer([&](const QString&, int t) {
        opened << t;
        return true;
    });
    editor::setHelpFile(QCoreApplication::applicationFilePath());
    const auto restore = qScopeGuard([] {
        editor::setHelpViewer({});
        editor::setHelpFile({});
    });
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
    QCOMPARE(opened, QList<int>{editor::kWindowHelpTopic});
}

QTEST_MAIN(TestEditorWindow)
#include "tst_editor_window.moc"
