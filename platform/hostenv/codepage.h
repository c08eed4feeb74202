#pragma once

#include <QString>

namespace HostEnv {

// Name of the system's ANSI code page as the XML layer reports it: "windows-1250",
// unless the environment variable TOPAZ_SYSTEM_CODEPAGE names another (read on every
// call, so tests can exercise the conversion path for other code pages).
QString systemCodePageName();

} // namespace HostEnv
