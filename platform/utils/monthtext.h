#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace Utils {

// The first day of the month named by a month input text: characters 1-2 are the month
// and characters 4-7 the year, both plain decimal digits; character 3 and everything
// after character 7 are ignored. nullopt when either part is not a number or the date
// does not exist.
std::optional<QDate> monthTextToDate(const QString& text);

} // namespace Utils
