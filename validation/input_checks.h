#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Format checks of single typed values other than the identifiers. All are pure: one
// text in, an answer out; a malformed text is simply not acceptable.

// Postal code "00-000": characters 1-2 and 4-6 (the third is the mask's separator and is
// skipped whatever it holds) must be five digits that are not all zero. So "00-000", the
// blank mask "  -   " and "12345" (the dash missing) are all invalid.
bool CheckKodPoczt(const QString& text);

// E-mail address: only A-Z, a-z, 0-9, "@", "_", "-", "."; exactly one "@" with a
// non-empty name before it; a domain of at least 4 characters that contains a ".", does
// not begin with "." and has no "." among its last two characters.
bool CheckEmail(const QString& text);

// The month input of the schedule ("MM YYYY"): the first day of the month, or nullopt when
// the month or the year is no number or the date does not exist (month 0 or 13, year 0).
std::optional<QDate> monthYearFromText(const QString& text);

// The text typed into a date editor is either empty, the editor's blank mask
// "    .  .  " or a complete date of four-digit year, month and day, whose parts may also
// be separated by "-" or "/". Anything else is a partial date.
bool hasWholeDateShape(const QString& text);
