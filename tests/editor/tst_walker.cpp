// A seeded walk through the real editor window, on the sample application and on a new one:
// random but plausible user actions (walker_actions.h) on every page, every message box
// answered at random, and after every step the invariants an applicant relies on:
// - no more than kMaxBoxesInARow message boxes without a user action in between;
// - every control the focus is not in shows what its field holds;
// - the wheel changes no stored value, nor does Walidacja;
// - Zapisz, then reading the file back, gives the same tables and a checksum that holds.
// TOPAZ_WALKER_SEED, TOPAZ_WALKER_ACTIONS (per walk) and TOPAZ_WALKER_MINUTES (walks with
// the next seeds until the time is up) steer it; a failure prints the line that replays it.
#include "editor/forms/builder/help_topic.h"
#include "editor/forms/controls/data_control.h"
#include "editor/forms/controls/repeating_panel.h"
#include "editor/grid/year_grid.h"
#include "editor/uiport/qt_user_interface.h"
#include "editor/validation/validation_window.h"
#include "editor/window/editor_window.h"
#include "editor/window/scroll_box.h"
#include "editor_fixture.h"
#include "file/application_file.h"
#include "platform/dataset/dataset.h"
#include "platform/ui/headlessui.h"
#include "type_text.h"
#include "walker_actions.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <QtTest>

#include <memory>
#include <vector>

using namespace editor;
using walker::Act;

namespace {

constexpr int kMaxBoxesInARow = 3;
// Past this many boxes in a row the walker presses Esc for the user (cancels every edit),
// so that a message that comes back forever ends the walk with a report, not a hang.
constexpr int kStormLimit = 12;

// The protected hooks through which a control reads its field and shows a text.
struct Peek : DataControl {
    using DataControl::fieldText;
    using DataControl::shownText;
    static QString shown(const DataControl* c) { return (c->*(&Peek::shownText))(); }
    static QString stored(const DataControl* c, const Field& f) {
        return (c->*(&Peek::fieldText))(f);
    }
};

// What a control shows and what it would show for its field, in a form that does not
// depend on how the text reached it: a list shows the key of its line, or a name of its
// own when the list does not offer the value now; an input mask the same digits with or
// without the literals stored; a memo its lines without CR; a check box without a record
// no tick, an amount without a record 0,00.
QPair<QString, QString> shownAndStored(const DataControl* c, const Field& f, bool hasRow) {
    const ControlKind kind = c->row().kind;
    if (auto* list = qobject_cast<QComboBox*>(c->editor()); list && kind == ControlKind::Lookup) {
        const QString key = hasRow ? Peek::stored(c, f) : QString();
        if (list->currentIndex() < 0 && !key.isEmpty() && !list->placeholderText().isEmpty())
            return {key, key};
        return {Peek::shown(c), key};
    }
    QString shown = Peek::shown(c), stored = hasRow ? Peek::stored(c, f) : QString();
    for (QString* t : {&shown, &stored}) {
        if (kind == ControlKind::MaskEdit) t->remove(QRegularExpression(QStringLiteral("\\W")));
        if (kind == ControlKind::Memo) t->remove(u'\r');
        if (kind == ControlKind::Check && t->isEmpty()) *t = QStringLiteral("0");
        if (kind == ControlKind::Currency && t->isEmpty()) *t = QStringLiteral("0,00");
    }
    return {shown, stored};
}

template <typename T> T pick(QRandomGenerator& rng, const QList<T>& list) {
    return list.isEmpty() ? T{} : list[rng.bounded(int(list.size()))];
}

} // namespace

class TstWalker : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void walk_data();
    void walk();

private:
    // One walk over a fresh editor; the fault found, else empty.
    QString walkOnce(quint32 seed, bool sample, int actions);
    void act();
    void answer();
    void settle();
    void closePopup(const QWidget* keep);
    void check(Act act, const QStringList& before);
    QString checkSaved();

    ScrollBox* currentBox() const;
    QString pageName() const;
    QList<DataControl*> pageControls() const;
    void log(const QString& line) { log_ << QStringLiteral("%1: %2").arg(step_).arg(line); }
    // Keeps the first fault of the walk.
    void fault(const QString& text) {
        if (fault_.isEmpty()) fault_ = text;
    }

    QRandomGenerator rng_;
    std::unique_ptr<QtUserInterface> ui_;
    std::unique_ptr<TdmDataSets> dm_;
    std::unique_ptr<TfmWniosek> w_;
    QList<QPointer<DataControl>> controls_;
    QString savePath_;
    QDateTime savedAt_;
    QStringList log_;
    QString fault_;
    int step_ = 0;
    int boxesInARow_ = 0;
    QString lastBox_;
    // Figures over all walks of the run.
    int actions_ = 0, boxes_ = 0, walks_ = 0;
    QSet<QString> pages_;
};

