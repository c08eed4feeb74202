// Speed of the in-memory tables at the scale of the largest application tables and beyond:
// 100 000 rows of a 20-field table appended and posted, then located and filtered.
#include "platform/dataset/dataset.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 100000;

std::unique_ptr<DataSet> makeTable() {
    auto t = std::make_unique<DataSet>("dsBench");
    FieldDef id;
    id.name = "Id";
    id.type = FieldType::Integer;
    t->addField(id);
    FieldDef etap = id;
    etap.name = "Etap";
    t->addField(etap);
    FieldDef kat;
    kat.name = "Kategoria";
    kat.size = 200;
    t->addField(kat);
    FieldDef flag;
    flag.name = "CZY_KWALIFIKOWANE";
    flag.size = 1;
    t->addField(flag);
    for (int y = 2004; y <= 2019; ++y) {
        FieldDef f;
        f.name = QString::number(y);
        f.type = FieldType::Float;
        t->addField(f);
    }
    t->open();
    return t;
}

void fill(DataSet& t) {
    Field& id = t.field("Id");
    Field& etap = t.field("Etap");
    Field& kat = t.field("Kategoria");
    Field& flag = t.field("CZY_KWALIFIKOWANE");
    for (int i = 1; i <= kRows; ++i) {
        t.append();
        id.setValue(i);
        etap.setValue(i % 50);
        kat.setValue(QStringLiteral("Wydatek %1").arg(i));
        flag.setValue(i % 2 ? QStringLiteral("T") : QStringLiteral("N"));
        for (int y = 4; y < 20; ++y)
            t.fieldAt(y).setValue(double(i) * 0.5);
        t.post();
    }
}

void BM_AppendPost100k(benchmark::State& state) {
    for (auto _ : state) {
        auto t = makeTable();
        fill(*t);
        benchmark::DoNotOptimize(t->recordCount());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_AppendPost100k)->Unit(benchmark::kMillisecond);

void BM_Locate100k(benchmark::State& state) {
    auto t = makeTable();
    fill(*t);
    int probe = 0;
    for (auto _ : state) {
        probe = (probe + 7919) % kRows + 1; // spread over the table
        benchmark::DoNotOptimize(t->locate("Id", probe));
    }
}
BENCHMARK(BM_Locate100k)->Unit(benchmark::kMicrosecond);

void BM_Filter100k(benchmark::State& state) {
    auto t = makeTable();
    fill(*t);
    int stage = 0;
    for (auto _ : state) {
        stage = (stage + 1) % 50;
        t->setFilter(QStringLiteral("(Etap = '%1') and (CZY_KWALIFIKOWANE = 'T')").arg(stage));
        t->setFiltered(true);
        benchmark::DoNotOptimize(t->recordCount());
        t->setFiltered(false);
    }
}
BENCHMARK(BM_Filter100k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
