// The editor as an applicant slips through it, with real message boxes answered as they
// come: a refused post and the focus going to its own message box, the wheel over every
// control of every page, "+" on the grids, refused amounts in the year grids, a refused
// value and a page change, Walidacja after a failing and a passing run, the record bars and
// the Alt letters from the keyboard, cut captions, the date pop-up.
#include "editor/forms/controls/dataset_model.h"
#include "editor/forms/controls/date_control.h"
#include "editor/forms/controls/grid_control.h"
#include "editor/forms/controls/navigator_control.h"
#include "editor/grid/year_grid.h"
#include "editor/grid/year_grid_model.h"
#include "editor/uiport/qt_user_interface.h"
#include "editor/validation/validation_window.h"
#include "editor/window/editor_window.h"
#include "editor/window/focus_control.h"
#include "editor/window/scroll_box.h"
#include "editor_fixture.h"
#include "platform/dataset/dataset.h"
#include "tests/test_support.h"
#include "type_text.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

using namespace editor;

namespace {

const QString kSample = QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml");

// Shows every message box for real and answers it with its default button once it is up.
// Past 20 boxes it stops showing them, so that an endless chain ends (and fails the test)
// instead of hanging it.
class AnsweringUi : public QtUserInterface {
public:
    QStringList shown;
    int count(const QString& text) const { return int(shown.count(text)); }
    MessageResult messageBox(const QString& text, const QString& caption, MessageIcon icon,
                             MessageButtons buttons) override {
        shown << text;
        if (shown.size() > 20) return MessageResult::Ok;
        answerSoon(50);
        return QtUserInterface::messageBox(text, caption, icon, buttons);
    }

private:
    static void answerSoon(int tries) {
        QTimer::singleShot(20, [tries] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && !box->isActiveWindow() && tries > 0) {
                box->activateWindow(); // as a desktop does with a new message box
                answerSoon(tries - 1);
            } else if (box && box->defaultButton()) {
                box->defaultButton()->click();
            } else if (tries > 0) {
                answerSoon(tries - 1);
            }
        });
    }
};

// The editor over a new application or a copy of the sample, shown and active.
struct Editor : BasicEditorFixture<AnsweringUi> {
    QString file = stateFolder.filePath(QStringLiteral("wniosek.xml"));
    bool active = false;

    explicit Editor(bool sample) {
        ui.setEditorWindow(window.get());
        if (sample && QFile::copy(kSample, file)) window->file().OpenApplicationFile(file);
        window->resize(1000, 700);
        window->show();
        active = QTest::qWaitForWindowActive(window.get());
        ui.shown.clear();
    }
    // Every stored value of every application table, and the record being edited.
    QString tables() const {
        QString all;
        for (const auto& table : dm->tables()) {
            if (!table->name().startsWith(QLatin1String("ds")) || !table->isActive()) continue;
            all += table->name() + QString::number(int(table->state())) + u'|';
            for (int rec = 1; rec <= table->recordCount(); ++rec)
                for (const auto& f : table->fields())
                    if (f->kind() == FieldKind::Data)
                        all += table->valueAt(rec, *f).toString() + u'\t';
            if (table->isEditing())
                for (const auto& f : table->fields())
                    if (f->kind() == FieldKind::Data) all += f->value().toString() + u'\t';
        }
        return all;
    }
};

// Whether `w` has the focus of its window (also while a message box had it last).
bool focusInside(const QWidget* w) {
    const QWidget* f = w->window()->focusWidget();
    return f && (f == w || w->isAncestorOf(f));
}

// Presses Tab from the focus until `target` has it; false when a whole round misses it.
bool tabTo(QWidget* target) {
    for (int i = 0; i < 400 && !target->hasFocus(); ++i) {
        QWidget* f = target->window()->focusWidget();
        if (!f) return false;
        QTest::keyClick(f, Qt::Key_Tab);
    }
    return target->hasFocus();
}

} // namespace

