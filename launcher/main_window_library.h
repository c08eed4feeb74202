#pragma once

// zelgor_okno.so, beside the zelgor program: the main window, with the widget libraries
// that a call of an export from the command line does not need.
#define ZELGOR_MAIN_WINDOW_LIBRARY "zelgor_okno.so"
#define ZELGOR_MAIN_WINDOW_FUNCTION "zelgor_okno_main"
extern "C" {
// Runs the main window over the host folder (UTF-8) until it closes; the exit code.
typedef int MainWindowFunction(int argc, char** argv, const char* utf8HostFolder);
}
