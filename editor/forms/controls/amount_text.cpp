#include "editor/forms/controls/amount_text.h"

#include "validation/input_checks.h"

#include <cmath>

namespace AmountText {

double toCents(double value) {
    // Through the 15-digit decimal text first, so 10.005 stored as 10.00499... rounds up.
    const double exact = QString::number(value, 'g', 15).toDouble();
    return std::round(exact * 100.0) / 100.0;
}

QString format(double value) {
    const double cents = toCents(value);
    QString digits = QString::number(std::fabs(cents), 'f', 2);
    const int point = int(digits.indexOf(QLatin1Char('.')));
    QString whole = digits.left(point);
    for (int i = int(whole.size()) - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char(' '));
    const bool negative = cents < 0;
    return (negative ? QStringLiteral("-") : QString()) + whole + QLatin1Char(',') +
           digits.mid(point + 1);
}

std::optional<double> parse(const QString& text) {
    return amountFromText(text);
}

} // namespace AmountText
