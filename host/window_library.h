#pragma once

#include "host/invocation.h"

// The library beside the module that holds the editor and the printout, and the one
// function it exports: an export call run there, with its widgets.
#define TOPAZ_WINDOW_LIBRARY "TOPAZ_Q_okna.so"
extern "C" {
typedef int32_t WindowedExportFunction(int kind, const char* utf8Path);
}
#define TOPAZ_WINDOWED_EXPORT "TOPAZ_Q_okna_eksport"

// Loads the library (once; it stays loaded) from the folder of this module and runs the
// call there. When it cannot be loaded, says so on standard error and returns 0.
int32_t runInWindowLibrary(ExportKind kind, const QString& path);
