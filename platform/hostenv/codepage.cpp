#include "platform/hostenv/codepage.h"

namespace HostEnv {

QString systemCodePageName() {
    const QString overridden = qEnvironmentVariable("TOPAZ_SYSTEM_CODEPAGE");
    return overridden.isEmpty() ? QStringLiteral("windows-1250") : overridden;
}

} // namespace HostEnv