void TstWalker::initTestCase() {
    setHelpViewer([](const QString&, int) { return true; }); // no browser from "?"
    // The offscreen platform's notes on what it cannot do, thousands of them, say nothing.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, text);
        });
}

ScrollBox* TstWalker::currentBox() const {
    for (ScrollBox* box : w_->scrollBoxes())
        if (box->isVisible()) return box;
    return nullptr;
}

QString TstWalker::pageName() const {
    const int m = w_->mainPages()->currentIndex();
    QTabWidget* inner = w_->innerPages(m);
    return w_->mainPages()->tabText(m) + u'/' +
           (inner ? inner->tabText(inner->currentIndex()) : QString());
}

// The data controls of the current page that take input, without the copies that show the
// other record of a repeating panel.
QList<DataControl*> TstWalker::pageControls() const {
    QList<DataControl*> result;
    ScrollBox* box = currentBox();
    if (!box) return result;
    QList<QWidget*> copies;
    for (auto* panel : box->findChildren<RepeatingPanelControl*>())
        copies << panel->otherBlock();
    for (DataControl* c : box->findChildren<DataControl*>()) {
        if (!c->isVisible() || !c->editor() || !c->editor()->isEnabled() || c->isReadOnly())
            continue;
        if (std::any_of(copies.begin(), copies.end(),
                        [c](QWidget* o) { return o->isAncestorOf(c); }))
            continue;
        result << c;
    }
    return result;
}

// Answers what is open: a pop-up is closed (a calendar picks a date first), a message box
// gets a random one of its buttons, the message browser is closed, any other dialog is
// cancelled. The answers run queued, outside this timer's event.
void TstWalker::answer() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        // One answer per window, so that the draws do not depend on the timer's pace.
        if (popup->property("answered").toBool()) return;
        popup->setProperty("answered", true);
        QPointer<QWidget> p(popup);
        auto* calendar = popup->findChild<QCalendarWidget*>();
        const QDate day = QDate(2004, 1, 1).addDays(rng_.bounded(4000));
        const bool choose = calendar && rng_.bounded(2);
        QMetaObject::invokeMethod(
            popup,
            [p, calendar, day, choose] {
                if (choose) emit calendar->clicked(day);
                if (p) p->close();
            },
            Qt::QueuedConnection);
        return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == w_.get() || !modal->isVisible() || modal->property("answered").toBool())
        return;
    modal->setProperty("answered", true);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        ++boxes_;
        if (++boxesInARow_ > kStormLimit) {
            // The user gives up on what was typed: every edit is cancelled.
            for (const auto& t : dm_->tables())
                if (t->isEditing()) t->cancel();
            for (const auto& c : controls_)
                if (c && c->isDirty()) c->discardTyping();
            if (boxesInARow_ > 10 * kStormLimit)
                qFatal("walker: endless message \"%s\"; replay with TOPAZ_WALKER_SEED and the step "
                       "%d",
                       qPrintable(box->text()), step_);
        }
        lastBox_ = box->text();
        QList<QAbstractButton*> buttons = box->buttons();
        QAbstractButton* b = pick(rng_, buttons);
        log(QStringLiteral("  okno \"%1\" -> %2")
                .arg(box->text().left(70), b ? b->text().remove(u'&') : QStringLiteral("-")));
        QMetaObject::invokeMethod(
            box, [b] { b->click(); }, Qt::QueuedConnection);
        return;
    }
    if (auto* done = modal->findChild<QPushButton*>(QStringLiteral("btnZamknij"))) {
        QMetaObject::invokeMethod(
            done, [done] { done->click(); }, Qt::QueuedConnection);
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        QMetaObject::invokeMethod(
            dialog, [dialog] { dialog->reject(); }, Qt::QueuedConnection);
    }
}

