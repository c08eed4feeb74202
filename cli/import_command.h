#pragma once

struct Arguments;

// topaz_q import --db TARGET [--bin DIR] [-j N] [--replace] [--json] FILE...: every file
// opened and checked as validate does (on N threads) and written into the database by one
// writer, one transaction per file. Exit 0 when every file was imported or skipped, 1 when
// any was refused, 2 on errors (missing file, unusable dictionary, database failure).
int runImportCommand(const Arguments& args);
