#pragma once

struct Arguments;

// topaz_q print [--bin DIR] [--pdf OUT] FILE: opens the file as the editor does and writes
// its printout to OUT (default: FILE with the extension ".pdf"), marked as a trial print
// when validation fails. Exit 0 when a valid application was printed, 1 when the printout
// is a trial print, 2 on errors.
int runPrintCommand(const Arguments& args);

// The print and help commands paint with QtGui: it needs a QGuiApplication, which the other
// commands do without. Without a display it uses the offscreen platform.
bool commandNeedsGui(int argc, char* argv[]);
void prepareGuiPlatform();
