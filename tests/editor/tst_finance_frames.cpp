// The indicator, finance and attachment pages in the editor window: grids in their frames,
// view mode, attachment boxes.
#include "editor/forms/controls/check_control.h"
#include "editor/forms/frame_pages.h"
#include "editor/forms/frames/frame_registry.h"
#include "editor/grid/year_grid.h"
#include "editor/grid/year_grid_model.h"
#include "editor/grid/year_grid_panel.h"
#include "editor/window/focus_control.h"
#include "editor/window/scroll_box.h"
#include "editor_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QRegularExpression>
#include <QToolButton>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace editor;

namespace {

struct Window : EditorFixture {
    Window() { window->show(); }
    YearGrid* grid(const char* frame, const char* name) const {
        return qobject_cast<YearGrid*>(in(frame, name)->parentWidget());
    }
};

} // namespace

class TestFinanceFrames : public QObject {
    Q_OBJECT
    std::unique_ptr<Window> shared_; // one window for the 105 attachment boxes

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }
    void cleanupTestCase() { shared_.reset(); }

    // A new application: each grid on its page, in its frame, 2004-2008 shown. View mode
    // reaches the grids through their frames: no year spinner or button, no cell, no Insert.
    void gridsOnTheirPagesShowTheDesignYears() {
        const struct {
            int mainPage, innerPage;
            const char *frame, *grid;
        } grids[] = {{2, 0, "Tfr_wsk_celow_topaz_q", "e612001"},
                     {2, 0, "Tfr_wsk_celow_topaz_q", "e612002"},
                     {3, 0, "Tfr_typ_proj_kat_zysk_topaz_q", "e613003"},
                     {3, 0, "Tfr_planowane_wydatki_topaz_q", "e614001"},
                     {3, 1, "Tfr_zr_finans_topaz_q", "e615001"},
                     {3, 1, "Tfr_profil_wyd_topaz_q", "e615001"}};
        Window w;
        for (const auto& d : grids) {
            YearGrid* g = w.grid(d.frame, d.grid);
            QVERIFY2(w.window->scrollBox(d.mainPage, d.innerPage)->isAncestorOf(g), d.frame);
            for (int year = kFirstGridYear; year <= kLastGridYear; ++year)
                QVERIFY2(g->isYearShown(year) == (year <= 2008), d.frame);
        }
        w.window->EnterViewMode();
        const QList<QWidget*> years = w.window->findChildren<QWidget*>(
            QRegularExpression(u"^(dxseRok|bt(Dodaj|Usun)Rok)$"_s));
        QCOMPARE(years.size(), 15);
        for (QWidget* c : years)
            QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
        YearGrid* g = w.grid("Tfr_zr_finans_topaz_q", "e615001");
        QVERIFY(!g->model()
                     ->flags(g->model()->indexOfRecord(2, g->model()->columnOfField(u"2004"_s)))
                     .testFlag(Qt::ItemIsEditable));
        const int rows = g->model()->table()->recordCount();
        QTest::mouseClick(g->findChild<QToolButton*>(g->description().navigatorName + u"Insert"_s),
                          Qt::LeftButton);
        QCOMPARE(g->model()->table()->recordCount(), rows);
    }

    void attachmentBoxStoresItsOwnField_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("column");
        for (const FramePanel& p : framesForPage(u"Z&ałączniki"_s)->frames.at(0).panels) {
            int boxes = 0;
            for (const ControlRow& row : p.rows)
                if (row.kind == ControlKind::Check)
                    QTest::newRow(row.name) << row.field << boxes++ % 5;
        }
    }
    // The box the field leads to has the row's name and stands under its column's word;
    // two clicks turn the field over and back, stored at once.
    void attachmentBoxStoresItsOwnField() {
        QFETCH(QString, field);
        QFETCH(int, column);
        if (!shared_) shared_ = std::make_unique<Window>();
        Window& w = *shared_;
        auto* c =
            static_cast<CheckControl*>(findControlForField(w.window.get(), u"dsPolaSpec"_s, field));
        QCOMPARE(c->objectName(), QLatin1String(QTest::currentDataTag()));
        QVERIFY(focusControl(c));
        auto* word = c->parentWidget()->findChild<QLabel*>(u"columnHead%1"_s.arg(column));
        QVERIFY(word);
        QCOMPARE(word->mapTo(c->window(), QPoint()).x(), c->mapTo(c->window(), QPoint()).x());
        QCOMPARE(word->width(), c->width());
        QVERIFY(qAbs(c->checkBox()->geometry().center().x() - c->width() / 2) <= 2);
        QCOMPARE(c->checkBox()->toolTip(), word->text());
        const QString before = w.value("dsPolaSpec", field.toLatin1());
        for (const QString& after : {QString(before == u"T"_s ? "N" : "T"), before}) {
            QTest::mouseClick(c->checkBox(), Qt::LeftButton);
            QCOMPARE(w.value("dsPolaSpec", field.toLatin1()), after);
            QCOMPARE(c->checkBox()->isChecked(), after == u"T"_s);
            QCOMPARE(w.dm->table(u"dsPolaSpec"_s).state(), DataSetState::Browse);
        }
    }
};

QTEST_MAIN(TestFinanceFrames)
#include "tst_finance_frames.moc"
