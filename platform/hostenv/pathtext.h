#pragma once

#include <QString>

namespace HostEnv {

// The folder without one trailing "\" or "/". The root "/" stays as it is: it names a
// folder, and stripping it would make it look like a missing value.
QString withoutTrailingSeparator(const QString& folder);

} // namespace HostEnv