// Lets queued work (refusals, focus returns, answers) run until the window is quiet.
void TstWalker::settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    QTest::qWait(1);
    for (int i = 0; i < 200 && (QApplication::activeModalWidget() != w_.get() ||
                                QApplication::activePopupWidget() || !QApplication::activeWindow());
         ++i) {
        // The window manager's part: a closed box gives the activation back to the editor.
        if (!QApplication::activeWindow() && QApplication::activeModalWidget() == w_.get())
            w_->activateWindow();
        QTest::qWait(2);
    }
}

void TstWalker::closePopup(const QWidget* keep) {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup || (keep && popup->isAncestorOf(keep))) return;
    popup->close();
    settle();
}

void TstWalker::act() {
    boxesInARow_ = 0;
    const walker::ActionRow& row = walker::pickAction(rng_);
    ++actions_;
    const qsizetype logAt = log_.size(); // the action's line goes before the boxes it opened
    QStringList before;
    // Nothing typed waits to be stored: no control holds typed text, no cell is being edited.
    bool quiet = DataControl::focused() == nullptr || !DataControl::focused()->isDirty();
    for (QWidget* w = QApplication::focusWidget(); w && quiet; w = w->parentWidget())
        quiet = !qobject_cast<QAbstractItemView*>(w->parentWidget());
    if (row.act == Act::Wheel || (row.act == Act::Validate && quiet)) {
        bool editing = false;
        for (const auto& t : dm_->tables())
            editing = editing || t->isEditing();
        if (!editing || row.act == Act::Wheel) before = tablesText(*dm_);
    }
    // A click into the editor while another window (the findings) is active activates it,
    // as the window manager does.
    if (row.act == Act::Page || row.act == Act::Type || row.act == Act::Click ||
        row.act == Act::Cell) {
        if (!w_->isActiveWindow()) {
            w_->activateWindow();
            settle();
        }
    }
    // A press outside an open list closes it, as the window system does; the test's events
    // reach their widget directly. Only a click into the open list keeps it.
    if (row.act == Act::Page || row.act == Act::Type || row.act == Act::Click ||
        row.act == Act::Validate || row.act == Act::Save)
        closePopup(nullptr);
    QWidget* focus = QApplication::focusWidget();
    QString what = QString::fromUtf8(row.name);
    switch (row.act) {
    case Act::Page: {
        const bool inner = rng_.bounded(2) && w_->innerPages(w_->mainPages()->currentIndex());
        QTabWidget* tabs =
            inner ? w_->innerPages(w_->mainPages()->currentIndex()) : w_->mainPages();
        const int i = int(rng_.bounded(tabs->count()));
        what += u' ' + tabs->tabText(i);
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(i).center());
        break;
    }
    case Act::Type: {
        DataControl* c = pick(rng_, pageControls());
        if (!c) break;
        if (ScrollBox* box = currentBox()) box->ensureWidgetVisible(c);
        c->editor()->setFocus(Qt::MouseFocusReason);
        settle();
        DataControl* now = DataControl::focused();
        focus = QApplication::focusWidget();
        if (!now || !focus) break;
        const auto input = std::find_if(walker::kInputs.begin(), walker::kInputs.end(),
                                        [now](const auto& r) { return r.kind == now->row().kind; });
        what += u' ' + now->objectName();
        if (input == walker::kInputs.end() || input->texts.empty()) {
            const int key = pick(rng_, QList<int>{Qt::Key_Down, Qt::Key_Up, Qt::Key_Space,
                                                  Qt::Key_Right, Qt::Key_End, Qt::Key_P});
            what += QStringLiteral(" klawisz %1").arg(key, 0, 16);
            QTest::keyClick(focus, Qt::Key(key));
            break;
        }
        const QString text = walker::expand(input->texts[rng_.bounded(int(input->texts.size()))],
                                            QLatin1String(now->row().field), rng_);
        what += QStringLiteral(" \"%1\"").arg(text.left(40));
        if (rng_.bounded(3)) QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty()) QTest::keyClick(focus, Qt::Key_Delete);
        typeText(focus, text);
        break;
    }
    case Act::Key: {
        const walker::KeyRow& k = walker::kKeys[rng_.bounded(int(walker::kKeys.size()))];
        what += u' ' + QString::fromUtf8(k.name);
        if (focus) QTest::keyClick(focus, Qt::Key(k.key), k.modifiers);
        break;
    }
    case Act::Wheel: {
        ScrollBox* box = currentBox();
        QList<QWidget*> targets = box ? box->findChildren<QWidget*>() : QList<QWidget*>{};
        targets.removeIf([](QWidget* t) { return !t->isVisible(); });
        QWidget* t = pick(rng_, targets);
        if (!t) break;
        const QPoint pos(int(rng_.bounded(qMax(1, t->width()))),
                         int(rng_.bounded(qMax(1, t->height()))));
        const int delta = rng_.bounded(2) ? 120 : -120;
        what += QStringLiteral(" %1 %2").arg(t->objectName(), t->metaObject()->className());
        QWheelEvent wheel(QPointF(pos), QPointF(t->mapToGlobal(pos)), {}, QPoint(0, delta),
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        QApplication::instance()->notify(t, &wheel);
        // Only a wheel over the control being typed in may act on it.
        if (DataControl* c = DataControl::focused(); c && c->isAncestorOf(t)) before.clear();
        break;
    }
    case Act::Click: {
        ScrollBox* box = currentBox();
        QList<QAbstractButton*> buttons =
            box ? box->findChildren<QAbstractButton*>() : QList<QAbstractButton*>{};
        buttons.removeIf([](QAbstractButton* b) {
            return !b->isVisible() || !b->isEnabled() || b->objectName().startsWith(u"help_");
        });
        QAbstractButton* b = pick(rng_, buttons);
        if (!b) break;
        what += QStringLiteral(" %1 \"%2\"").arg(b->objectName(), b->text());
        box->ensureWidgetVisible(b);
        QTest::mouseClick(b, Qt::LeftButton);
        break;
    }
    case Act::Cell: {
        ScrollBox* box = currentBox();
        QList<QAbstractItemView*> views =
            box ? box->findChildren<QAbstractItemView*>() : QList<QAbstractItemView*>{};
        views.removeIf([](QAbstractItemView* v) {
            return !v->isVisible() || !v->isEnabled() || !v->model() ||
                   v->model()->rowCount() == 0 || qobject_cast<QComboBox*>(v->parentWidget());
        });
        QAbstractItemView* v = pick(rng_, views);
        if (!v) break;
        QList<QModelIndex> cells;
        for (QModelIndex i = v->model()->index(0, 0); i.isValid() && cells.size() < 300;) {
            for (int col = 0; col < v->model()->columnCount(i.parent()); ++col)
                if (auto* tree = qobject_cast<QTreeView*>(v); !tree || !tree->isColumnHidden(col))
                    cells << i.siblingAtColumn(col);
            if (auto* tree = qobject_cast<QTreeView*>(v))
                i = tree->indexBelow(i);
            else
                i = i.siblingAtRow(i.row() + 1);
        }
        const QModelIndex cell = pick(rng_, cells);
        if (!cell.isValid()) break;
        closePopup(v);
        v->scrollTo(cell);
        box->ensureWidgetVisible(v);
        what +=
            QStringLiteral(" %1 [%2,%3]").arg(v->objectName()).arg(cell.row()).arg(cell.column());
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(cell).center());
        settle();
        if (rng_.bounded(3) == 0 || !(focus = QApplication::focusWidget())) break;
        const QString text = walker::expand(
            walker::kCellTexts[rng_.bounded(int(walker::kCellTexts.size()))], {}, rng_);
        what += QStringLiteral(" \"%1\"").arg(text);
        if (rng_.bounded(2)) QTest::keyClick(focus, Qt::Key_F2);
        typeText(QApplication::focusWidget(), text);
        break;
    }
    case Act::Shortcut: {
        QStringList letters;
        for (QTabWidget* tabs : w_->findChildren<QTabWidget*>())
            for (int i = 0; i < tabs->count(); ++i)
                letters << tabs->tabText(i).section(u'&', 1).left(1);
        letters << QStringLiteral("z") << QStringLiteral("w");
        letters.removeAll(QString());
        letters.removeAll(QStringLiteral("k")); // Alt+K closes the editor
        const QString letter = pick(rng_, letters).toUpper();
        what += QStringLiteral(" Alt+") + letter;
        QTest::keyClick(focus ? focus : w_.get(), letter.at(0).toLatin1(), Qt::AltModifier);
        // A tool button's letter clicks it 100 ms later (animated): its command belongs to
        // this step, not to the next one (Walidacja or Zapisz storing the text typed next).
        QTest::qWait(150);
        break;
    }
    case Act::Validate:
        if (!w_->acWalidacja->isEnabled()) break;
        w_->acWalidacja->trigger();
        settle();
        if (TfmValForm* v = w_->validationWindow(); v && v->isVisible()) {
            if (v->list()->count() > 0 && rng_.bounded(2)) {
                const int line = int(rng_.bounded(v->list()->count()));
                what += QStringLiteral(" -> %1").arg(v->list()->item(line)->text().left(50));
                v->goToFinding(line);
            } else {
                v->hide();
            }
        }
        w_->activateWindow();
        break;
    case Act::Save:
        savedAt_ = QFileInfo(w_->file().FileName.isEmpty() ? savePath_ : w_->file().FileName)
                       .lastModified();
        w_->acZapisz->trigger();
        break;
    }
    settle();
    log_.insert(logAt, QStringLiteral("%1: %2").arg(step_).arg(what));
    check(row.act, before);
}

