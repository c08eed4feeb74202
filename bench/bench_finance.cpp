// Recalculation of a finance tree as after loading a file: the sums from a row under
// "inne" up to "OGÓŁEM", then every row's shares, with all thirteen years shown and 200
// rows of the applicant's own sources.
#include "bench/sample_module.h"
#include "model/dm_main.h"
#include "model/finance_rules.h"
#include "platform/ui/headlessui.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kOwnRows = 200;

// Every year of dsZrodlaFin shown, with 0 in the added years, as the year grid does it.
void showAllYears(TdmDataSets& dm, DataSet& tree) {
    DataSet& wniosek = dm.table(QStringLiteral("dsWniosek"));
    wniosek.edit();
    for (int year = 2009; year <= 2016; ++year)
        wniosek.field(QStringLiteral("tab6n%1v").arg(year)).setValue(QStringLiteral("T"));
    wniosek.post();
    for (int rec = 1; rec <= tree.recordCount(); ++rec) {
        tree.setRecNo(rec);
        tree.edit();
        for (int year = 2009; year <= 2016; ++year) {
            tree.field(QString::number(year)).setValue(0.0);
            tree.field(QStringLiteral("%1_pr").arg(year)).setValue(0.0);
        }
        tree.post();
    }
}

void BM_FinanceTreeRecalculation(benchmark::State& state) {
    HeadlessUi ui;
    auto dm = makeSampleModule(ui);
    DataSet& tree = dm->table(QStringLiteral("dsZrodlaFin"));
    dm->Wczytywanie = true; // filled like a file: no recalculation per row
    showAllYears(*dm, tree);
    addOwnRows(tree, kOwnRows, 0.25);
    dm->Wczytywanie = false;
    tree.locate(QStringLiteral("Id"), 13);

    for (auto _ : state) {
        dm->finance().PrzeliczSumy(tree);
        dm->finance().PrzeliczProcenty(tree);
    }
    state.counters["rows"] = tree.recordCount();
    if (tree.lookup(QStringLiteral("Id"), 11, QStringLiteral("2016_pr")).toDouble() != 100.0)
        state.SkipWithError("the grand total is not 100 % in 2016");
}
BENCHMARK(BM_FinanceTreeRecalculation)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
