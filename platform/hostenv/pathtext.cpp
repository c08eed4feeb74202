#include "platform/hostenv/pathtext.h"

namespace HostEnv {

QString withoutTrailingSeparator(const QString& folder) {
    if (folder.size() <= 1) return folder;
    if (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/')))
        return folder.left(folder.size() - 1);
    return folder;
}

} // namespace HostEnv
