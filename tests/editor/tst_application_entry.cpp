// The sample application typed into a new application in the editor window through its
// widgets only (keys and clicks), saved with the save action, read back and compared with
// the sample field for field; the command line then finds the saved file valid.
#include "../model/module_fixture.h"
#include "editor/forms/controls/check_control.h"
#include "editor/forms/controls/choice_controls.h"
#include "editor/forms/controls/dataset_model.h"
#include "editor/forms/controls/grid_control.h"
#include "editor/forms/controls/lookup_control.h"
#include "editor/forms/controls/navigator_control.h"
#include "editor/forms/controls/repeating_panel.h"
#include "editor/forms/controls/year_grids_control.h"
#include "editor/forms/frames/frame_registry.h"
#include "editor/grid/year_grid.h"
#include "editor/grid/year_grid_model.h"
#include "editor/grid/year_grid_panel.h"
#include "editor/window/editor_window.h"
#include "editor/window/focus_control.h"
#include "editor_fixture.h"
#include "frames_fixture.h"
#include "platform/utils/amount.h"
#include "tests/test_support.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace editor;

namespace {

// A new application in the editor window, as the host's "new application" call builds it,
// with a recording user interface that enables the controls the rules name.
struct NewApplication : BasicEditorFixture<WidgetUi> {
    NewApplication() { ui.root = window.get(); }
};

struct Loaded : ModuleFixture {
    explicit Loaded(const QString& path) : file(*dm, ui, HostSettings{}) {
        dm->SprawdzSlownik(); // the dictionaries' filters, as every entry point sets them
        file.OpenApplicationFile(path);
    }
    ApplicationFile file;
};

int rowsOf(const DataSet& t) {
    return t.isActive() ? t.recordCount() : 0;
}

// The field a control stores into: the key behind a lookup, else its own field.
const Field* storedField(const DataSet& table, const char* name) {
    const Field* f = table.findField(QLatin1String(name));
    if (f && f->kind() == FieldKind::Lookup) return table.findField(f->definition().keyField);
    return f;
}

// How a value is typed: dates and amounts as the controls show them, masks without their
// literals.
QString typedText(ControlKind kind, const Field& source, QString want) {
    if (want.isEmpty()) return {};
    if (kind == ControlKind::Date) return source.asDate().toString(u"yyyy.MM.dd"_s);
    if (kind == ControlKind::Currency)
        return Utils::AmountFormat(Utils::kCurrencyPattern).format(source.asFloat());
    if (kind == ControlKind::MaskEdit) return want.remove(QRegularExpression("\\D"));
    return want.remove(u'\r'); // Enter is one key
}

// Moves a drop-down list to the entry showing `shown` with Home and Down.
void pickInList(QComboBox* list, const QString& shown) {
    const int index = list->findText(shown);
    QVERIFY2(index >= 0, qPrintable(list->objectName() + u' ' + shown));
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(list, Qt::Key_Down);
}

// One control: the sample's value entered as a user enters it for the control's kind.
void enterValue(DataControl* c, DataSet& live, const DataSet& sample) {
    const ControlRow& row = c->row();
    const Field* source = storedField(sample, row.field);
    QVERIFY2(source, row.name);
    const QString want = sample.valueAt(sample.recNo(), *source).toString();
    if (live.field(source->name()).asString() == want) return;
    QVERIFY2(c->isEnabled() && c->editor()->isEnabled(), row.name);
    QVERIFY2(focusControl(c), row.name);
    QTRY_VERIFY2(c->isAncestorOf(QApplication::focusWidget()), row.name);
    switch (row.kind) {
    case ControlKind::Check: // ticked, or ticked and cleared for the off value
        if (want != QLatin1String(row.onValue) && !QString(row.offValue).startsWith(want)) return;
        for (int i = 0; i < 2 && live.field(source->name()).asString() != want; ++i)
            QTest::mouseClick(static_cast<CheckControl*>(c)->checkBox(), Qt::LeftButton);
        return;
    case ControlKind::RadioGroup:
        for (QAbstractButton* b : static_cast<RadioGroupControl*>(c)->buttons()->buttons())
            if (b->property("value").toString() == want) QTest::mouseClick(b, Qt::LeftButton);
        return;
    case ControlKind::Lookup:
        if (want.isEmpty())
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        else
            pickInList(static_cast<LookupControl*>(c)->comboBox(),
                       sample.field(QLatin1String(row.field)).asString());
        break;
    default: {
        QWidget* editor = QApplication::focusWidget();
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        const QString typed = typedText(row.kind, *source, want);
        if (typed.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            typeText(editor, typed);
    }
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTRY_VERIFY2(!c->isDirty(), row.name);
}

// A grid's rows: Insert, then cell by cell a list pick or typing, Return.
void enterGridRows(GridControl* grid, NavigatorControl* nav, DataSet& sample) {
    QVERIFY(nav);
    DataSetModel* model = grid->model();
    for (int r = 1; r <= rowsOf(sample); ++r) {
        sample.setRecNo(r);
        QTest::mouseClick(nav->button(NavigatorControl::Button::Insert), Qt::LeftButton);
        for (int col = 0; col < model->columnCount(); ++col) {
            const ColumnRow& column = model->column(col);
            if (column.readOnly || column.hidden) continue;
            const QModelIndex index = model->index(r - 1, col);
            grid->view()->setCurrentIndex(index); // opens the cell's editor
            if (QApplication::focusWidget() == grid->view())
                QTest::keyClick(grid->view(), Qt::Key_F2);
            QWidget* cell = QApplication::focusWidget();
            QVERIFY2(cell != grid->view(), column.field);
            const QString shown = sample.field(QLatin1String(column.field)).asString();
            if (auto* list = qobject_cast<QComboBox*>(cell)) {
                pickInList(list, shown);
            } else {
                QTest::keyClick(cell, Qt::Key_A, Qt::ControlModifier);
                typeText(cell,
                         column.mask ? QString(shown).remove(QRegularExpression("\\D")) : shown);
            }
            QTest::keyClick(cell, Qt::Key_Return);
            QTRY_VERIFY2(!grid->view()->isPersistentEditorOpen(index) &&
                             QApplication::focusWidget() == grid->view(),
                         column.field);
        }
    }
}

// A repeating block's records: Insert, then the block's controls one by one.
void enterPanelRows(RepeatingPanelControl* panel, NavigatorControl* nav, DataSet& live,
                    DataSet& sample) {
    QVERIFY(nav);
    for (int r = 1; r <= rowsOf(sample); ++r) {
        sample.setRecNo(r);
        QTest::mouseClick(nav->button(NavigatorControl::Button::Insert), Qt::LeftButton);
        for (DataControl* c : panel->block()->findChildren<DataControl*>())
            if (c->row().field && c->row().kind != ControlKind::BoundLabel)
                enterValue(c, live, sample);
    }
}

// Year grids: the years the sample switches on, rows added with the grid's Insert, and
// every cell the user may type into that differs, made current and typed.
void enterYearGrids(YearGridPanel* panel, const DataSet& application, TdmDataSets& dm,
                    const Loaded& sample) {
    for (int year = kFirstAddableYear; year <= kLastGridYear; ++year)
        for (YearGrid* g : panel->grids()) {
            const QString flag = g->description().flagPrefix + QString::number(year) + u'v';
            if (g->description().flagPrefix.isEmpty() || g->isYearShown(year) ||
                application.field(flag).asString() != u"T"_s)
                continue;
            QVERIFY(focusControl(panel->yearSpinner()));
            panel->yearSpinner()->selectAll();
            QTest::keyClicks(panel->yearSpinner(), QString::number(year));
            QTest::mouseClick(panel->findChild<QPushButton*>(u"btDodajRok"_s), Qt::LeftButton);
        }
    for (YearGrid* g : panel->grids()) {
        YearGridModel* model = g->model();
        const DataSet& want = *sample.dm->findTable(g->description().dataSet);
        DataSet& live = dm.table(g->description().dataSet);
        QVERIFY(focusControl(g->view()));
        for (int missing = rowsOf(want) - rowsOf(live); missing > 0; --missing)
            QTest::mouseClick(
                g->findChild<QToolButton*>(g->description().navigatorName + u"Insert"_s),
                Qt::LeftButton);
        QCOMPARE(rowsOf(live), rowsOf(want));
        for (int r = 1; r <= rowsOf(want); ++r)
            for (int col = 0; col < model->columnCount(); ++col) {
                const GridColumn& column = model->column(col);
                const QModelIndex cell = model->indexOfRecord(r, col);
                const Field* f = live.findField(column.field);
                if (!f || !model->isEditableCell(cell) || g->view()->isColumnHidden(col)) continue;
                const QVariant value = want.valueAt(r, want.field(column.field));
                if (live.valueAt(r, *f) == value) continue;
                const QString text = column.kind == GridColumnKind::Amount
                                         ? QString::number(value.toDouble()).replace(u'.', u',')
                                         : value.toString();
                g->view()->scrollTo(cell);
                g->view()->setCurrentIndex(cell);
                for (const QChar ch : text) // the first key opens the cell's editor
                    typeText(QApplication::focusWidget(), QString(ch));
                if (column.kind == GridColumnKind::PickText) // the list's completion
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(g->view()));
            }
    }
}

void enterSample(NewApplication& fx, Loaded& sample) {
    TfmWniosek& window = *fx.window;
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (const PageFrames& page : framePages())
        for (const FrameDescription& frame : page.frames) {
            auto* frameWidget = window.findChild<QWidget*>(QLatin1String(frame.className));
            QVERIFY2(frameWidget, frame.className);
            auto control = [&](const ControlRow& row) {
                return frameWidget->findChild<DataControl*>(QLatin1String(row.name));
            };
            const auto navigatorOf = [&](const char* table) -> NavigatorControl* {
                for (const FramePanel& panel : frame.panels)
                    for (const ControlRow& r : panel.rows)
                        if (r.kind == ControlKind::Navigator && qstrcmp(r.table, table) == 0)
                            return static_cast<NavigatorControl*>(control(r));
                return nullptr;
            };
            for (const FramePanel& panel : frame.panels) {
                for (const ControlRow& row : panel.rows) {
                    DataControl* c = control(row);
                    QVERIFY2(c, row.name);
                    if (row.behaviour.testAnyFlags(Behaviour::Disabled | Behaviour::ReadOnly |
                                                   Behaviour::Hidden))
                        continue;
                    DataSet* want = row.table ? &sample.t(row.table) : nullptr;
                    switch (row.kind) {
                    case ControlKind::Navigator:
                    case ControlKind::BoundLabel:
                        break;
                    case ControlKind::Grid:
                        enterGridRows(static_cast<GridControl*>(c), navigatorOf(row.table), *want);
                        break;
                    case ControlKind::RepeatingPanel:
                        enterPanelRows(static_cast<RepeatingPanelControl*>(c),
                                       navigatorOf(row.table), fx.dm->table(row.table), *want);
                        break;
                    case ControlKind::YearGrids:
                        enterYearGrids(static_cast<YearGridsControl*>(c)->panel(),
                                       sample.t("dsWniosek"), *fx.dm, sample);
                        break;
                    default:
                        if (!row.field || rowsOf(*want) == 0) break;
                        want->first();
                        enterValue(c, fx.dm->table(row.table), *want);
                    }
                    if (QTest::currentTestFailed()) return;
                }
            }
        }
}

} // namespace

class TestApplicationEntry : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void sampleTypedIntoANewApplication() {
        QTemporaryDir dir;
        const QString saved = dir.filePath(u"wniosek.xml"_s);
        const QString registry = dir.filePath(u"registry.ini"_s);
        qputenv("ZELGR_REGISTRY", QFile::encodeName(registry));
        Loaded sample(QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml"));

        NewApplication fx;
        fx.window->file().chooseSavePath = [&](const QString&, const QString&) { return saved; };
        TestSupport::inModalLoop(fx.window.get(), [&] {
            enterSample(fx, sample);
            QVERIFY(!QTest::currentTestFailed());
            fx.window->acZapisz->trigger();
            fx.window->done(0);
        });
        fx.window->showModal();
        if (QTest::currentTestFailed()) {
            qDebug() << "Messages shown:" << fx.ui.shownTexts();
            return;
        }
        QCOMPARE(fx.ui.calls(UiCall::Kind::ErrorDialog).size(), 0);
        QVERIFY(QFile::exists(saved));

        // Every application table, record and stored value as in the sample.
        Loaded back(saved);
        QCOMPARE(firstDifference(tablesText(*sample.dm), tablesText(*back.dm)), QString());

        const TestSupport::Run validate = TestSupport::runProgram(
            QStringLiteral(TOPAZ_BIN_DIR "/topaz_q"),
            {u"validate"_s, u"--bin"_s, QStringLiteral(TOPAZ_BIN_DIR), saved}, registry);
        QCOMPARE(validate.out.trimmed(), saved + u": poprawny"_s);
        QCOMPARE(validate.exitCode, 0);
    }
};

QTEST_MAIN(TestApplicationEntry)
#include "tst_application_entry.moc"
