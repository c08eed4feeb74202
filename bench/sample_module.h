#pragma once

// The data module the benchmarks work on: the sample dictionary of examples/, no host.
#include "model/dm_main.h"
#include "platform/ui/userinterface.h"

#include <memory>

inline HostEnv::HostFolderSources sampleFolderSources() {
    return {[] { return QStringLiteral(TOPAZ_EXAMPLES); }, [] { return QString(); },
            [] { return QString(); }};
}

inline std::unique_ptr<TdmDataSets> makeSampleModule(UserInterface& ui) {
    DataModuleOptions options;
    options.folderSources = sampleFolderSources();
    return TdmDataSets::create(ui, options);
}
