#include "editor/forms/builder/frame_builder.h"
#include "editor/forms/controls/data_control.h"
#include "editor/grid/banded_header_view.h"
#include "editor/grid/year_grid.h"
#include "editor/grid/year_grid_model.h"
#include "editor/grid/year_grid_panel.h"
#include "file/application_file.h"
#include "tests/amount_cases.h"
#include "tests/editor/editor_fixture.h"
#include "tests/editor/type_text.h"
#include "tests/model/module_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;

using namespace editor;
using ModuleTest::u;

namespace {

const QString kNegative = u"Wprowadzona wartość nie może być ujemna"_s;

HostSettings settingsFor(const QString& folder) {
    HostSettings s;
    s.HostFolder = QStringLiteral(TOPAZ_EXAMPLES);
    s.ApplicationsFolder = folder;
    s.moduleVersionText = u"1.0.0.0"_s;
    s.moduleVersion = currentModuleVersion(s.moduleVersionText);
    return s;
}

// A data module past the dictionary gate, its file half, and one window holding the year
// grid panel of a frame.
struct Editor {
    ModuleFixture fx;
    std::unique_ptr<ApplicationFile> file;
    std::unique_ptr<QWidget> window;
    YearGridPanel* panel = nullptr;

    explicit Editor(const char* frameClass, const QString& folder = QDir::tempPath()) {
        if (!fx.dm->SprawdzSlownik()) throw std::runtime_error("dictionary gate failed");
        file = std::make_unique<ApplicationFile>(*fx.dm, fx.ui, settingsFor(folder));
        window = std::make_unique<QWidget>();
        panel = new YearGridPanel(*fx.dm, yearGridPanelFor(u(frameClass)), window.get());
        panel->resize(1200, 900);
        window->resize(1200, 900);
        testItemModels(window.get());
        window->show();
        restoreYearGrids(window.get());
    }
    bool activate() { return QTest::qWaitForWindowActive(window.get()); }
    YearGrid* grid(const char* name) const { return panel->grid(u(name)); }
    DataSet& table(const YearGrid* g) const { return fx.dm->table(g->description().dataSet); }
    QString flag(const QString& name) const { return fx.f("dsWniosek", name.toUtf8()).asString(); }
    void clickButton(const char* name) const {
        QTest::mouseClick(panel->findChild<QPushButton*>(u(name)), Qt::LeftButton);
    }
    // The spinner's year, then "Dodaj rok" or "Usuń rok".
    void switchYear(int year, bool shown) const {
        panel->yearSpinner()->setValue(year);
        clickButton(shown ? "btDodajRok" : "btUsunRok");
    }
};

int recOf(const DataSet& t, const char* field, const QString& value) {
    for (int rec = 1; rec <= t.recordCount(); ++rec)
        if (t.valueAt(rec, t.field(u(field))).toString() == value) return rec;
    return 0;
}

QVariant valueOf(const DataSet& t, int rec, const QString& field) {
    return t.valueAt(rec, t.field(field));
}

// Clicks the cell, types the text key by key into whatever has the focus (the first key
// opens the cell's editor) and ends with `end`.
void typeInto(YearGrid* g, int recNo, const QString& field, const QString& text,
              Qt::Key end = Qt::Key_Return) {
    QTreeView* view = g->view();
    const QModelIndex cell = g->model()->indexOfRecord(recNo, g->model()->columnOfField(field));
    QVERIFY(cell.isValid());
    view->scrollTo(cell);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
    QCOMPARE(view->currentIndex(), cell);
    if (text.isEmpty()) return;
    QTest::keyClick(QApplication::focusWidget(), text[0].toLatin1() ? text[0].toLatin1() : '?');
    typeText(QApplication::focusWidget(), text.mid(1));
    QTest::keyClick(QApplication::focusWidget(), end);
    QCoreApplication::processEvents(); // the view commits a cell on its next turn
}

void clickNavigator(YearGrid* g, const char* button) {
    const QString name = g->description().navigatorName + u(button);
    QTest::mouseClick(g->findChild<QToolButton*>(name), Qt::LeftButton);
}

// The revenue table is open only for a project that generates profit ("D").
void generateProfit(ModuleFixture& fx) {
    store(fx.f("dsWniosek", "typ_projektu"), u"D"_s);
}

} // namespace

