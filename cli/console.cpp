#include "cli/console.h"

#include <cstdio>

namespace {

void write(std::FILE* stream, QString line) {
    line.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

namespace Console {

void out(const QString& line) {
    write(stdout, line);
}
void err(const QString& line) {
    write(stderr, line);
}

} // namespace Console
