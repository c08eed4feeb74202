#pragma once

#include "validation/validation_run.h"

#include <optional>

// The year columns "2004" ... "2016" that a yearly table actually uses, against the
// years of the schedule.
namespace FinanceYearRanges {

// A yearly table with its family of year switches in dsWniosek (prefix + year + "v");
// without a prefix every year up to lastYear is examined.
struct YearTable {
    const char* table;
    const char* switchPrefix; // nullptr: no switches
    int lastYear = 2016;
};

// The switch prefix + year + "v" of dsWniosek is "T".
bool yearSwitchOn(const ValidationRun& run, const char* prefix, int year);

// A year is used when its switch is "T" and some row holds an amount other than 0 in it.
bool yearUsed(const ValidationRun& run, const YearTable& t, int year);
std::optional<int> firstUsedYear(const ValidationRun& run, const YearTable& t);
std::optional<int> lastUsedYear(const ValidationRun& run, const YearTable& t);

// The calendar year of a schedule date of dsWniosek; none when the date is empty.
std::optional<int> scheduleYear(const ValidationRun& run, const char* dateField);

// The table has rows and uses a year after the year of harm_rzecz_zak (the physical end).
bool usedAfterPhysicalEnd(const ValidationRun& run, const YearTable& t);
// The table has rows and uses a year before the year of harm_rozp (the project start).
bool usedBeforeStart(const ValidationRun& run, const YearTable& t);

} // namespace FinanceYearRanges
