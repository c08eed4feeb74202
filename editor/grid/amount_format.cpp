#include "editor/grid/amount_format.h"

#include "platform/utils/localformats.h"

#include <cmath>

namespace editor {

AmountFormat::AmountFormat(const QString& pattern) {
    const qsizetype point = pattern.indexOf(u'.');
    const QString integerPart = point < 0 ? pattern : pattern.left(point);
    const QString decimalPart = point < 0 ? QString() : pattern.mid(point + 1);
    grouping_ = integerPart.contains(u',');
    minIntegerDigits_ = int(integerPart.count(u'0'));
    minDecimals_ = int(decimalPart.count(u'0'));
    maxDecimals_ = minDecimals_ + int(decimalPart.count(u'#'));
}

QString AmountFormat::format(double value) const {
    const Utils::LocalFormats& local = Utils::LocalFormats::standard();
    const double scale = std::pow(10.0, maxDecimals_);
    // Half away from zero; the small nudge keeps 0.005 (stored as 0.00499...) rounding up.
    const double rounded = std::round(value * scale * (1.0 + 1e-15)) / scale;
    QString digits = QString::number(std::fabs(rounded), 'f', maxDecimals_);
    QString integer = digits.section(u'.', 0, 0);
    QString fraction = digits.section(u'.', 1);
    while (fraction.size() > minDecimals_ && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (integer == QLatin1String("0") && minIntegerDigits_ == 0) integer.clear();
    while (integer.size() < minIntegerDigits_)
        integer.prepend(u'0');
    if (grouping_)
        for (qsizetype i = integer.size() - 3; i > 0; i -= 3)
            integer.insert(i, local.thousandSeparator);
    QString out = integer;
    if (!fraction.isEmpty()) out += local.decimalSeparator + fraction;
    // A value rounding to zero is -0.0, which shows without a sign.
    return rounded < 0.0 ? u'-' + out : out;
}

double roundToCents(double value) {
    const QString fixed = QString::number(value, 'f', 2);
    return fixed.toDouble();
}

} // namespace editor
