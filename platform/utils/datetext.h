#pragma once

#include "platform/utils/localformats.h"

#include <QString>

namespace Utils {

// Rewrites a date text into the order of the local short date pattern, so that the
// file reader can read dates written with another pattern.
//  1. Every character other than 0-9 becomes the local date separator.
//  2. With a source pattern (compared in lower case, e.g. "yyyy-mm-dd"): the month and
//     day are the two characters at the positions of "mm" and "dd", the year the four
//     characters at "yyyy" or else the two at "yy". A local pattern without "yyyy" gets
//     a four-digit year cut to its last two digits, one with "yyyy" gets a two-digit
//     year prefixed with "20". The parts are joined with the local separator, year
//     first when the local pattern begins with the year, else day first.
//  3. Without a source pattern, only a text of exactly 10 characters is reordered:
//     day-first text for a year-first local pattern and year-first text for another.
//  4. A part that is not a whole number, or a pattern part that is missing, leaves the
//     text as step 1 made it.
// The result is text only; whether it names an existing date is the caller's check.
QString normaliseDateText(const QString& text, const QString& sourcePattern = QString(),
                          const LocalFormats& formats = LocalFormats::standard());

} // namespace Utils