void TstWalker::check(Act act, const QStringList& before) {
    if (boxesInARow_ > kMaxBoxesInARow)
        fault(QStringLiteral("%1 komunikatów z rzędu bez działania użytkownika: \"%2\"")
                  .arg(boxesInARow_)
                  .arg(lastBox_));
    DataControl* focused = DataControl::focused();
    for (const auto& c : controls_) {
        if (!c || c == focused || c->standsForTable() || !c->row().field) continue;
        const Field* f = c->link().field();
        if (!f || !f->dataSet()->isActive()) continue;
        const DataSet& t = *f->dataSet();
        const auto [shown, want] = shownAndStored(c, *f, t.recordCount() > 0 || t.isEditing());
        if (c->isDirty()) {
            fault(QStringLiteral("%1 (%2.%3) opuszczone z niezapisanym tekstem \"%4\"; zapisane "
                                 "\"%5\"; fokus w %6")
                      .arg(c->objectName(), t.name(), f->name(), shown, want)
                      .arg(QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                       : QStringLiteral("-")));
            c->discardTyping(); // as Esc would, so that the walk goes on from a known state
        } else if (shown != want) {
            fault(QStringLiteral("%1 (%2.%3) pokazuje \"%4\", a zapisane jest \"%5\"")
                      .arg(c->objectName(), t.name(), f->name(), shown, want));
        }
    }
    if (!before.isEmpty() && (act == Act::Wheel || act == Act::Validate)) {
        if (const QString d = firstDifference(before, tablesText(*dm_)); !d.isEmpty())
            fault(QStringLiteral("dane zmienione bez wpisania: ") + d);
    }
    if (act == Act::Save) {
        const QFileInfo saved(w_->file().FileName);
        if (!w_->file().FileName.isEmpty() && !dm_->Zmieniony && saved.lastModified() != savedAt_)
            if (const QString f = checkSaved(); !f.isEmpty()) fault(f);
    }
}

