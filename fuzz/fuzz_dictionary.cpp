// libFuzzer target for the dictionary loader: any bytes as slowniki.xml, loaded by a new
// data module and put through the dictionary gate. An unusable dictionary is an ordinary
// outcome (the module records it); a crash or a sanitizer report is a finding.
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    HeadlessUi ui;
    DataModuleOptions options;
    options.folderSources =
        HostEnv::HostFolderSources{[] { return QStringLiteral("/nonexistent"); },
                                   [] { return QString(); }, [] { return QString(); }};
    options.dictionaryBytes = &bytes;
    auto dm = TdmDataSets::create(ui, options);
    dm->SprawdzSlownik();
    return 0;
}