const char *const k6m = "Tfr_planowane_wydatki_topaz_q", *const k6n = "Tfr_zr_finans_topaz_q",
                  *const k6o = "Tfr_profil_wyd_topaz_q", *const k6l = "Tfr_wsk_celow_topaz_q",
                  *const k6ly = "Tfr_typ_proj_kat_zysk_topaz_q", *const kRefused = "ujemna";
// Typed into the year's cell of a grid: what is stored, and the message ("ujemna": the
// cell's refusal). Rounding and separators are the shared amount table's, typed above.
const struct AmountCase {
    const char *tag, *frame, *grid;
    int year;
    const char* typed;
    double stored;
    const char* message;
} kAmounts[] = {
    {"6m 2004 negative", k6m, "e614001", 2004, "-5", 0, kRefused},
    {"6m 2008 negative", k6m, "e614001", 2008, "-5", 0, kRefused},
    {"6m 2009 negative", k6m, "e614001", 2009, "-5", -5, nullptr},
    {"6n 2004 negative", k6n, "e615001", 2004, "-5", 0, kRefused},
    {"6n 2009 negative", k6n, "e615001", 2009, "-5", 0, kRefused},
    {"6n 2010 negative", k6n, "e615001", 2010, "-5", -5, nullptr},
    {"6o 2009 negative", k6o, "e615001", 2009, "-5", 0, kRefused},
    {"6o 2016 negative", k6o, "e615001", 2016, "-5", -5, nullptr},
    {"6l 2004 negative", k6l, "e612001", 2004, "-5", -5, nullptr},
    {"6l 2012 negative", k6l, "e612002", 2012, "-5", -5, nullptr},
    // The grid takes it; the table's own rule then refuses the row and keeps it in edit.
    {"6ł 2004 negative", k6ly, "e613003", 2004, "-5", -5, "Wartość nie może być ujemna."},
    {"6m 2004 13 characters", k6m, "e614001", 2004, "12345678901234567", 1234567890123.0, nullptr},
    {"6m 2009 unlimited", k6m, "e614001", 2009, "123456789012345", 123456789012345.0, nullptr},
    {"6n 2009 13 characters", k6n, "e615001", 2009, "99999999999999", 9999999999999.0, nullptr},
    {"6l 2008 13 characters", k6l, "e612001", 2008, "12345678901234", 1234567890123.0, nullptr},
    {"6ł 2004 unlimited", k6ly, "e613003", 2004, "12345678901234", 12345678901234.0, nullptr},
    {"letters ignored", k6l, "e612001", 2004, "1a2", 12, nullptr},
};