// The saved file, read into a module of its own: its checksum holds and its tables are the
// editor's.
QString TstWalker::checkSaved() {
    HeadlessUi ui;
    const std::unique_ptr<TdmDataSets> back = openSampleModule(ui);
    if (runSprawdzSume(*back, ui, w_->file().FileName, true) != 1)
        return QStringLiteral("suma kontrolna zapisanego pliku się nie zgadza");
    const QString d = firstDifference(tablesText(*dm_), tablesText(*back));
    return d.isEmpty() ? QString() : QStringLiteral("po zapisie i odczycie: ") + d;
}

QString TstWalker::walkOnce(quint32 seed, bool sample, int actions) {
    rng_.seed(seed);
    log_.clear();
    fault_.clear();
    step_ = 0;
    QTemporaryDir dir;
    qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("state"))));
    qputenv("ZELGR_REGISTRY", QFile::encodeName(dir.filePath(QStringLiteral("registry.ini"))));
    // The recovery copy's clock would post edits at moments a seed cannot replay; copies
    // are still written whenever the editor loses the activation.
    qputenv("TOPAZ_RECOVERY_INTERVAL_MS", "2000000000");
    ui_ = std::make_unique<QtUserInterface>();
    openSampleEditor(*ui_, dm_, w_);
    ui_->setEditorWindow(w_.get());
    savePath_ = dir.filePath(QStringLiteral("zapis.xml"));
    if (sample) {
        QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml"), savePath_);
        QFile(savePath_).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        w_->file().OpenApplicationFile(savePath_);
    }
    // The save dialog: the walk's file, or cancelled now and then.
    w_->file().chooseSavePath = [this](const QString&, const QString&) -> std::optional<QString> {
        if (rng_.bounded(5) == 0) return std::nullopt;
        return savePath_;
    };
    controls_.clear();
    for (DataControl* c : w_->findChildren<DataControl*>())
        controls_ << c;

    QTimer answerer;
    connect(&answerer, &QTimer::timeout, this, &TstWalker::answer);
    answerer.start(1);
    std::function<void()> start = [&] {
        // The walk starts once the editor is the window in front (after the load messages).
        if (QApplication::activeModalWidget() != w_.get()) {
            QTimer::singleShot(5, w_.get(), start);
            return;
        }
        settle();
        for (step_ = 0; step_ < actions; ++step_) {
            act();
            pages_ << pageName();
            if (!fault_.isEmpty()) break;
        }
        w_->done(0);
    };
    QTimer::singleShot(0, w_.get(), start);
    w_->showModal();
    answerer.stop();
    ++walks_;
    if (qEnvironmentVariableIsSet("TOPAZ_WALKER_VERBOSE")) qInfo().noquote() << log_.join(u'\n');
    w_.reset();
    dm_.reset();
    ui_.reset();
    return fault_;
}

