#pragma once

// The amounts a user types and what the module must store and show for them: one table for
// the core's amount functions and for the editor's currency fields and year-grid cells.
#include <QString>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<double>)

namespace AmountCases {

struct Case {
    const char* name;
    const char* typed;  // UTF-8, as typed
    const char* stored; // the stored value as decimal text; nullptr: no number
    const char* shown;  // what a currency field shows for it (",0.00")
};

// Halves on values whose binary approximation lies below the half, negative values, the
// largest amounts, and texts with blanks and either separator.
inline const Case kCases[] = {
    {"half below in binary", "2,675", "2.68", "2,68"},
    {"half of a cent", "0,015", "0.02", "0,02"},
    {"half after one", "1,005", "1.01", "1,01"},
    {"half with point", "1.115", "1.12", "1,12"},
    {"below half", "10,004", "10", "10,00"},
    {"above half", "10,006", "10.01", "10,01"},
    {"thousands typed", "2 675,50", "2675.5", "2 675,50"},
    {"no-break spaces", "1\u00a0000\u00a0000,5", "1000000.5", "1 000 000,50"},
    {"blanks around", "  12 ", "12", "12,00"},
    {"empty is zero", "", "0", "0,00"},
    {"whole number", "7", "7", "7,00"},
    {"negative half", "-2,675", "-2.68", "-2,68"},
    {"negative to zero", "-0,004", "0", "0,00"},
    {"negative thousands", "-1 234,567", "-1234.57", "-1 234,57"},
    {"largest of 15 digits", "999 999 999 999,99", "999999999999.99", "999 999 999 999,99"},
    {"carry into a new digit", "999999999,995", "1000000000", "1 000 000 000,00"},
    {"largest rounds up", "99 999 999 999,995", "100000000000", "100 000 000 000,00"},
    {"two separators", "1.234,5", nullptr, nullptr},
    {"letters", "12a", nullptr, nullptr},
};

// Fills the columns "typed" (QString), "stored" (std::optional<double>) and "shown";
// `onlyStorable` leaves out what an amount control refuses (no number, a minus sign).
inline void addRows(bool onlyStorable = false) {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<std::optional<double>>("stored");
    QTest::addColumn<QString>("shown");
    for (const Case& c : kCases) {
        const std::optional<double> stored =
            c.stored ? std::optional(QByteArray(c.stored).toDouble()) : std::nullopt;
        if (onlyStorable && (!stored || *c.typed == '-')) continue;
        QTest::newRow(c.name) << QString::fromUtf8(c.typed) << stored << QString::fromUtf8(c.shown);
    }
}

} // namespace AmountCases
