#pragma once

#include <QString>

#include <array>
#include <functional>

// The column slots of a year table. The first block holds the row text, the years 2004 to
// 2008 and slot 0; a second block holds slots 1-6 and a third slots 7 and 8. The later
// years switched on fill the slots in ascending order, the total column takes the next
// one.
struct YearSlot {
    enum class Kind { Empty, Year, Total };
    Kind kind = Kind::Empty;
    int year = 0;
};

struct YearSlotLayout {
    static constexpr int kSlots = 9;
    std::array<YearSlot, kSlots> assigned{};
    int laterYears = 0; // how many later years got a slot

    bool secondBlock() const { return laterYears >= 1; }
    bool thirdBlock() const { return laterYears >= 7; }
};

// shown(year) tells whether a year from 2009 to 2016 is switched on. At most 8 later years
// are printed; with 8 the total column still takes slot 8.
YearSlotLayout layOutYearSlots(const std::function<bool(int year)>& shown);