// The two walks, then the walks that found faults, replayed from their seeds.
void TstWalker::walk_data() {
    QTest::addColumn<bool>("sample");
    QTest::addColumn<quint32>("seed"); // 0: TOPAZ_WALKER_SEED or the CI seed
    QTest::addColumn<int>("actions");  // 0: TOPAZ_WALKER_ACTIONS or 250
    QTest::newRow("przyklad") << true << 0u << 0;
    QTest::newRow("nowy") << false << 0u << 0;
    // A refused date, then another date's calendar: its pop-up took the focus back.
    QTest::newRow("odrzucony-kalendarz") << true << 1002u << 48;
    // "+" on 6m after a deletion had rebuilt the grid: the new row got no stage, was not saved.
    QTest::newRow("wydatek-bez-etapu") << true << 1025u << 336;
}

void TstWalker::walk() {
    QFETCH(bool, sample);
    QFETCH(quint32, seed);
    QFETCH(int, actions);
    const bool replay = seed != 0;
    if (replay && qEnvironmentVariableIsSet("TOPAZ_WALKER_SEED")) QSKIP("a replay of a fixed seed");
    const auto env = [](const char* name, int fallback) {
        return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : fallback;
    };
    if (!replay) seed = quint32(env("TOPAZ_WALKER_SEED", 20261207));
    if (!actions) actions = env("TOPAZ_WALKER_ACTIONS", 250);
    // Half of a long run's time goes to each row.
    const qint64 ms = replay ? 0 : qint64(env("TOPAZ_WALKER_MINUTES", 0)) * 30000;
    QElapsedTimer clock;
    clock.start();
    actions_ = boxes_ = walks_ = 0;
    pages_.clear();
    QString failure;
    quint32 s = seed;
    do {
        failure = walkOnce(s, sample, actions);
    } while (failure.isEmpty() && clock.elapsed() < ms && ++s);
    qInfo("walker %s: walks %d, actions %d, pages %d, message boxes %d, faults %d",
          QTest::currentDataTag(), walks_, actions_, int(pages_.size()), boxes_,
          failure.isEmpty() ? 0 : 1);
    QStringList pages = pages_.values();
    pages.sort();
    qInfo().noquote() << QStringLiteral("walker pages: ") + pages.join(u'|');
    if (failure.isEmpty()) return;
    qInfo().noquote() << log_.mid(qMax(0, int(log_.size()) - 25)).join(u'\n');
    // The walks before this one in the process are part of its history: the replay runs them
    // as they ran (a replay row runs alone).
    const QString rerun =
        replay ? QStringLiteral("tst_walker walk:") + QString::fromLatin1(QTest::currentDataTag())
               : QStringLiteral("TOPAZ_WALKER_SEED=%1 TOPAZ_WALKER_ACTIONS=%2 tst_walker")
                     .arg(s)
                     .arg(actions);
    QFAIL(qPrintable(QStringLiteral("%1 (step %2 of walk:%3)\nreplay: %4")
                         .arg(failure)
                         .arg(step_)
                         .arg(QString::fromLatin1(QTest::currentDataTag()), rerun)));
}

QTEST_MAIN(TstWalker)
#include "tst_walker.moc"
