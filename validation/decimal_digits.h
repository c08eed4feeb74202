#pragma once

#include <QChar>
#include <QStringView>

// Identifiers and codes are written with the ASCII digits 0-9 only; QChar::isDigit would
// also let other scripts' digits through.
namespace DecimalDigits {

inline bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

inline int value(QChar c) {
    return c.unicode() - u'0';
}

inline bool allDigits(QStringView text) {
    for (const QChar c : text)
        if (!isDigit(c)) return false;
    return true;
}

inline bool allZeros(QStringView text) {
    for (const QChar c : text)
        if (c != u'0') return false;
    return true;
}

} // namespace DecimalDigits
