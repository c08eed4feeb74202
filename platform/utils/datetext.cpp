#include "platform/utils/datetext.h"

#include <optional>

namespace Utils {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isWholeNumber(const QString& s) {
    if (s.isEmpty()) return false;
    for (const QChar c : s)
        if (!isDigit(c)) return false;
    return true;
}

QString join(const QString& a, const QString& b, const QString& c, QChar sep) {
    return a + sep + b + sep + c;
}

// Step 2: take the parts at the source pattern's positions, assemble in local order.
std::optional<QString> reassemble(const QString& text, const QString& sourcePattern,
                                  const LocalFormats& formats) {
    const QString src = sourcePattern.toLower();
    const qsizetype monthAt = src.indexOf(QLatin1String("mm"));
    const qsizetype dayAt = src.indexOf(QLatin1String("dd"));
    qsizetype yearAt = src.indexOf(QLatin1String("yyyy"));
    qsizetype yearLength = 4;
    if (yearAt < 0) {
        yearAt = src.indexOf(QLatin1String("yy"));
        yearLength = 2;
    }
    if (monthAt < 0 || dayAt < 0 || yearAt < 0) return std::nullopt;

    const QString month = text.mid(monthAt, 2);
    const QString day = text.mid(dayAt, 2);
    QString year = text.mid(yearAt, yearLength);
    if (!isWholeNumber(month) || !isWholeNumber(day) || !isWholeNumber(year)) return std::nullopt;

    const QString local = formats.shortDatePattern.toLower();
    const QChar sep = formats.dateSeparator;
    bool yearFirst;
    if (!local.contains(QLatin1String("yyyy"))) {
        if (year.size() == 4) year = year.right(2);
        yearFirst = local.startsWith(QLatin1String("yy"));
    } else {
        if (year.size() == 2) year.prepend(QLatin1String("20"));
        yearFirst = local.startsWith(QLatin1String("yyyy"));
    }
    return yearFirst ? join(year, month, day, sep) : join(day, month, year, sep);
}

// Step 3: swap between day-first and year-first ten-character texts.
QString reorder(const QString& text, const LocalFormats& formats) {
    if (text.size() != 10) return text;
    const qsizetype sepAt = text.indexOf(formats.dateSeparator);
    if (sepAt < 0) return text;
    const QChar sep = formats.dateSeparator;
    const bool localYearFirst =
        formats.shortDatePattern.toLower().startsWith(QLatin1String("yyyy"));
    if (localYearFirst && sepAt < 4) // dd.mm.yyyy -> yyyy.mm.dd
        return join(text.mid(6, 4), text.mid(3, 2), text.mid(0, 2), sep);
    if (!localYearFirst && sepAt >= 4) // yyyy.mm.dd -> dd.mm.yyyy
        return join(text.mid(8, 2), text.mid(5, 2), text.mid(0, 4), sep);
    return text;
}

} // namespace

QString normaliseDateText(const QString& text, const QString& sourcePattern,
                          const LocalFormats& formats) {
    QString s = text;
    for (QChar& c : s)
        if (!isDigit(c)) c = formats.dateSeparator;

    if (sourcePattern.isEmpty()) return reorder(s, formats);
    return reassemble(s, sourcePattern, formats).value_or(s);
}

} // namespace Utils
