#pragma once

// Reads a printed PDF back with poppler's pdftotext and pdfinfo.
#include "tests/test_support.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace PdfText {

inline QString run(const QString& program, const QStringList& args) {
    const TestSupport::Run r = TestSupport::runProgram(program, args, QString());
    return r.exitCode == 0 ? r.out : QString();
}

// The text of every page, in layout mode.
inline QStringList pages(const QString& pdf) {
    QStringList out =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
            .split(u'\f');
    if (!out.isEmpty() && out.last().trimmed().isEmpty()) out.removeLast();
    return out;
}

// "P" or "L" per page, from the page sizes pdfinfo reports.
inline QString orientations(const QString& pdf) {
    const QString info =
        run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                        QStringLiteral("-l"), QStringLiteral("999"), pdf});
    QString out;
    static const QRegularExpression size(QStringLiteral("Page +\\d+ size: +([\\d.]+) x ([\\d.]+)"));
    for (auto m = size.globalMatch(info); m.hasNext();) {
        const auto match = m.next();
        out += match.captured(1).toDouble() > match.captured(2).toDouble() ? u'L' : u'P';
    }
    return out;
}

// The text between the first line holding `from` and the next line holding `to` (or the
// end).
inline QStringList linesBetween(const QString& text, const QString& from, const QString& to) {
    QStringList out;
    bool inside = false;
    for (const QString& line : text.split(u'\n')) {
        if (inside && !to.isEmpty() && line.contains(to)) break;
        if (inside) out << line;
        inside = inside || line.contains(from);
    }
    return out;
}

// The column captions (years, "RAZEM", "Suma") of every header line, one entry per block.
inline QStringList headerBlocks(const QStringList& lines, const QString& caption) {
    static const QRegularExpression token(QStringLiteral("\\b(\\d{4}|RAZEM|Suma)\\b"));
    QStringList blocks;
    for (const QString& line : lines) {
        if (!line.contains(caption)) continue;
        QStringList captions;
        for (auto m = token.globalMatch(line.mid(line.indexOf(caption))); m.hasNext();)
            captions << m.next().captured(1);
        blocks << captions.join(u' ');
    }
    return blocks;
}

// The amounts of a table line after its row text: cells are separated by two or more
// blanks, amounts hold single blanks as thousands separators.
inline QStringList amountsAfter(const QString& line, const QString& rowText) {
    QString rest = line.mid(line.indexOf(rowText) + rowText.size());
    QStringList cells =
        rest.split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts);
    for (QString& c : cells)
        c = c.trimmed();
    return cells;
}

} // namespace PdfText
