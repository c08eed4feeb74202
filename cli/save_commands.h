#pragma once

#include "cli/arguments.h"

// topaz_q resave IN OUT: opens IN as the editor does and saves it to OUT as the save
// action does, in the current module version with a fresh checksum.
int runResaveCommand(const Arguments& args);

// topaz_q new OUT: saves a new, empty application to OUT as the save action does.
int runNewCommand(const Arguments& args);
