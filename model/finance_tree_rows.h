#pragma once

#include <QString>

// The fixed rows of the two finance trees (dsZrodlaFin, dsProfilWyd), named here once for the
// rules, the year grids and the validation. They are created in this order, so their Ids are
// 1 ... 12; the user adds rows only under "inne".
namespace FinanceTreeRows {

struct FixedRow {
    const char* zrodlo;
    int parent; // 0: top level; -1 and -2: outside the tree
};

inline constexpr FixedRow kFixedRows[] = {
    {"Publiczne", 0},
    {"Europejski Fundusz Rozwoju Regionalnego", 1},
    {"Krajowy wkład publiczny", 1},
    {"budżet państwa", 3},
    {"budżet jednostek samorządu terytorialnego szczebla lokalnego", 3},
    {"budżet jednostek samorządu terytorialnego szczebla regionalnego", 3},
    {"inne krajowe fundusze publiczne", 3},
    {"Pozostałe źródła", 0},
    {"prywatne", 8},
    {"inne", 8},
    {"OGÓŁEM", -1},                             // grand total
    {"W tym Europejski Bank Inwestycyjny", -2}, // memo line
};

inline constexpr int kPublicId = 1;
inline constexpr int kRegionalFundId = 2;
inline constexpr int kOwnSourcesId = 10; // "inne"
inline constexpr int kGrandTotalId = 11; // "OGÓŁEM"; new rows are inserted before it

// The name of the fixed row with the Id.
constexpr const char* nameOf(int id) {
    return kFixedRows[id - 1].zrodlo;
}
inline QString name(int id) {
    return QString::fromUtf8(nameOf(id));
}

} // namespace FinanceTreeRows
