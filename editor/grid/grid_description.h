#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace editor {

// How a year grid arranges its rows.
enum class GridShape {
    Flat,    // one row per record, in table order
    Grouped, // records under group rows (stage, then kind), with footers per group
    Tree,    // records under their parent record (Id / par_id)
};

enum class GridColumnKind {
    Text,     // the row's text, wrapped over several lines
    PickText, // free text with a pick list (the unit column)
    Amount,   // an amount the user types
    Percent,  // a share the data module computes; read-only
    Total,    // the row's total; read-only
    Hidden,   // row numbers and grouping keys, never shown
};

struct GridColumn {
    QString field;
    QString caption;
    GridColumnKind kind = GridColumnKind::Text;
    QString format = {}; // display pattern of amounts (AmountFormat)
    int year = 0;        // the year of a year column or its percentage; 0 for the others
    int maxLength = 0;   // characters the user may type; 0: the field's own limit
    int minWidth = 0;
    QStringList pickList = {};
    int band = -1; // index into YearGridDescription::bands; -1 without bands
};

// One band of a banded header: a title over a run of adjacent columns.
struct GridBand {
    QString title;
};

// The grouping columns of a grouped grid, outermost first.
struct GridGroupLevel {
    QString field;
    QString caption;
};

// Everything a year grid needs to be built: which table, which columns and bands, how the
// rows are arranged and which switches of dsWniosek show its year columns.
struct YearGridDescription {
    QString name;       // control name ("e615001"); its columns are name + field
    QString frameClass; // the frame holding it; the input checks of its columns hang on it
    QString dataSet;
    QString flagPrefix = {};    // year switches prefix + year + "v"; empty: no switchable years
    QString navigatorName = {}; // empty: the grid has no navigator
    QString caption = {};
    GridShape shape = GridShape::Flat;
    bool footer = false; // "RAZEM" and the column sums under the rows
    std::vector<GridBand> bands = {};
    std::vector<GridColumn> columns = {};
    std::vector<GridGroupLevel> groups = {}; // grouped grids only
    // Tree grids: the key, the parent key and the name column of the rows.
    QString keyField = QStringLiteral("Id");
    QString parentField = QStringLiteral("par_id");
    QString nameField = {};
};

inline constexpr int kFirstGridYear = 2004;
inline constexpr int kLastGridYear = 2016;
inline constexpr int kLastDesignYear = 2008; // shown while a year's switch is empty
inline constexpr int kFirstAddableYear = 2009;

// The grids of the indicator and finance frames.
YearGridDescription productIndicatorGrid();   // 6l, e612001, dsProdukty
YearGridDescription resultIndicatorGrid();    // 6l, e612002, dsRezultaty
YearGridDescription profitCategoryGrid();     // 6ł, e613003, dsKatPrzych
YearGridDescription profitAfterGrid();        // 6ł, e613004, dsKatPrzych, years n+1 ... n+5
YearGridDescription plannedExpenditureGrid(); // 6m, e614001, dsPlanWydatki
YearGridDescription financeSourcesGrid();     // 6n, e615001, dsZrodlaFin
YearGridDescription spendingProfileGrid();    // 6o, e615001, dsProfilWyd

} // namespace editor
