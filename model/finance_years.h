#pragma once

#include <QString>
#include <QVariant>

#include <array>

class DataSet;
class Field;
class TdmDataSets_t;

// The year columns "2004" ... "2016" of the yearly tables and the switches that show them.
namespace FinanceYears {

inline constexpr int kFirstYear = 2004;
inline constexpr int kLastBaseYear = 2008; // the base module's years, always shown
inline constexpr int kLastYear = 2016;
inline constexpr int kYearCount = kLastYear - kFirstYear + 1;

// "2004", or "2004_pr" with the suffix "_pr".
QString columnName(int year, const char* suffix = "");

// A missing value counts as 0 in every sum and test of the yearly rules.
inline double amount(const QVariant& v) {
    return v.isValid() ? v.toDouble() : 0.0;
}

// The thirteen year columns of a table (or their "_pr" twins), 2004 first. Field objects
// live as long as their table, so callers may keep the pointers.
using YearFields = std::array<Field*, kYearCount>;
YearFields yearFields(const DataSet& table, const char* suffix = "");

// Sum of the thirteen year columns of the row being read.
double sumOfYears(const YearFields& years);

// Which years a flag family of dsWniosek (tab6n, tab6o, tab6m, ...) shows: flag family +
// year + "v" is "T" (shown) or "N" (hidden). The flags live in the one row of dsWniosek;
// while that row does not exist yet (the finance trees are filled while the module is
// being created) and for a flag holding neither letter, the flag's default applies:
// 2004-2008 shown, 2009-2016 hidden.
class Visibility {
public:
    Visibility(const TdmDataSets_t& dm, const QString& family);
    bool shown(int year) const { return shown_[size_t(year - kFirstYear)]; }

private:
    std::array<bool, kYearCount> shown_{};
};

// The zeros of a new row: 2004-2008 always; each of 2009-2016 when `later` shows it, and
// then also its "_pr" column when withPercent. Without `later` only 2004-2008 are set.
void zeroNewRowYears(DataSet& table, const Visibility* later, bool withPercent = false);

} // namespace FinanceYears
