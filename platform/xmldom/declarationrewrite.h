#pragma once

// Rewriting of the XML declaration of a file whose bytes are in one code page but
// which must be read or declared as another. Used when the system code page is not
// windows-1250: after saving an application (re-declare windows-1250), before
// parsing an application or the dictionary (declare the system code page, working
// on a temporary copy that the caller names and deletes).
//
// The work is on raw byte lines, so the file's own encoding never matters: every
// marker searched for is ASCII, and letter case is folded for ASCII only.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The head of a declaration without its closing ">":
// <?xml version="1.0" encoding="NAME"?
QByteArray declarationHead(QByteArrayView encodingName);

// In place, on the lines of a file:
// 1. from the first line on, the first line containing "<?xml" (any letter case)
//    is the declaration line; a line containing "<WNIOSEK" (exact case) that is
//    not a declaration line ends the search without one;
// 2. in the declaration line, with p the position of "<?XML" and q that of
//    "<WNIOSEK" in the upper-cased line (q = line length when absent), the
//    q - p - 1 characters from p are removed, which leaves the character in
//    front of q, normally the old declaration's closing ">";
// 3. in the first line containing ">", declarationHead(encodingName) is inserted
//    in front of its first ">", which then closes the new declaration.
// Step 3 runs whether or not a declaration was found.
void rewriteDeclaration(QList<QByteArray>& lines, QByteArrayView encodingName);

// Splits at CR LF, LF or CR; a terminator at the very end gives no empty last line.
QList<QByteArray> splitLines(const QByteArray& data);
// Joins the lines, each followed by LF.
QByteArray joinLines(const QList<QByteArray>& lines);

// Reads source as lines, rewrites its declaration to name encodingName and writes
// the lines to target (which may be the source itself; it is replaced only when
// fully written). False when reading or writing fails.
bool rewriteDeclarationFile(const QString& source, const QString& target,
                            const QString& encodingName);
