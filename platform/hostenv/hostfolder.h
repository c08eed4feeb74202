#pragma once

#include <QString>

#include <functional>

namespace HostEnv {

// Where the host's program folder may be found, in the order they are asked.
struct HostFolderSources {
    std::function<QString()> registryBin;   // registry value "bin"
    std::function<QString()> sharedFolder;  // the shared-memory block
    std::function<QString()> currentFolder; // the process's current folder

    // The real sources: the default registry file, the block "/Zelgor_SciezkaDLL" and
    // QDir::currentPath().
    static HostFolderSources system();
};

// The host's program folder: registry "bin", else the shared-memory block, else the
// current folder; a trailing separator removed. A source left empty counts as giving
// an empty text.
QString hostFolder(const HostFolderSources& sources);
QString hostFolder();

} // namespace HostEnv