// A new stage without dates, then the focus leaves the grid: one message, the focus back
// in the grid, the stage not posted. Going to another window posts nothing. A refused month
// typed below the grid, then "+": the grid takes the focus for the new stage, the month
// takes it back with one message, and the stage's post (on leaving the grid) must not
// answer with its own refusal, or the two would send the focus to each other without end;
// Walidacja then stops at the month too.
const struct RefusedPost {
    const char *tag, *month, *then; // month: typed into e1000116 before "+"
    int messages, monthMessages;
} kRefusedPosts[] = {
    {"click on 6", "", "click", 1, 0},
    {"Walidacja", "", "validate", 1, 0},
    {"Zapisz", "", "save", 1, 0},
    {"another window", "", "window", 0, 0},
    {"refused month, +", "132005", "", 0, 1},
    {"refused month, +, Walidacja", "132005", "validate", 0, 2},
};

// "+" with the focus in another control: the grid takes it, and what is typed next lands
// in the new row, not in the control left.
const struct InsertCase {
    const char *tag, *frame, *grid, *previousFrame, *previous;
} kInserts[] = {
    {"6d", "Tfr_lokalizacja", "e604003", "Tfr_opis_pr", "e605001"},
    {"6k", "Tfr_harm_real_proj_topaz_q", "e10000113", "Tfr_harm_real_proj_topaz_q", "e1000116"},
};

// The record bars of the repeating blocks: "✓" offered as soon as a value is typed, and
// every button reached with Tab and pressed with Space.
const char *const kBodies = "Tfr_inne_inst_zaang_topaz_q", *const kAid = "Tfr_pomoc_pub_topaz_q";
const struct BarCase {
    const char *tag, *frame, *bar, *control, *typed, *table;
} kBars[] = {
    {"6h masked", kBodies, "dbnav608002", "dxDBMaskEdit1", "1234567890", "dsInstytucje"},
    {"6s amount", kAid, "dbnav619003", "e619033", "100", "dsPomocPub"},
    {"6s date", kAid, "dbnav619003", "e619031", "2006.01.02", "dsPomocPub"},
    {"6t date", "Tfr_zam_pub_topaz_q", "dbnav608002", "e23200005", "2006.01.02", "dsZamPub"},
};

// Alt+letter with the captions as they are: the tool bar and the main pages first, the
// inner page when its main page is already shown; Ctrl+Tab through the inner pages.
constexpr Qt::KeyboardModifier kAlt = Qt::AltModifier, kCtrl = Qt::ControlModifier;
const struct KeyCase {
    const char* tag;
    int page;
    Qt::Key key;
    Qt::KeyboardModifier modifier;
    int mainAfter, innerAfter;
    const char* action; // triggered once
} kKeyCases[] = {
    {"Alt+P preview", 0, Qt::Key_P, kAlt, 0, 0, "acPodglad"},
    {"Alt+F Finanse", 0, Qt::Key_F, kAlt, 3, 0, nullptr},
    {"Alt+B Beneficjent", 0, Qt::Key_B, kAlt, 1, 0, nullptr},
    {"Alt+B again 5b", 1, Qt::Key_B, kAlt, 1, 1, nullptr},
    {"Alt+N Wskaźniki", 3, Qt::Key_N, kAlt, 2, 0, nullptr},
    {"Alt+R Projekt", 1, Qt::Key_R, kAlt, 0, 0, nullptr},
    {"Alt+I 6i", 0, Qt::Key_I, kAlt, 0, 4, nullptr},
    {"Alt+W Walidacja", 0, Qt::Key_W, kAlt, 0, 0, "acWalidacja"},
    {"Ctrl+Tab 1 - 4", 0, Qt::Key_Tab, kCtrl, 0, 1, nullptr},
    {"Ctrl+Tab 6n - 6o", 3, Qt::Key_Tab, kCtrl, 3, 1, nullptr},
};

