#pragma once

#include <QChar>
#include <QString>

namespace Utils {

// The number and date formats of the process. They are fixed in this product and never
// change at run time, so they are a plain value: the core keeps no mutable global state
// and can validate files on several threads. Functions that depend on them take a
// LocalFormats argument defaulting to standard().
struct LocalFormats {
    QChar decimalSeparator = u',';
    QChar thousandSeparator = u' ';
    QChar dateSeparator = u'.';
    QString shortDatePattern = QStringLiteral("yyyy.MM.dd");

    // Decimal ",", thousands " ", date separator ".", short date "yyyy.MM.dd".
    static const LocalFormats& standard();
};

} // namespace Utils
