#include "platform/utils/monthtext.h"

namespace Utils {

namespace {

// Digits only: no sign and no blanks (a mask's empty positions must not pass).
std::optional<int> decimal(const QString& s) {
    if (s.isEmpty()) return std::nullopt;
    int v = 0;
    for (const QChar c : s) {
        if (c < u'0' || c > u'9') return std::nullopt;
        v = v * 10 + (c.unicode() - u'0');
    }
    return v;
}

} // namespace

std::optional<QDate> monthTextToDate(const QString& text) {
    const auto month = decimal(text.mid(0, 2));
    const auto year = decimal(text.mid(3, 4));
    if (!month || !year) return std::nullopt;
    const QDate d(*year, *month, 1);
    if (!d.isValid()) return std::nullopt;
    return d;
}

} // namespace Utils
