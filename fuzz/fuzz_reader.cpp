// libFuzzer target for the application file reader: any bytes as an application file,
// read from memory and checksum-verified as the silent export does. A crash, a leak or a
// sanitizer report is a finding; a damaged file is an ordinary outcome.
#include "file/application_file.h"
#include "file/host_settings.h"
#include "model/catalogue/mapping_rows.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <cstdint>

namespace {

// The dictionary is read and the module built once. Every input leaves the module as it
// was built (its snapshot put back), as batch validation starts each file from a new
// module: no input sees what an earlier one loaded, no input pays for the building, and
// what an input allocates is freed within it, so libFuzzer's leak check stays quiet
// unless memory really leaks.
struct Environment {
    HeadlessUi ui;
    std::unique_ptr<TdmDataSets> dm;
    DataModuleSnapshot built;
    HostSettings settings;

    Environment() {
        const QString folder = QStringLiteral(TOPAZ_EXAMPLES);
        DataModuleOptions options;
        options.folderSources = HostEnv::HostFolderSources{
            [folder] { return folder; }, [] { return QString(); }, [] { return QString(); }};
        dm = TdmDataSets::create(ui, options);
        dm->SprawdzSlownik();
        settings = HostSettings::ReadHostSettings(*options.folderSources);
        // Every application file completes the mapping so; done here, it is part of the
        // snapshot and the files of the inputs find it done.
        extendMappingTable(*dm);
        built = dm->snapshot();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Environment env;
    {
        ApplicationFile file(*env.dm, env.ui, env.settings);
        file.Silent = true;
        file.OpenApplicationBytes(
            QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
        file.VerifyChecksum();
    }
    env.dm->restore(env.built);
    env.ui.clearCalls();
    return 0;
}
