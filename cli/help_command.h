#pragma once

struct Arguments;

// topaz_q help [--bin DIR] --pdf OUT: writes the module's whole instruction (the topics
// under wn_typy/pomoc/ of the host folder) as one PDF to OUT. Exit 0, or 2 on errors.
int runHelpCommand(const Arguments& args);
