#pragma once

#include <QString>

#include <optional>

// How a currency editor shows and reads an amount, without a widget: "," as the decimal
// separator, a space between thousands, always two decimals ("1 234 567,50", "-0,25").
namespace AmountText {

QString format(double value);
// Either decimal separator; blanks and thousands spaces ignored; "" is 0. nullopt when the
// text is no number.
std::optional<double> parse(const QString& text);
// The value kept to two decimals, rounded half away from zero (10.006 -> 10.01).
double toCents(double value);

} // namespace AmountText
