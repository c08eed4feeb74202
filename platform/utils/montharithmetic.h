#pragma once

#include <QDate>

namespace Utils {

// Whole calendar months from start to end, counted by stepping one calendar month at a
// time from start + 1 month while the step is still before end. A day cut back at a
// short month stays cut back (31 Jan -> 28 Feb -> 28 Mar). Equal dates, dates in the
// same month and dates exactly one month apart give 0; a start after the end, or an
// invalid date, gives -1.
int monthsBetween(QDate start, QDate end);

// The last day of the date's month; invalid for an invalid date.
QDate endOfMonth(QDate date);

} // namespace Utils
