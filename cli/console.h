#pragma once

#include <QString>

// Output of the command line: results on standard output, messages on standard error,
// both UTF-8. Messages of the module keep their text; their "\r\n" become line breaks.
namespace Console {

void out(const QString& line);
void err(const QString& line);

} // namespace Console

// How topaz_q ends.
enum ExitCode : int {
    ExitOk = 0,
    ExitCheckFailed = 1, // a checksum does not match
    ExitError = 2,       // usage, missing or damaged file, unusable dictionary, write error
};
