#include "platform/xmldom/declarationrewrite.h"

#include <QFile>
#include <QSaveFile>

namespace {

void removeDeclaration(QByteArray& line) {
    const QByteArray upper = line.toUpper(); // ASCII only: positions stay those of line
    const qsizetype p = upper.indexOf("<?XML");
    qsizetype q = upper.indexOf("<WNIOSEK");
    if (q < 0) q = line.size();
    const qsizetype count = q - p - 1;
    if (p >= 0 && count > 0) line.remove(p, count);
}

} // namespace

QByteArray declarationHead(QByteArrayView encodingName) {
    return "<?xml version=\"1.0\" encoding=\"" + encodingName.toByteArray() + "\"?";
}

void rewriteDeclaration(QList<QByteArray>& lines, QByteArrayView encodingName) {
    for (QByteArray& line : lines) {
        if (line.toLower().contains("<?xml")) {
            removeDeclaration(line);
            break;
        }
        if (line.contains("<WNIOSEK")) break;
    }
    for (QByteArray& line : lines) {
        const qsizetype gt = line.indexOf('>');
        if (gt >= 0) {
            line.insert(gt, declarationHead(encodingName));
            break;
        }
    }
}

QList<QByteArray> splitLines(const QByteArray& data) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype size = data.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data.at(i);
        if (c != '\r' && c != '\n') continue;
        lines.append(data.mid(start, i - start));
        if (c == '\r' && i + 1 < size && data.at(i + 1) == '\n') ++i;
        start = i + 1;
    }
    if (start < size) lines.append(data.mid(start));
    return lines;
}

QByteArray joinLines(const QList<QByteArray>& lines) {
    QByteArray data;
    for (const QByteArray& line : lines) {
        data += line;
        data += '\n';
    }
    return data;
}

bool rewriteDeclarationFile(const QString& source, const QString& target,
                            const QString& encodingName) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = in.readAll();
    if (in.error() != QFileDevice::NoError) return false;
    in.close();

    QList<QByteArray> lines = splitLines(data);
    rewriteDeclaration(lines, encodingName.toLatin1());
    const QByteArray rewritten = joinLines(lines);

    QSaveFile out(target);
    return out.open(QIODevice::WriteOnly) && out.write(rewritten) == rewritten.size() &&
           out.commit();
}
