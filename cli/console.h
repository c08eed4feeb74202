#pragma once

#include <QString>

// Output of the command line: results on standard output, messages on standard error,
// both UTF-8. Messages of the module keep their text; their "\r\n" become line breaks.
// A status line (progress) may stand at the bottom of a terminal's standard error: lines
// written meanwhile appear above it. Safe to call from several threads.
namespace Console {

void out(const QString& line);
void err(const QString& line);

// Shows text as the status line, replacing the previous one; an empty text removes it.
void status(const QString& text);

// Whether standard error is a terminal (a status line makes sense there).
bool errIsTerminal();

} // namespace Console

// How topaz_q ends.
enum ExitCode : int {
    ExitOk = 0,
    ExitCheckFailed = 1, // a checksum does not match, a file is invalid or refused
    ExitError = 2,       // usage, missing or damaged file, unusable dictionary, write error
};
