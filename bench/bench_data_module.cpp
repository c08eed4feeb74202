// Creating the data module with the realistic dictionary, next to the bare parse of the
// same file: the creation should stay within twice the parse.
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"
#include "platform/xmldom/xmldocument.h"

#include <benchmark/benchmark.h>

namespace {

const QString kFolder = QStringLiteral(TOPAZ_EXAMPLES);

void BM_ParseDictionary(benchmark::State& state) {
    for (auto _ : state) {
        XmlDocument doc = XmlDocument::parseFile(kFolder + QStringLiteral("/slowniki.xml"));
        benchmark::DoNotOptimize(doc.root().isNull());
    }
}
BENCHMARK(BM_ParseDictionary)->Unit(benchmark::kMillisecond);

void BM_CreateDataModule(benchmark::State& state) {
    HeadlessUi ui;
    DataModuleOptions options;
    options.folderSources = HostEnv::HostFolderSources{
        [] { return kFolder; }, [] { return QString(); }, [] { return QString(); }};
    for (auto _ : state) {
        auto dm = TdmDataSets::create(ui, options);
        benchmark::DoNotOptimize(dm->SprawdzSlownik());
    }
}
BENCHMARK(BM_CreateDataModule)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
