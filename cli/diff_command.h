#pragma once

struct Arguments;

// topaz_q diff STARY NOWY: every value that differs between two versions of an application.
int runDiffCommand(const Arguments& args);
