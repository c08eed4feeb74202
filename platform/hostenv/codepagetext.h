#pragma once

#include <QByteArray>
#include <QString>

// Text as the system code page holds it. The module keeps its text as the system's
// ANSI code page gives it, so checksums, byte rules and upper-casing follow that code
// page, whichever it is (windows-1250 on Polish systems).
namespace HostEnv {

// The text's bytes in the code page; characters it cannot hold become "?".
QByteArray toCodePage(const QString& text, const QString& codePage);

// The upper-case form as far as the code page holds it: a character keeps its form when
// it has no one-character upper-case form or the code page cannot hold that form ("ß",
// "µ" in windows-1250).
QString toUpperInCodePage(const QString& text, const QString& codePage);

// Every character that the code page writes as byte `from` becomes the character it
// writes as byte `to`. Nothing changes when either byte is no character of its own there.
QString replaceCodePageByte(const QString& text, char from, char to, const QString& codePage);

} // namespace HostEnv
