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

class TestEditorWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void closing_data();
    void closing();
    void refusedCloseKeepsTheEditorOpen();
    void hostWindowHiddenWhileTheEditorIsShown();
    void newApplicationGetsTheAttachmentFlagsOfKindIN();
    void checksumPageShowsTheStoredChecksum();
    void viewModeKeepsTheActions();
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
}

void TestEditorWindow::closing() {
    QFETCH(QString, how);
    QFETCH(bool, viewOnly);
    QFETCH(bool, changed);
    QFETCH(int, result);
    QFETCH(int, questions);
    if (viewOnly) fx->window->EnterViewMode();
    fx->ui.queueAnswer(MessageResult::Yes);
    if (changed && !viewOnly && how != QLatin1String("host")) fx->ui.queueAnswer(MessageResult::No);
    const QString title = QStringLiteral("Obwodnica Łomży – etap źródłowy");
    bool changedByTyping = false;
    const int r = runModal([&] {
        fx->dm->Zmieniony = changed && how != QLatin1String("typed");
        if (how == QLatin1String("typed") && QTest::qWaitForWindowActive(fx->window.get()) &&
            editor::focusControl(editor::findControlForField(
                fx->window.get(), QStringLiteral("dsWniosek"), QStringLiteral("tytul_projektu")))) {
            QWidget* typedInto = QApplication::focusWidget();
            typeText(typedInto, title);
            QTest::keyClick(typedInto, Qt::Key_Tab);
            changedByTyping = fx->dm->Zmieniony && QApplication::focusWidget() != typedInto;
        }
        if (how != QLatin1String("close box") && how != QLatin1String("host"))
            action("acZamknij")->trigger();
        else if (how == QLatin1String("close box"))
            fx->window->close();
        else
            QCoreApplication::postEvent(fx->window.get(),
                                        new QEvent(editor::TfmWniosek_t::HostCloseEvent));
    });
    QCOMPARE(r, result);
    QCOMPARE(fx->questions(), questions);
    QVERIFY(!fx->window->isVisible());
    if (how == QLatin1String("typed")) {
        QVERIFY(changedByTyping);
        QCOMPARE(fx->value("dsWniosek", "tytul_projektu"), title);
        QVERIFY(fx->ui.calls(UiCall::Kind::MessageBox).last().text.contains(u"zapisać"));
    }
}

void TestEditorWindow::refusedCloseKeepsTheEditorOpen() {
    fx->ui.queueAnswer(MessageResult::No);  // acZamknij refused
    fx->ui.queueAnswer(MessageResult::Yes); // then the close box
    bool stayedOpen = false;
    const int r = runModal([&] {
        action("acZamknij")->trigger();
        stayedOpen = fx->window->isVisible();
        fx->window->close();
    });
    QVERIFY(stayedOpen);
    QCOMPARE(r, 2); // the refused acZamknij does not carry its result over
}

void TestEditorWindow::hostWindowHiddenWhileTheEditorIsShown() {
    QWidget host;
    host.setObjectName(QStringLiteral("TfmLauncher"));
    host.show();
    bool hiddenMeanwhile = false;
    runModal([&] {
        hiddenMeanwhile = !host.isVisible();
        fx->window->close();
    });
    QVERIFY(hiddenMeanwhile);
    QVERIFY(host.isVisible());
}

void TestEditorWindow::newApplicationGetsTheAttachmentFlagsOfKindIN() {
    // A new application answers "yes" for works; the kind "IN" answers "no" everywhere.
    QCOMPARE(fx->value("dsPolaSpec", "ZALBIZPLRT"), QStringLiteral("T"));
    QCOMPARE(fx->value("dsPolaSpec", "ZALMAPYRT"), QStringLiteral("T"));
    const int r = runModal([&] {
        QCOMPARE(fx->value("dsWniosek", "rodz_proj"), QString());
        QCOMPARE(fx->value("dsPolaSpec", "ZALBIZPLRT"), QStringLiteral("N"));
        QCOMPARE(fx->value("dsPolaSpec", "ZALMAPYRT"), QStringLiteral("N"));
        QVERIFY(!fx->dm->Zmieniony);
        fx->window->close();
    });
    QCOMPARE(r, 2);
}

void TestEditorWindow::checksumPageShowsTheStoredChecksum() {
    editor::TfmWniosek& w = *fx->window;
    // A copy: the editor locks the file it opens, and other units read the sample meanwhile.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("wniosek.xml"));
    QVERIFY(QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml"), copy));
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

void TestEditorWindow::viewModeKeepsTheActions() {
    fx->window->EnterViewMode();
    QVERIFY(fx->window->file().ViewOnly);
    for (QAction* a : fx->window->findChildren<QAction*>())
        QVERIFY(a->isEnabled());
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
    if (focused == QLatin1String("edit")) {
        control = new QLineEdit;
    } else if (focused == QLatin1String("memo")) {
        control = new QPlainTextEdit(QStringLiteral("wiersz\n").repeated(200));
    } else {
        auto* grid = new QTableView;
        auto* model = new QStandardItemModel(200, 3, grid);
        grid->setModel(model);
        control = grid;
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
    auto* first = new QLineEdit;
    auto* second = new QLineEdit;
    auto* third = new QLineEdit;
    w.scrollBox(0, 0)->panel()->layout()->addWidget(first);
    w.scrollBox(0, 1)->panel()->layout()->addWidget(second);
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
    QTest::addColumn<int>("topic");
    QTest::newRow("page tabs") << "pcGlowny" << editor::kWindowHelpTopic;
    QTest::newRow("tool bar") << "ToolBar1" << editor::kWindowHelpTopic;
    QTest::newRow("status line") << "StatusBar1" << editor::kWindowHelpTopic;
    // A frame's control still opens the frame's topic, not the overview.
    QTest::newRow("first control shown") << QString() << -1;
}

// F1 wherever the focus is: a frame opens its own topic, everything else the overview.
void TestEditorWindow::helpKeyOutsideFrames() {
    QFETCH(QString, target);
    QFETCH(int, topic);
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
    if (target.isEmpty())
        for (auto* control : w.findChildren<editor::DataControl*>())
            if (QWidget* e = control->editor();
                e && e->isVisible() && e->isEnabled() && (e->focusPolicy() & Qt::TabFocus)) {
                widget = control->editor();
                break;
            }
    QVERIFY(widget && widget->isVisible());
    if (QWidget* inner = widget->findChild<QTabBar*>()) widget = inner;
    if (widget->focusPolicy() == Qt::NoFocus) widget->setFocusPolicy(Qt::StrongFocus);
    widget->setFocus();
    QTRY_VERIFY(widget->hasFocus());
    QTest::keyClick(widget, Qt::Key_F1);
    QCOMPARE(opened.size(), 1);
    if (topic > 0)
        QCOMPARE(opened.first(), topic);
    else
        QVERIFY(opened.first() != editor::kWindowHelpTopic);
}

QTEST_MAIN(TestEditorWindow)
#include "tst_editor_window.moc"
