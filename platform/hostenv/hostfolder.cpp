#include "platform/hostenv/hostfolder.h"

#include "platform/hostenv/hostregistry.h"
#include "platform/hostenv/pathtext.h"
#include "platform/hostenv/sharedfolder.h"

#include <QDir>

namespace HostEnv {

HostFolderSources HostFolderSources::system() {
    return {
        [] { return HostRegistry().binFolder(); },
        [] { return readSharedFolder(); },
        [] { return QDir::currentPath(); },
    };
}

QString hostFolder(const HostFolderSources& sources) {
    // The shared memory is opened only when the registry gives nothing.
    QString folder =
        sources.registryBin ? withoutTrailingSeparator(sources.registryBin()) : QString();
    if (folder.isEmpty() && sources.sharedFolder) folder = sources.sharedFolder();
    if (folder.isEmpty() && sources.currentFolder) folder = sources.currentFolder();
    return withoutTrailingSeparator(folder);
}

QString hostFolder() {
    return hostFolder(HostFolderSources::system());
}

} // namespace HostEnv
