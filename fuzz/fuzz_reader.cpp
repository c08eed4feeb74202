// libFuzzer target for the application file reader: any bytes as an application file,
// read from memory and checksum-verified as the silent export does. A crash, a leak or a
// sanitizer report is a finding; a damaged file is an ordinary outcome.
#include "file/application_file.h"
#include "file/host_settings.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <cstdint>

namespace {

// The dictionary is read once; every input gets a data module of its own on it, as
// batch validation does, so no input sees what an earlier one loaded.
struct Environment {
    HeadlessUi ui;
    std::unique_ptr<TdmDataSets> dictionaries;
    HostSettings settings;

    Environment() {
        const QString folder = QStringLiteral(TOPAZ_EXAMPLES);
        DataModuleOptions options;
        options.folderSources = HostEnv::HostFolderSources{
            [folder] { return folder; }, [] { return QString(); }, [] { return QString(); }};
        dictionaries = TdmDataSets::create(ui, options);
        dictionaries->SprawdzSlownik();
        settings = HostSettings::ReadHostSettings(*options.folderSources);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Environment env;
    HeadlessUi ui;
    DataModuleOptions options;
    options.dictionarySource = env.dictionaries.get();
    auto dm = TdmDataSets::create(ui, options);
    dm->SprawdzSlownik();
    ApplicationFile file(*dm, ui, env.settings);
    file.Silent = true;
    file.OpenApplicationBytes(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    file.VerifyChecksum();
    return 0;
}