class TestGrid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void currencyFieldAndCellStoreAlike_data() { AmountCases::addRows(); }

    // The shared amount table typed into a currency field and into an amount cell of a year
    // grid: both store the value the table gives, and the field shows it as the table does.
    // A text that is no number the field refuses with its own message, and Esc shows the
    // stored amount again.
    void currencyFieldAndCellStoreAlike() {
        QFETCH(QString, typed);
        QFETCH(std::optional<double>, stored);
        QFETCH(QString, shown);
        if (typed.isEmpty()) return; // nothing typed changes nothing
        Editor e("Tfr_zr_finans_topaz_q");
        e.window->resize(1200, 960);
        FrameBuilder builder(*e.fx.dm, e.window.get());
        DataControl* currency = builder.makeControl({.name = "eKwota",
                                                     .kind = ControlKind::Currency,
                                                     .table = "dsWniosek",
                                                     .field = "plan_okres_real",
                                                     .label = u"Kwota"_s},
                                                    e.window.get());
        currency->setGeometry(0, 910, 300, 40);
        currency->show();
        QVERIFY(e.activate());
        currency->editor()->setFocus();
        QTRY_VERIFY(currency->editor()->hasFocus());
        QTest::keyClick(currency->editor(), Qt::Key_A, Qt::ControlModifier);
        typeText(currency->editor(), typed);
        QTest::keyClick(currency->editor(), Qt::Key_Tab);
        auto* line = qobject_cast<QLineEdit*>(currency->editor());
        if (!stored) {
            QTRY_COMPARE(e.fx.ui.shownTexts(),
                         QStringList{u"Nieprawidłowa kwota. Użyj ESC żeby anulować"_s});
            QTRY_VERIFY(line->hasFocus());
            QTest::keyClick(line, Qt::Key_Escape);
            QCOMPARE(line->text(), u"0,00"_s);
            QVERIFY(e.fx.f("dsWniosek", "plan_okres_real").isNull());
            return;
        }
        QCOMPARE(e.fx.f("dsWniosek", "plan_okres_real").asFloat(), *stored);
        QCOMPARE(line->text(), shown);

        YearGrid* g = e.grid("e615001");
        const DataSet& t = e.table(g);
        const int rec = recOf(t, "Zrodlo", u"prywatne"_s);
        // The cells of 2004-2008 take at most 13 characters; a negative amount they refuse
        // (typedAmounts).
        if (typed.size() > 13 || typed.startsWith(u'-')) return;
        typeInto(g, rec, u"2005"_s, typed);
        QCOMPARE(valueOf(t, rec, u"2005"_s).toDouble(), *stored);
        QVERIFY(e.fx.ui.calls(UiCall::Kind::ErrorDialog).isEmpty());
    }

    // A year added with the spinner's arrow: zero in every row of 6n only, with its band;
    // typed into, then added again, it is reset. Saved and reopened it is shown; removed it is
    // hidden and emptied, and the shares follow at once, as reopening the file would compute them.
    void addedYearAndRemovedYear() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"wniosek.xml"_s);
        {
            Editor e("Tfr_zr_finans_topaz_q", dir.path());
            QVERIFY(e.activate());
            QSpinBox* spinner = e.panel->yearSpinner();
            QCOMPARE(spinner->value(), 2009);
            spinner->setFocus();
            QTest::keyClick(spinner, Qt::Key_Up);
            QCOMPARE(spinner->value(), 2010);
            e.clickButton("btDodajRok");

            YearGrid* g = e.grid("e615001");
            const DataSet& t = e.table(g);
            QCOMPARE(e.flag(u"tab6n2010v"_s), u"T"_s);
            QVERIFY(e.flag(u"tab6o2010v"_s) != u"T"_s); // 6o keeps its own years
            for (int rec = 1; rec <= t.recordCount(); ++rec) {
                QCOMPARE(valueOf(t, rec, u"2010"_s), QVariant(0.0));
                QCOMPARE(valueOf(t, rec, u"2010_pr"_s), QVariant(0.0));
                QCOMPARE(
                    g->model()->indexOfRecord(rec, g->model()->columnOfField(u"2010"_s)).data(),
                    QVariant(u"0,00"_s));
            }
            const int amount = g->model()->columnOfField(u"2010"_s);
            const int share = g->model()->columnOfField(u"2010_pr"_s);
            QVERIFY(!g->view()->isColumnHidden(amount) && !g->view()->isColumnHidden(share));
            QCOMPARE(g->header()->bandOf(amount)->title, u"2010"_s);
            QVERIFY(!g->header()->bandRect(share).isEmpty());

            const int state = recOf(t, "Zrodlo", u"budżet państwa"_s),
                      own = recOf(t, "Zrodlo", u"prywatne"_s);
            typeInto(g, own, u"2010"_s, u"300"_s);
            typeInto(g, own, u"2010"_s, u"350"_s); // the current cell again: no key is lost
            QCOMPARE(valueOf(t, own, u"2010"_s), QVariant(350.0));
            e.switchYear(2010, true); // adding a shown year again resets its amounts
            QCOMPARE(valueOf(t, own, u"2010"_s), QVariant(0.0));
            typeInto(g, state, u"2010"_s, u"250"_s);
            typeInto(g, own, u"2004"_s, u"750"_s);
            QCOMPARE(valueOf(t, recOf(t, "Zrodlo", u"OGÓŁEM"_s), u"2010"_s), QVariant(250.0));
            QCOMPARE(valueOf(t, state, u"Razem_pr"_s), QVariant(25.0));
            QVERIFY(e.file->saveAs(path));
        }
        Editor e("Tfr_zr_finans_topaz_q", dir.path());
        e.file->OpenApplicationFile(path);
        QVERIFY(!e.file->LoadFailed);
        restoreYearGrids(e.window.get());
        YearGrid* g = e.grid("e615001");
        const DataSet& t = e.table(g);
        QCOMPARE(e.flag(u"tab6n2010v"_s), u"T"_s);
        QVERIFY(g->isYearShown(2010) && !g->isYearShown(2011));
        QVERIFY(e.activate());
        e.switchYear(2010, false);
        QCOMPARE(e.flag(u"tab6n2010v"_s), u"N"_s);
        QCOMPARE(valueOf(t, recOf(t, "Zrodlo", u"budżet państwa"_s), u"Razem_pr"_s), QVariant(0.0));
        QCOMPARE(valueOf(t, recOf(t, "Zrodlo", u"prywatne"_s), u"Razem_pr"_s), QVariant(100.0));
        for (int rec = 1; rec <= t.recordCount(); ++rec) {
            QVERIFY(!valueOf(t, rec, u"2010"_s).isValid());
            QVERIFY(!valueOf(t, rec, u"2010_pr"_s).isValid());
        }
        QVERIFY(!g->isYearShown(2010));
        QVERIFY(g->header()->bandRect(g->model()->columnOfField(u"2010"_s)).isEmpty());
    }

    void indicatorButtonsActOnBothGrids() {
        Editor e("Tfr_wsk_celow_topaz_q");
        QVERIFY(e.activate());
        YearGrid* products = e.grid("e612001");
        YearGrid* results = e.grid("e612002");
        // Insert takes the focus from wherever it is into the new row's first cell.
        e.panel->yearSpinner()->setFocus();
        clickNavigator(products, "Insert");
        QCOMPARE(QApplication::focusWidget(), products->view());
        clickNavigator(results, "Insert");
        QCOMPARE(e.table(products).recordCount(), 1);
        QCOMPARE(e.table(results).recordCount(), 1);

        // The year is changed with the arrows only.
        QSpinBox* spinner = e.panel->yearSpinner();
        spinner->setFocus();
        QTest::keyClicks(spinner, u"2014"_s);
        QCOMPARE(spinner->value(), 2009);
        QTest::keyClick(spinner, Qt::Key_Up);
        QTest::keyClick(spinner, Qt::Key_Up);
        e.clickButton("btDodajRok");
        QCOMPARE(e.flag(u"tab6lprod2011v"_s), u"T"_s);
        QCOMPARE(e.flag(u"tab6lrez2011v"_s), u"T"_s);
        for (YearGrid* g : {products, results}) {
            QCOMPARE(valueOf(e.table(g), 1, u"2011"_s), QVariant(0.0));
            QVERIFY(g->isYearShown(2011));
        }
        e.clickButton("btUsunRok");
        QCOMPARE(e.flag(u"tab6lprod2011v"_s), u"N"_s);
        QCOMPARE(e.flag(u"tab6lrez2011v"_s), u"N"_s);
        for (YearGrid* g : {products, results}) {
            QVERIFY(!valueOf(e.table(g), 1, u"2011"_s).isValid());
            QVERIFY(!g->isYearShown(2011));
        }
    }

    void treeEditingRules_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("editable");
        QTest::newRow("grand total") << u"OGÓŁEM"_s << u"2004"_s << false;
        QTest::newRow("top parent") << u"Publiczne"_s << u"2005"_s << false;
        QTest::newRow("inner parent") << u"Krajowy wkład publiczny"_s << u"2006"_s << false;
        QTest::newRow("own sources without sub-rows") << u"inne"_s << u"2004"_s << false;
        QTest::newRow("leaf amount") << u"budżet państwa"_s << u"2004"_s << true;
        QTest::newRow("leaf of another parent") << u"prywatne"_s << u"2008"_s << true;
        QTest::newRow("memo line amount")
            << u"W tym Europejski Bank Inwestycyjny"_s << u"2005"_s << true;
        QTest::newRow("fixed name") << u"budżet państwa"_s << u"Zrodlo"_s << false;
        QTest::newRow("share") << u"budżet państwa"_s << u"2004_pr"_s << false;
        QTest::newRow("total") << u"budżet państwa"_s << u"RAZEM"_s << false;
    }

    void treeEditingRules() {
        QFETCH(QString, row);
        QFETCH(QString, field);
        QFETCH(bool, editable);
        Editor e("Tfr_zr_finans_topaz_q");
        QVERIFY(e.activate());
        YearGrid* g = e.grid("e615001");
        const DataSet& t = e.table(g);
        const int rec = recOf(t, "Zrodlo", row);
        const QVariant before = valueOf(t, rec, field);
        typeInto(g, rec, field, u"7"_s);
        QCOMPARE(valueOf(t, rec, field) != before, editable);
        // Cells the rules forbid are painted in the read-only colour.
        const QModelIndex cell = g->model()->indexOfRecord(rec, g->model()->columnOfField(field));
        QCOMPARE(cell.data(Qt::BackgroundRole).isValid(), !editable);
    }

    void subRowUnderOwnSources() {
        Editor e("Tfr_zr_finans_topaz_q");
        QVERIFY(e.activate());
        YearGrid* g = e.grid("e615001");
        const DataSet& t = e.table(g);
        clickNavigator(g, "Insert");
        const int added = recOf(t, "par_id", u"10"_s);
        QVERIFY(added > 0);
        // The cursor waits in the new row's name.
        QCOMPARE(QApplication::focusWidget(), g->view());
        QCOMPARE(g->model()->recNoOf(g->view()->currentIndex()), added);
        QTest::keyClicks(g->view(), u"K"_s);
        QTest::keyClicks(QApplication::focusWidget(), u"redyt"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        typeInto(g, added, u"2004"_s, u"1500"_s);
        QCOMPARE(valueOf(t, added, u"Zrodlo"_s), QVariant(u"Kredyt"_s));
        QCOMPARE(valueOf(t, added, u"2004"_s), QVariant(1500.0));
        QCOMPARE(valueOf(t, recOf(t, "Zrodlo", u"inne"_s), u"2004"_s), QVariant(1500.0));
        QCOMPARE(valueOf(t, recOf(t, "Zrodlo", u"OGÓŁEM"_s), u"2004"_s), QVariant(1500.0));
        // A fixed row keeps its name; "inne" is now a parent and takes no amounts.
        typeInto(g, recOf(t, "Zrodlo", u"inne"_s), u"2005"_s, u"5"_s);
        QCOMPARE(valueOf(t, recOf(t, "Zrodlo", u"inne"_s), u"2005"_s), QVariant(0.0));
    }

    void typedAmounts_data() { caseRows(kAmounts); }

    void typedAmounts() {
        const auto& [tag, frame, grid, year, typedText, stored, shown] = currentCase(kAmounts);
        const QString typed = QString::fromUtf8(typedText);
        const QString message = shown == kRefused ? kNegative : QString::fromUtf8(shown);
        Editor e(frame);
        QVERIFY(e.activate());
        if (year > 2008) e.switchYear(year, true);
        YearGrid* g = e.grid(grid);
        DataSet& t = e.table(g);
        int rec = 1;
        if (g->description().shape == GridShape::Tree)
            rec = recOf(t, "Zrodlo", u"budżet państwa"_s);
        else if (g->description().shape == GridShape::Grouped)
            addStage(e.fx, "Roboty");
        else {
            generateProfit(e.fx);
            clickNavigator(g, "Insert");
        }
        QVERIFY(rec > 0 && rec <= t.recordCount());
        e.fx.ui.clearCalls();

        typeInto(g, rec, QString::number(year), typed);
        QCOMPARE(e.fx.ui.shownTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (message == kNegative) {
            // Refused: the text stays in the cell until Esc.
            auto* cell = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(cell);
            QCOMPARE(cell->text(), typed);
            QTest::keyClick(cell, Qt::Key_Escape);
        }
        // What the row holds, a row kept in edit by a rule included.
        QCOMPARE(t.recNo() == rec ? t.field(QString::number(year)).value()
                                  : valueOf(t, rec, QString::number(year)),
                 QVariant(stored));
    }

    void footersSumColumns() {
        Editor e("Tfr_typ_proj_kat_zysk_topaz_q");
        QVERIFY(e.activate());
        YearGrid* g = e.grid("e613003");
        generateProfit(e.fx);
        clickNavigator(g, "Insert");
        clickNavigator(g, "Insert");
        typeInto(g, 1, u"2004"_s, u"100"_s);
        typeInto(g, 2, u"2004"_s, u"250,5"_s);
        YearGridModel* m = g->model();
        const QModelIndex footer = m->index(m->rowCount() - 1, 0);
        QCOMPARE(m->rowKindOf(footer), YearGridModel::RowKind::Footer);
        QCOMPARE(footer.data().toString(), u"RAZEM"_s);
        QCOMPARE(footer.siblingAtColumn(m->columnOfField(u"2004"_s)).data().toString(),
                 u"350,50"_s);
        QCOMPARE(footer.siblingAtColumn(m->columnOfField(u"Razem"_s)).data().toString(),
                 u"350,50"_s);

        // 6m: a footer under each kind, each stage and the whole grid.
        Editor plan("Tfr_planowane_wydatki_topaz_q");
        QVERIFY(plan.activate());
        addStage(plan.fx, "Projekt");
        addStage(plan.fx, "Roboty");
        YearGrid* pg = plan.grid("e614001");
        const DataSet& pt = plan.table(pg);
        typeInto(pg, 1, u"2005"_s, u"10"_s);
        typeInto(pg, 4, u"2005"_s, u"20"_s);
        YearGridModel* pm = pg->model();
        const int y2005 = pm->columnOfField(u"2005"_s);
        QCOMPARE(pm->index(0, 0).data().toString(), u"Etap: 1"_s);
        QCOMPARE(pm->index(0, 0, pm->index(0, 0)).data().toString(), u"Rodzaj: Kwalifikowane"_s);
        QCOMPARE(pm->rowCount(), 3); // two stages and the overall footer
        QCOMPARE(pm->index(2, y2005).data().toString(), u"30,00"_s);
        const QModelIndex stage2 = pm->index(1, 0);
        QCOMPARE(pm->index(pm->rowCount(stage2) - 1, y2005, stage2).data().toString(), u"20,00"_s);
        QCOMPARE(valueOf(pt, 4, u"CZY_KWALIFIKOWANE"_s), QVariant(u"N"_s));
        // Insert inside the second stage's group adds a row to that stage.
        QTest::mouseClick(pg->view()->viewport(), Qt::LeftButton, {},
                          pg->view()->visualRect(pm->indexOfRecord(4, 0)).center());
        clickNavigator(pg, "Insert");
        int second = 0;
        for (int rec = 1; rec <= pt.recordCount(); ++rec)
            second += valueOf(pt, rec, u"Etap"_s).toInt() == 2;
        QCOMPARE(pt.recordCount(), 5);
        QCOMPARE(second, 3);
    }

    void bandsSpanVisibleSections() {
        Editor e("Tfr_zr_finans_topaz_q");
        QVERIFY(e.activate());
        YearGrid* g = e.grid("e615001");
        BandedHeaderView* h = g->header();
        const int amount = g->model()->columnOfField(u"2004"_s);
        const int share = g->model()->columnOfField(u"2004_pr"_s);
        QCOMPARE(h->bandRect(amount), h->bandRect(share));
        QCOMPARE(h->bandRect(amount).width(), h->sectionSize(amount) + h->sectionSize(share));
        h->resizeSection(share, h->sectionSize(share) + 30);
        QCOMPARE(h->bandRect(amount).width(), h->sectionSize(amount) + h->sectionSize(share));
        g->view()->setColumnHidden(share, true);
        QCOMPARE(h->bandRect(amount).width(), h->sectionSize(amount));
        // The untitled band leaves its caption over both lines; a titled one draws its title.
        QVERIFY(h->bandRect(g->model()->columnOfField(u"Zrodlo"_s)).isEmpty());
        QCOMPARE(h->bandOf(g->model()->columnOfField(u"RAZEM"_s))->title, u"SUMA"_s);
        const QImage shot = h->grab().toImage();
        const QRect band = h->bandRect(amount);
        QVERIFY(shot.pixelColor(band.center()) != shot.pixelColor(band.left() + 2, band.top() + 2));
    }
};

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
