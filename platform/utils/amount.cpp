#include "platform/utils/amount.h"

#include "platform/utils/numbertext.h"

#include <algorithm>
#include <cmath>

namespace Utils {

namespace {

// The digits of |value| to 15 significant digits as an integer part and a fraction part
// ("2.675" -> "2", "675"; 1e-3 -> "0", "001000000000000").
void decimalDigits(double value, QString& integer, QString& fraction) {
    const QString e = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde±XX
    const qsizetype mark = e.indexOf(u'e');
    const QString digits = e.left(mark).remove(u'.');
    const int pointAt = e.mid(mark + 1).toInt() + 1; // integer digits before the point
    if (pointAt <= 0) {
        integer = QStringLiteral("0");
        fraction = QString(-pointAt, u'0') + digits;
    } else if (pointAt >= digits.size()) {
        integer = digits + QString(pointAt - digits.size(), u'0');
        fraction.clear();
    } else {
        integer = digits.left(pointAt);
        fraction = digits.mid(pointAt);
    }
}

} // namespace

QString fixedAmountText(double value, int decimals) {
    if (!std::isfinite(value)) value = 0.0;
    decimals = std::max(0, decimals);
    QString integer, fraction;
    decimalDigits(value, integer, fraction);
    const bool up = fraction.size() > decimals && fraction[decimals] >= u'5';
    fraction = fraction.left(decimals).leftJustified(decimals, u'0');
    QString digits = integer + fraction;
    if (up) {
        qsizetype i = digits.size() - 1;
        for (; i >= 0 && digits[i] == u'9'; --i)
            digits[i] = u'0';
        if (i >= 0)
            digits[i] = QChar(digits[i].unicode() + 1);
        else
            digits.prepend(u'1');
    }
    QString out = digits.left(digits.size() - decimals);
    if (decimals > 0) out += u'.' + digits.right(decimals);
    const bool zero =
        std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c == u'0'; });
    return value < 0 && !zero ? u'-' + out : out;
}

double roundAmount(double value, int decimals) {
    return fixedAmountText(value, decimals).toDouble();
}

std::optional<double> parseAmount(const QString& text, const LocalFormats& formats) {
    QString plain = text;
    plain.remove(formats.thousandSeparator);
    plain.remove(u' ');
    plain.remove(QChar(0x00A0)); // the no-break space some editors group digits with
    plain.remove(QChar(0x202F)); // and the narrow one
    plain = plain.trimmed();
    if (plain.isEmpty()) return 0.0;
    return textToNumber(plain, formats);
}

std::optional<double> parseCents(const QString& text) {
    const std::optional<double> v = parseAmount(text);
    if (!v) return std::nullopt;
    return roundToCents(*v);
}

AmountFormat::AmountFormat(const QString& pattern, const LocalFormats& formats)
    : decimalSeparator_(formats.decimalSeparator), thousandSeparator_(formats.thousandSeparator) {
    const qsizetype point = pattern.indexOf(u'.');
    const QString integerPart = point < 0 ? pattern : pattern.left(point);
    const QString decimalPart = point < 0 ? QString() : pattern.mid(point + 1);
    grouping_ = integerPart.contains(u',');
    minIntegerDigits_ = int(integerPart.count(u'0'));
    minDecimals_ = int(decimalPart.count(u'0'));
    maxDecimals_ = minDecimals_ + int(decimalPart.count(u'#'));
}

QString AmountFormat::format(double value) const {
    QString text = fixedAmountText(value, maxDecimals_);
    const bool negative = text.startsWith(u'-');
    if (negative) text.remove(0, 1);
    QString integer = text.section(u'.', 0, 0);
    QString fraction = text.section(u'.', 1);
    while (fraction.size() > minDecimals_ && fraction.endsWith(u'0'))
        fraction.chop(1);
    if (integer == QLatin1String("0") && minIntegerDigits_ == 0) integer.clear();
    while (integer.size() < minIntegerDigits_)
        integer.prepend(u'0');
    if (grouping_)
        for (qsizetype i = integer.size() - 3; i > 0; i -= 3)
            integer.insert(i, thousandSeparator_);
    QString out = integer;
    if (!fraction.isEmpty()) out += decimalSeparator_ + fraction;
    return negative ? u'-' + out : out;
}

QString AmountFormat::format(const QVariant& value) const {
    if (!value.isValid() || value.isNull()) return {};
    if (value.typeId() == QMetaType::QString) {
        const std::optional<double> v = parseAmount(value.toString());
        return v && !value.toString().trimmed().isEmpty() ? format(*v) : QString();
    }
    bool ok = false;
    const double v = value.toDouble(&ok);
    return ok ? format(v) : QString();
}

QString amountText(double value) {
    static const AmountFormat format(kAmountPattern);
    return format.format(value);
}

QString amountText(const QVariant& value) {
    static const AmountFormat format(kAmountPattern);
    return format.format(value);
}

} // namespace Utils
