#pragma once

#include "platform/utils/localformats.h"

#include <QString>
#include <QVariant>

#include <optional>

// Amounts as the module reads, keeps and shows them, in one place for the editor's
// currency fields and year grids, the printout and the command line.
//
// One rounding rule: half away from zero on the value's decimal digits (its 15 significant
// digits, as the value is written to a file), never on its binary approximation. So
// 2.675 (held as 2.67499999...) rounds to 2.68, 0.015 to 0.02 and -2.675 to -2.68.
namespace Utils {

// The value with the given number of decimals as plain text with "." ("1234.50"). A value
// that rounds to zero has no sign; a value that is not finite counts as 0.
QString fixedAmountText(double value, int decimals);
// The value rounded to the given number of decimals by the rule above.
double roundAmount(double value, int decimals);
inline double roundToCents(double value) {
    return roundAmount(value, 2);
}

// An amount as a user types it: "2 675,50", "-0,5", "1234.5", "  12 ". Blanks and no-break
// spaces between digit groups are ignored; either decimal separator is read; a text of
// blanks only is 0. nullopt when the text is no number. The value is not rounded.
std::optional<double> parseAmount(const QString& text,
                                  const LocalFormats& formats = LocalFormats::standard());
// The same, rounded to cents: what a currency field or an amount cell stores.
std::optional<double> parseCents(const QString& text);

// A display pattern such as "#,##0.00", ",0.00" or "###,###,###,##0": a comma before the
// decimal point switches thousands grouping on, the zeros give the least number of integer
// and decimal digits, "#" after the point optional decimals. Output uses the module's
// separators ("1 234 567,50"), rounded by the rule above.
class AmountFormat {
public:
    explicit AmountFormat(const QString& pattern = QStringLiteral("#,##0.00"),
                          const LocalFormats& formats = LocalFormats::standard());

    QString format(double value) const;
    // An empty or null value (or a text of blanks) shows nothing; a text that is no number
    // too.
    QString format(const QVariant& value) const;
    int decimals() const { return maxDecimals_; }

private:
    bool grouping_ = false;
    int minIntegerDigits_ = 0;
    int minDecimals_ = 0;
    int maxDecimals_ = 0;
    QChar decimalSeparator_;
    QChar thousandSeparator_;
};

// The module's display patterns: money and percentages, the currency fields, counts.
inline const QString kAmountPattern = QStringLiteral("#,##0.00");
inline const QString kCurrencyPattern = QStringLiteral(",0.00");
inline const QString kTotalPattern = QStringLiteral("###,###,###,##0.00");
inline const QString kCountPattern = QStringLiteral("###,###,###,##0");

// "#,##0.00" with the module's separators: 1234567.5 gives "1 234 567,50".
QString amountText(double value);
QString amountText(const QVariant& value);

} // namespace Utils
