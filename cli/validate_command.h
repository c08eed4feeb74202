#pragma once

struct Arguments;

// topaz_q validate [--bin DIR] [--json] [-j N] FILE...: the dictionary is read once; each
// file is opened, brought to the state the editor would show, checksum-verified and
// validated as SilentValCrcCheck_ does. Exit 0 when every file is valid, 1 when any is
// not, 2 on errors.
int runValidateCommand(const Arguments& args);
