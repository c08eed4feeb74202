#pragma once

#include "cli/arguments.h"

// topaz_q checksum: for every file the stored and the computed checksum, whether the file
// is held to its checksum and whether it verifies, as SprawdzSume_ checks it.
int runChecksumCommand(const Arguments& args);
