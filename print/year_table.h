#pragma once

#include "print/layout/band.h"
#include "print/year_slots.h"

#include <QString>

#include <vector>

class DataSet;

// One value column of a year table: its header and the field it prints (for the finance
// trees also the field of the percentage beside it).
struct YearColumn {
    QString caption;
    QString field;
    QString percentField;
};

// The shape of a year table on paper.
struct YearTableSpec {
    QString nameCaption; // header of the row-text column
    QString lpField;     // empty: no "Lp." column
    QString unitField;   // empty: no unit column
    qreal nameWidthMm = 60;
    qreal valueWidthMm = 20;
    qreal percentWidthMm = 0; // > 0: each column prints its percentage beside it
    // The total column: caption, field and percentage field.
    YearColumn total;
};

// One line of the printed table: a row of the table, a caption, or a sum over rows.
struct YearTableLine {
    enum class Kind { Row, Caption, Sum };
    Kind kind = Kind::Row;
    int row = 0;           // Row: 1-based row of the table
    QString name;          // the text of the name column
    std::vector<int> rows; // Sum: the rows added up
};

// The value columns of each block: the first block 2004-2008 and slot 0, the second
// slots 1-6, the third slots 7-8; blocks that are not needed are empty.
std::vector<std::vector<YearColumn>> yearBlocks(const YearSlotLayout& layout,
                                                const YearColumn& total);

// The bands of the table: for each non-empty block a header row, the lines and a gap.
// Amounts print through Utils::amountText; sums add the rows' values (a missing value counts 0).
std::vector<BandPtr> yearTableBands(const DataSet& table, const YearTableSpec& spec,
                                    const std::vector<std::vector<YearColumn>>& blocks,
                                    const std::vector<YearTableLine>& lines);

// Every row of the table as a line, the name taken from the field nameField.
std::vector<YearTableLine> plainLines(const DataSet& table, const QString& nameField);
// A line that sums every row of the table.
YearTableLine totalLine(const DataSet& table, const QString& caption);
