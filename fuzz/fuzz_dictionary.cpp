// libFuzzer target for the dictionary loader: any bytes as slowniki.xml, read into a data
// module and put through the dictionary gate. An unusable dictionary is an ordinary
// outcome (the module records it); a crash or a sanitizer report is a finding.
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <cstdint>

namespace {

// The module is built once, without a dictionary; every input reads its dictionary into
// the module put back to that state, as a new module would read it, without paying for
// the building of the tables and rules.
struct Environment {
    HeadlessUi ui;
    std::unique_ptr<TdmDataSets> dm;
    DataModuleSnapshot built;

    Environment() {
        static const QByteArray none;
        DataModuleOptions options;
        options.folderSources =
            HostEnv::HostFolderSources{[] { return QStringLiteral("/nonexistent"); },
                                       [] { return QString(); }, [] { return QString(); }};
        options.dictionaryBytes = &none;
        dm = TdmDataSets::create(ui, options);
        built = dm->snapshot();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Environment env;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    env.dm->reloadDictionaries(bytes);
    env.dm->SprawdzSlownik();
    env.dm->restore(env.built);
    env.ui.clearCalls();
    return 0;
}