class TstApplicantHands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void refusedPostAsksOnce_data() { caseRows(kRefusedPosts); }

    void refusedPostAsksOnce() {
        const auto& [tag, month, then, messages, monthMessages] = currentCase(kRefusedPosts);
        Editor e(false);
        const char* frame = "Tfr_harm_real_proj_topaz_q";
        auto* grid = e.in<GridControl>(frame, "e10000113");
        auto* after = e.in<DataControl>(frame, "e1000116");
        QVERIFY(focusControl(after->editor()));
        typeText(after->editor(), QLatin1String(month));
        QTest::mouseClick(
            e.in<NavigatorControl>(frame, "dbnav604003")->button(NavigatorControl::Button::Insert),
            Qt::LeftButton);
        QTableView* view = grid->view();
        if (!*month) {
            const QModelIndex name = grid->model()->index(0, 1);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(name).center());
            typeText(QApplication::focusWidget(), QStringLiteral("Etap A"));
        } else {
            QTest::qWait(400);
        }
        QLineEdit other; // takes the focus when its window is activated
        const QLatin1String how(then);
        e.window->file().chooseSavePath = [&e](const QString&, const QString&) {
            return std::optional<QString>(e.stateFolder.filePath(QStringLiteral("w.xml")));
        };
        if (how == "click") QTest::mouseClick(after->editor(), Qt::LeftButton);
        if (how == "validate") e.window->acWalidacja->trigger();
        if (how == "save") e.window->acZapisz->trigger();
        if (how == "window") {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }
        QTest::qWait(400);
        QCOMPARE(e.ui.count(QStringLiteral("Nieprawidłowa data rozpoczęcia etapu.")), messages);
        QCOMPARE(e.ui.count(QStringLiteral("Nieprawidłowa data (miesiąc/rok)")), monthMessages);
        QCOMPARE(e.t("dsEtapyRealizacji").state(), DataSetState::Insert);
        if (messages) QVERIFY(focusInside(view));
        if (monthMessages) QVERIFY(focusInside(after));
    }

    // Every control of every page: a notch down and back up over it, the focus elsewhere (in
    // the page) or in the control itself, scrolls the page only; the findings scroll.
    void wheelChangesNoData_data() {
        QTest::addColumn<bool>("sample");
        QTest::addColumn<bool>("focused");
        QTest::newRow("sample, focus in the page") << true << false;
        QTest::newRow("new, focus in the control") << false << true;
    }

    void wheelChangesNoData() {
        QFETCH(bool, sample);
        QFETCH(bool, focused);
        Editor e(sample);
        int controls = 0;
        for (ScrollBox* box : e.window->scrollBoxes()) {
            focusControl(box); // the checksum page stores the checksum when it is entered
            const QString before = e.tables();
            QList<QWidget*> targets;
            for (DataControl* c : box->panel()->findChildren<DataControl*>())
                if (c->isVisible() && c->editor()) targets << c->editor();
            for (YearGrid* g : box->panel()->findChildren<YearGrid*>())
                targets << g->view()->viewport();
            for (QAbstractSpinBox* s : box->panel()->findChildren<QAbstractSpinBox*>())
                targets << s;
            for (QWidget* target : targets) {
                if (!target->isVisible()) continue;
                box->ensureWidgetVisible(target);
                if (focused && target->isEnabled())
                    target->setFocus();
                else
                    box->setFocus();
                QWidget* under = target->childAt(target->rect().center());
                QWidget* at = under ? under : target;
                // A focused grid or memo keeps the page still.
                QWidget* f = QApplication::focusWidget();
                const bool grabsWheel =
                    focused && f &&
                    (qobject_cast<QAbstractItemView*>(f) || qobject_cast<QPlainTextEdit*>(f) ||
                     qobject_cast<QAbstractItemView*>(f->parentWidget()) ||
                     qobject_cast<QAbstractItemView*>(f->parentWidget()->parentWidget()));
                QScrollBar* bar = box->verticalScrollBar();
                for (const int delta : {-120, 120}) {
                    const int was = bar->value();
                    wheelNotch(at, at->rect().center(), delta);
                    const int expected =
                        grabsWheel ? was
                                   : std::clamp(was - delta / 3, bar->minimum(), bar->maximum());
                    QVERIFY2(bar->value() == expected, qPrintable(target->objectName()));
                }
                ++controls;
            }
            box->setFocus();
            QVERIFY2(e.tables() == before, qPrintable(box->objectName()));
        }
        QVERIFY(controls > 200);
        QCOMPARE(e.ui.shown, QStringList());
        if (sample) return;
        // The findings of a new application, in a window of their own, scroll with the wheel.
        e.window->acWalidacja->trigger();
        TfmValForm* findings = e.window->validationWindow();
        QVERIFY(findings && findings->isVisible());
        findings->resize(400, 150);
        findings->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(findings));
        QListWidget* list = findings->list();
        list->setFocus();
        QVERIFY(list->verticalScrollBar()->maximum() > 0);
        wheelNotch(list->viewport(), list->viewport()->rect().center(), -120);
        QVERIFY(list->verticalScrollBar()->value() > 0);
    }

    void insertGivesTheGridTheFocus_data() { caseRows(kInserts); }

    void insertGivesTheGridTheFocus() {
        const InsertCase& c = currentCase(kInserts);
        Editor e(false);
        auto* before = e.in<DataControl>(c.previousFrame, c.previous);
        auto* g = e.in<GridControl>(c.frame, c.grid);
        QVERIFY(before && g);
        QVERIFY(focusControl(before->editor()));
        const QString text = e.tables();
        QTest::mouseClick(e.in<NavigatorControl>(c.frame, "dbnav604003")
                              ->button(NavigatorControl::Button::Insert),
                          Qt::LeftButton);
        QVERIFY(focusInside(g->view()));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
        QVERIFY(focusInside(g->view()));
        QVERIFY(!before->isDirty());
        QVERIFY(text != e.tables()); // the new row
    }

    // A negative amount where the column refuses it: one message, the text stays in the cell;
    // Zapisz stops at the cell and writes nothing; Esc cancels it.
    void refusedAmountStaysTyped() {
        const int year = 2009; // which cells refuse which amounts is the grid unit's table
        Editor e(true);
        QWidget* f = e.window->findChild<QWidget*>(QStringLiteral("Tfr_zr_finans_topaz_q"));
        YearGrid* g = f->findChild<YearGrid*>();
        if (!g->isYearShown(year)) {
            f->findChild<QSpinBox*>(QStringLiteral("dxseRok"))->setValue(year);
            QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("btDodajRok")),
                              Qt::LeftButton);
        }
        YearGridModel* m = g->model();
        const int column = m->columnOfField(QString::number(year));
        QModelIndex cell;
        for (int rec = 1; rec <= m->table()->recordCount() && !cell.isValid(); ++rec) {
            const QModelIndex i = m->indexOfRecord(rec, column);
            if (m->flags(i) & Qt::ItemIsEditable) cell = i;
        }
        QVERIFY(cell.isValid());
        const QString stored = cell.data(Qt::EditRole).toString();
        QVERIFY(focusControl(g->view()));
        g->view()->scrollTo(cell);
        QTest::mouseClick(g->view()->viewport(), Qt::LeftButton, {},
                          g->view()->visualRect(cell).center());
        for (const char key : {'-', '5'}) // the first key opens the cell
            QTest::keyClick(QApplication::focusWidget(), key);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::qWait(150);
        QCOMPARE(e.ui.shown,
                 QStringList{QStringLiteral("Wprowadzona wartość nie może być ujemna")});
        auto* typed = qobject_cast<QLineEdit*>(e.window->focusWidget());
        QVERIFY(typed);
        const QByteArray before = TestSupport::readAll(e.file);
        e.window->acZapisz->trigger();
        QTest::qWait(150);
        QCOMPARE(e.ui.shown.size(), 2);
        QCOMPARE(TestSupport::readAll(e.file), before);
        QCOMPARE(typed->text(), QStringLiteral("-5"));
        QTest::keyClick(typed, Qt::Key_Escape);
        QTest::qWait(150);
        QCOMPARE(e.ui.shown.size(), 2);
        QCOMPARE(cell.data(Qt::EditRole).toString(), stored);
    }

    // A refused NIP and a click on another page: one message, the page and the focus come
    // back, the text stays; Zapisz then writes nothing.
    void refusedValueKeepsItsPage() {
        Editor e(true);
        auto* nip = e.in<DataControl>("Tfr_bk_topaz_q", "e500014");
        const QString stored = e.t("dsBeneficjent").field(QStringLiteral("NIP")).asString();
        QVERIFY(focusControl(nip->editor()));
        qobject_cast<QLineEdit*>(nip->editor())->selectAll();
        QTest::keyClicks(nip->editor(), QStringLiteral("1234567891"));
        const QString shown = qobject_cast<QLineEdit*>(nip->editor())->text();
        QTabBar* tabs = e.window->mainPages()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QTest::qWait(300);
        QCOMPARE(e.ui.shown.size(), 1);
        QCOMPARE(e.window->mainPages()->currentIndex(), 1);
        QVERIFY(nip->editor()->hasFocus());
        QCOMPARE(qobject_cast<QLineEdit*>(nip->editor())->text(), shown);

        const QByteArray onDisk = TestSupport::readAll(e.file);
        e.window->acZapisz->trigger();
        QTest::qWait(300);
        QCOMPARE(e.ui.shown.size(), 2);
        QCOMPARE(TestSupport::readAll(e.file), onDisk);
        QCOMPARE(e.t("dsBeneficjent").field(QStringLiteral("NIP")).asString(), stored);
    }

    // A run that fails (a new application) shows its findings, keeps Walidacja enabled and the
    // changed flag as it was; one that passes (or only warns) disables Walidacja until a value
    // really changes.
    void validateAction() {
        for (const bool changed : {false, true}) {
            Editor e(false);
            e.dm->Zmieniony = changed;
            e.window->acWalidacja->trigger();
            QVERIFY(e.window->validationWindow()->isVisible() &&
                    e.window->acWalidacja->isEnabled());
            QCOMPARE(e.dm->Zmieniony, changed);
            QCOMPARE(e.ui.shown, QStringList());
        }
        Editor e(true);
        e.window->acWalidacja->trigger();
        QTest::qWait(150);
        QVERIFY2(!e.window->acWalidacja->isEnabled(), qPrintable(e.ui.shown.join(u'\n')));
        auto* title = e.in<DataControl>("Tfr_tytul_proj", "tytul_projektu");
        QVERIFY(title);
        QVERIFY(focusControl(title->editor()));
        QVERIFY(!e.window->acWalidacja->isEnabled());
        QTest::keyClicks(title->editor(), QStringLiteral("x"));
        QTest::keyClick(title->editor(), Qt::Key_Tab);
        QVERIFY(e.window->acWalidacja->isEnabled());
    }

    void recordBarsFromTheKeyboard_data() { caseRows(kBars); }

    void recordBarsFromTheKeyboard() {
        const auto& [tag, frame, bar, control, typed, table] = currentCase(kBars);
        Editor e(false);
        e.store("dsPolaSpec", "CZYWYSTINNEINS", QStringLiteral("T"));
        e.store("dsWniosek", "zgod_pom_pub_korzystal", QStringLiteral("T"));
        e.store("dsWniosek", "zgod_zam_pub_nie_dot", QStringLiteral("N"));
        auto* nav = e.in<NavigatorControl>(frame, bar);
        DataSet& t = e.t(table);
        QVERIFY(focusControl(nav->button(NavigatorControl::Button::Insert)));
        QTest::keyClick(nav->button(NavigatorControl::Button::Insert), Qt::Key_Space);
        QVERIFY(focusControl(nav->button(NavigatorControl::Button::Post)));
        QTest::keyClick(nav->button(NavigatorControl::Button::Post), Qt::Key_Space);
        QCOMPARE(t.state(), DataSetState::Browse);
        QCOMPARE(t.recordCount(), 1);

        auto* c = e.in<DataControl>(frame, control);
        QVERIFY(focusControl(c->editor()));
        QTest::keyClick(c->editor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(c->editor(), QLatin1String(typed));
        QVERIFY(nav->button(NavigatorControl::Button::Post)->isEnabled());
        // Tab leaves the control (its value is posted) and reaches the bar.
        QVERIFY(tabTo(nav->button(NavigatorControl::Button::Insert)));
        QVERIFY(!t.field(QLatin1String(c->row().field)).asString().isEmpty());
        QTest::keyClick(nav->button(NavigatorControl::Button::Insert), Qt::Key_Space);
        QCOMPARE(t.state(), DataSetState::Insert);
        QCOMPARE(e.ui.shown, QStringList());
    }

    void accelerators_data() { caseRows(kKeyCases); }

    void accelerators() {
        const KeyCase& c = currentCase(kKeyCases);
        Editor e(false);
        QTabWidget* pages = e.window->mainPages();
        pages->setCurrentIndex(c.page);
        focusControl(e.window->scrollBox(c.page, 0));
        int triggered = 0;
        if (c.action)
            connect(e.window->findChild<QAction*>(QLatin1String(c.action)), &QAction::triggered,
                    [&] { ++triggered; });
        QTest::keyClick(QApplication::focusWidget(), c.key, c.modifier);
        QTest::qWait(300);
        QCOMPARE(pages->currentIndex(), c.mainAfter);
        if (QTabWidget* inner = e.window->innerPages(c.mainAfter))
            QCOMPARE(inner->currentIndex(), c.innerAfter);
        QCOMPARE(triggered, c.action ? 1 : 0);
    }

    // Every source name of 6n and 6o is shown whole on as many lines as it needs, and its
    // tooltip is the whole name. A list shows its whole chosen name as tooltip and opens as
    // wide as its longest name.
    void namesReadWhole() {
        Editor e(true);
        for (const char* frame : {"Tfr_zr_finans_topaz_q", "Tfr_profil_wyd_topaz_q"}) {
            YearGrid* g =
                e.window->findChild<QWidget*>(QLatin1String(frame))->findChild<YearGrid*>();
            QVERIFY(focusControl(g->view()));
            QTest::qWait(150);
            YearGridModel* m = g->model();
            const int column = m->columnOfField(QStringLiteral("Zrodlo"));
            int wrapped = 0;
            for (int rec = 1; rec <= m->table()->recordCount(); ++rec) {
                const QModelIndex i = m->indexOfRecord(rec, column);
                const QString name = i.data().toString();
                QCOMPARE(i.data(Qt::ToolTipRole).toString(), name);
                const QRect cell = g->view()->visualRect(i);
                const QRect needed = g->view()->fontMetrics().boundingRect(
                    QRect(0, 0, cell.width() - 8, 10000), Qt::TextWordWrap, name);
                QVERIFY2(needed.height() <= cell.height(), qPrintable(name));
                if (needed.height() > g->view()->fontMetrics().height()) ++wrapped;
            }
            QVERIFY2(wrapped > 0, frame);
        }
        int named = 0;
        for (QComboBox* list : e.window->findChildren<QComboBox*>(QRegularExpression("_list$"))) {
            if (list->currentIndex() < 0) continue;
            QCOMPARE(list->toolTip(), list->currentText());
            QVERIFY(list->view()->minimumWidth() >= list->view()->sizeHintForColumn(0));
            ++named;
        }
        QVERIFY(named > 5);
    }

    // The representative's legal forms filter the dictionary that every legal-form list and
    // name reads while the list has the focus. When the focus moves elsewhere in the editor
    // while another window has it (a message box, then a page change), the filter still ends.
    void listFilterEndsBehindAnotherWindow() {
        Editor e(true);
        const char* frame = "Tfr_bk_pod_repr_topaz_q";
        QVERIFY(focusControl(e.in<QComboBox>(frame, "e502002_list")));
        const DataSet& forms = e.t("sl_FPR1");
        QVERIFY(forms.isFiltered());
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        e.in<DataControl>(frame, "e502001")->editor()->setFocus();
        e.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(e.window.get()));
        QTest::qWait(150);
        QVERIFY(!forms.isFiltered());
    }

    // The calendar pop-up, opened with F4, sets today or clears the date.
    void datePopupButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QDate>("stored");
        QTest::newRow("Dziś") << "btnDzis" << QDate::currentDate();
        QTest::newRow("Wyczyść") << "btnWyczysc" << QDate();
    }

    void datePopupButtons() {
        QFETCH(QString, button);
        QFETCH(QDate, stored);
        Editor e(false);
        e.store("dsWniosek", "osw_ben_data", QDate(2006, 1, 2));
        auto* date = e.in<DateControl>("Tfr_oswiadczenie_topaz_q", "e800003");
        QVERIFY(date);
        QVERIFY(focusControl(date->lineEdit()));
        QString captions;
        QTimer::singleShot(100, [&] {
            QWidget* popup = QApplication::activePopupWidget();
            if (!popup) return;
            for (auto* b : popup->findChildren<QPushButton*>())
                captions += b->text() + u' ';
            if (auto* b = popup->findChild<QPushButton*>(button)) b->click();
            if (popup->isVisible()) popup->close();
        });
        QTest::keyClick(date->lineEdit(), Qt::Key_F4);
        QCOMPARE(captions, QStringLiteral("Dziś Wyczyść "));
        e.window->activateWindow(); // back from the pop-up, as the desktop gives it back
        QVERIFY(QTest::qWaitForWindowActive(e.window.get()));
        QTest::keyClick(date->lineEdit(), Qt::Key_Tab);
        QCOMPARE(e.t("dsWniosek").field(QLatin1String(date->row().field)).asDate(), stored);
    }
};

QTEST_MAIN(TstApplicantHands)
#include "tst_applicant_hands.moc"
