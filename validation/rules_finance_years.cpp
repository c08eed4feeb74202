#include "validation/rules_finance_years.h"

#include "model/dm_main.h"
#include "model/finance_years.h"
#include "platform/utils/datasetscans.h"
#include "validation/rules_finance_checks.h"

#include <QDate>

namespace FinanceYearRanges {

using FinanceYears::kFirstYear;

bool yearSwitchOn(const ValidationRun& run, const char* prefix, int year) {
    const QString name = QLatin1String(prefix) + QString::number(year) + QLatin1Char('v');
    return FinanceChecks::wniosek(run, name.toLatin1().constData()).asString() ==
           QLatin1String("T");
}

bool yearUsed(const ValidationRun& run, const YearTable& t, int year) {
    if (t.switchPrefix && !yearSwitchOn(run, t.switchPrefix, year)) return false;
    return !Utils::allRowsZero(FinanceChecks::table(run, t.table), FinanceYears::columnName(year));
}

std::optional<int> firstUsedYear(const ValidationRun& run, const YearTable& t) {
    for (int year = kFirstYear; year <= t.lastYear; ++year)
        if (yearUsed(run, t, year)) return year;
    return std::nullopt;
}

std::optional<int> lastUsedYear(const ValidationRun& run, const YearTable& t) {
    for (int year = t.lastYear; year >= kFirstYear; --year)
        if (yearUsed(run, t, year)) return year;
    return std::nullopt;
}

std::optional<int> scheduleYear(const ValidationRun& run, const char* dateField) {
    const Field& date = FinanceChecks::wniosek(run, dateField);
    if (FinanceChecks::empty(date)) return std::nullopt;
    return date.asDate().year();
}

bool usedAfterPhysicalEnd(const ValidationRun& run, const YearTable& t) {
    if (FinanceChecks::table(run, t.table).isEmpty()) return false;
    const auto end = scheduleYear(run, "harm_rzecz_zak");
    if (!end) return false;
    const auto last = lastUsedYear(run, t);
    return last && *last > *end;
}

bool usedBeforeStart(const ValidationRun& run, const YearTable& t) {
    if (FinanceChecks::table(run, t.table).isEmpty()) return false;
    const auto start = scheduleYear(run, "harm_rozp");
    if (!start) return false;
    const auto first = firstUsedYear(run, t);
    return first && *first < *start;
}

} // namespace FinanceYearRanges
