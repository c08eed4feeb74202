// Typing an amount into a leaf of the sources-of-finance grid, as the user does it: click
// the cell, type the digits, Enter; the data module climbs the sums and recomputes the
// shares, and the grid repaints. All thirteen years are shown and 200 rows stand under
// "inne", the leaf being one of them.
#include "bench/sample_module.h"
#include "editor/grid/year_grid.h"
#include "editor/grid/year_grid_model.h"
#include "editor/grid/year_grid_panel.h"
#include "model/dm_main.h"
#include "model/finance_rules.h"
#include "platform/ui/headlessui.h"

#include <QApplication>
#include <QSpinBox>
#include <QTest>
#include <QTreeView>

#include <benchmark/benchmark.h>

namespace {

constexpr int kOwnRows = 200;

void BM_TypeAmountIntoSourcesGrid(benchmark::State& state) {
    HeadlessUi ui;
    auto dm = makeSampleModule(ui);
    DataSet& tree = dm->table(QStringLiteral("dsZrodlaFin"));

    QWidget window;
    window.resize(1400, 900);
    auto* panel =
        new editor::YearGridPanel(*dm, editor::yearGridPanelFor("Tfr_zr_finans_topaz_q"), &window);
    panel->resize(window.size());
    for (int year = 2009; year <= 2016; ++year) {
        panel->yearSpinner()->setValue(year);
        panel->addYear();
    }
    dm->Wczytywanie = true; // filled like a file, then recomputed once
    addOwnRows(tree, kOwnRows);
    dm->Wczytywanie = false;
    tree.locate(QStringLiteral("Zrodlo"), QStringLiteral("źródło własne 100"));
    const int leaf = tree.recNo();
    dm->finance().PrzeliczSumy(tree);
    dm->finance().PrzeliczProcenty(tree);

    window.show();
    if (!QTest::qWaitForWindowActive(&window)) {
        state.SkipWithError("the window did not become active");
        return;
    }
    editor::YearGrid* grid = panel->grid(QStringLiteral("e615001"));
    QTreeView* view = grid->view();
    const QModelIndex cell =
        grid->model()->indexOfRecord(leaf, grid->model()->columnOfField(QStringLiteral("2012")));
    view->scrollTo(cell);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());

    int typed = 0;
    for (auto _ : state) {
        const QString amount = QString::number(5000 + (++typed % 2));
        QTest::keyClicks(view, amount.left(1));
        QTest::keyClicks(QApplication::focusWidget(), amount.mid(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents(); // the commit
        view->viewport()->repaint();       // the sums on screen
    }
    const QVariant total =
        tree.lookup(QStringLiteral("Zrodlo"), QStringLiteral("OGÓŁEM"), QStringLiteral("2012"));
    if (!total.isValid() || total.toDouble() <= 0) state.SkipWithError("no sum reached OGÓŁEM");
}
BENCHMARK(BM_TypeAmountIntoSourcesGrid)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
