#pragma once

#include <QString>

#include <optional>

class TdmDataSets_t;

namespace editor {

// A table whose year columns a year switch of dsWniosek shows or hides.
struct SwitchedYearTable {
    QString dataSet;
    QString flagPrefix;       // the switch is prefix + year + "v"
    bool financeTree = false; // also the "_pr" column, and the rules pause while rewriting
};

// "Dodaj rok" (shown) and "Usuń rok" (hidden) for one table: the switch becomes "T" or
// "N", and every row's amount of the year (in a finance tree also its share) becomes 0 or
// empty. A closed table only has its switch changed. No question is asked: removing a year
// discards its amounts.
void switchYear(TdmDataSets_t& dm, const SwitchedYearTable& table, int year, bool shown);

// The year switch as stored: true for "T", false for "N", empty for neither.
std::optional<bool> yearSwitch(const TdmDataSets_t& dm, const QString& flagPrefix, int year);

} // namespace editor
