#include "cli/console.h"

#include <cstdio>
#include <mutex>

#include <unistd.h>

namespace {

std::mutex mutex;
QByteArray statusLine; // shown at the bottom of standard error; empty: none

// Carriage return and "erase to end of line": the status line disappears.
constexpr char kClearLine[] = "\r\033[K";

void writeBytes(std::FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

void write(std::FILE* stream, QString line) {
    line.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const std::lock_guard lock(mutex);
    if (!statusLine.isEmpty()) writeBytes(stderr, kClearLine);
    writeBytes(stream, line.toUtf8() + '\n');
    if (!statusLine.isEmpty()) writeBytes(stderr, statusLine);
}

} // namespace

namespace Console {

void out(const QString& line) {
    write(stdout, line);
}
void err(const QString& line) {
    write(stderr, line);
}

void status(const QString& text) {
    const std::lock_guard lock(mutex);
    statusLine = text.toUtf8();
    writeBytes(stderr, kClearLine + statusLine);
}

bool errIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

} // namespace Console
