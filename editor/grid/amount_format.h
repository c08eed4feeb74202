#pragma once

#include <QString>

#include <optional>

namespace editor {

// A number display pattern such as "#,##0.00", ",0.00" or "###,###,###,##0.00": a comma
// before the decimal point switches digit grouping on, the zeros give the least number of
// integer and decimal digits, the "#" after the point optional decimals. Output uses the
// product's separators: "," for decimals and " " for thousands. No widget involved.
class AmountFormat {
public:
    explicit AmountFormat(const QString& pattern = QStringLiteral(",0.00"));

    // Rounded half away from zero to the pattern's decimals.
    QString format(double value) const;
    int decimals() const { return maxDecimals_; }

private:
    bool grouping_ = false;
    int minIntegerDigits_ = 0;
    int minDecimals_ = 0;
    int maxDecimals_ = 0;
};

// The display patterns of the year grids.
inline const QString kIndicatorAmountPattern = QStringLiteral("#,##0.00");
inline const QString kAmountPattern = QStringLiteral(",0.00");
inline const QString kFooterSumPattern = QStringLiteral("###,###,###,##0.00");

// The value an amount cell stores: rounded to two decimals through its fixed-notation text,
// so 10.006 becomes 10.01 and 10.004 becomes 10.
double roundToCents(double value);

} // namespace editor
