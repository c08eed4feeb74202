#include "print/year_table.h"

#include "model/finance_years.h"
#include "platform/dataset/dataset.h"
#include "platform/utils/amount.h"
#include "print/layout/row_band.h"
#include "print/layout/stack_band.h"

namespace {

using ReportFonts::Style;
constexpr qreal kLpWidthMm = 8;
constexpr qreal kUnitWidthMm = 13;

YearColumn slotColumn(const YearSlot& slot, const YearColumn& total) {
    if (slot.kind == YearSlot::Kind::Total) return total;
    const QString year = QString::number(slot.year);
    return {year, year, year + QStringLiteral("_pr")};
}

QVariant valueOf(const DataSet& table, int row, const QString& field) {
    const Field* f = field.isEmpty() ? nullptr : table.findField(field);
    return f ? table.valueAt(row, *f) : QVariant();
}

QString sumOf(const DataSet& table, const std::vector<int>& rows, const QString& field) {
    double sum = 0;
    for (int row : rows)
        sum += FinanceYears::amount(valueOf(table, row, field));
    return Utils::amountText(sum);
}

Cell headerCell(const QString& text, qreal widthMm) {
    Cell c = Cell::value(text, widthMm, Qt::AlignHCenter, Style::SmallBold);
    c.shaded = true;
    return c;
}

std::shared_ptr<Band> headerBand(const YearTableSpec& spec,
                                 const std::vector<YearColumn>& columns) {
    std::vector<Cell> top;
    std::vector<Cell> sub;
    const bool percent = spec.percentWidthMm > 0;
    auto leading = [&](std::vector<Cell>& cells, bool captions) {
        if (!spec.lpField.isEmpty())
            cells.push_back(headerCell(captions ? QStringLiteral("Lp.") : QString(), kLpWidthMm));
        cells.push_back(headerCell(captions ? spec.nameCaption : QString(), spec.nameWidthMm));
        if (!spec.unitField.isEmpty())
            cells.push_back(
                headerCell(captions ? QStringLiteral("Jedn. miary") : QString(), kUnitWidthMm));
    };
    leading(top, true);
    for (const YearColumn& c : columns)
        top.push_back(headerCell(c.caption, spec.valueWidthMm + spec.percentWidthMm));
    if (!percent) return std::make_shared<RowBand>(top);
    leading(sub, false);
    for (size_t i = 0; i < columns.size(); ++i) {
        sub.push_back(headerCell(QStringLiteral("PLN"), spec.valueWidthMm));
        sub.push_back(headerCell(QStringLiteral("%"), spec.percentWidthMm));
    }
    return std::make_shared<StackBand>(std::vector<BandPtr>{std::make_shared<RowBand>(top, 4.5),
                                                            std::make_shared<RowBand>(sub, 4.5)});
}

std::shared_ptr<Band> lineBand(const DataSet& table, const YearTableSpec& spec,
                               const std::vector<YearColumn>& columns, const YearTableLine& line) {
    const bool bold = line.kind != YearTableLine::Kind::Row;
    const Style style = bold ? Style::SmallBold : Style::Small;
    std::vector<Cell> cells;
    if (!spec.lpField.isEmpty()) {
        const QVariant lp = line.kind == YearTableLine::Kind::Row
                                ? valueOf(table, line.row, spec.lpField)
                                : QVariant();
        cells.push_back(Cell::value(lp.isNull() ? QString() : lp.toString(), kLpWidthMm,
                                    Qt::AlignRight, style));
    }
    cells.push_back(Cell::value(line.name, spec.nameWidthMm, Qt::AlignLeft, style));
    if (!spec.unitField.isEmpty())
        cells.push_back(Cell::value(line.kind == YearTableLine::Kind::Row
                                        ? valueOf(table, line.row, spec.unitField).toString()
                                        : QString(),
                                    kUnitWidthMm, Qt::AlignLeft, style));
    for (const YearColumn& c : columns) {
        QString amount, percent;
        if (line.kind == YearTableLine::Kind::Row) {
            amount = Utils::amountText(valueOf(table, line.row, c.field));
            percent = Utils::amountText(valueOf(table, line.row, c.percentField));
        } else if (line.kind == YearTableLine::Kind::Sum) {
            amount = sumOf(table, line.rows, c.field);
        }
        cells.push_back(Cell::value(amount, spec.valueWidthMm, Qt::AlignRight, style));
        if (spec.percentWidthMm > 0)
            cells.push_back(Cell::value(percent, spec.percentWidthMm, Qt::AlignRight, style));
    }
    for (Cell& c : cells)
        c.shaded = bold;
    return std::make_shared<RowBand>(std::move(cells), 4.5);
}

} // namespace

std::vector<std::vector<YearColumn>> yearBlocks(const YearSlotLayout& layout,
                                                const YearColumn& total) {
    std::vector<std::vector<YearColumn>> blocks(3);
    for (int year = FinanceYears::kFirstYear; year <= FinanceYears::kLastBaseYear; ++year)
        blocks[0].push_back(slotColumn({YearSlot::Kind::Year, year}, total));
    for (int i = 0; i < YearSlotLayout::kSlots; ++i) {
        const YearSlot& slot = layout.assigned[size_t(i)];
        if (slot.kind == YearSlot::Kind::Empty) continue;
        blocks[i == 0 ? 0 : i <= 6 ? 1 : 2].push_back(slotColumn(slot, total));
    }
    if (!layout.secondBlock()) blocks[1].clear();
    if (!layout.thirdBlock()) blocks[2].clear();
    return blocks;
}

std::vector<BandPtr> yearTableBands(const DataSet& table, const YearTableSpec& spec,
                                    const std::vector<std::vector<YearColumn>>& blocks,
                                    const std::vector<YearTableLine>& lines) {
    std::vector<BandPtr> bands;
    for (const std::vector<YearColumn>& columns : blocks) {
        if (columns.empty()) continue;
        const std::shared_ptr<Band> header = headerBand(spec, columns);
        header->keepWithNext = true;
        bands.push_back(header);
        for (const YearTableLine& line : lines) {
            std::shared_ptr<Band> band = lineBand(table, spec, columns, line);
            band->repeatHeader = header;
            // A caption (a stage's name) never ends a page: it goes with its first row.
            band->keepWithNext = line.kind == YearTableLine::Kind::Caption;
            bands.push_back(band);
        }
        bands.push_back(std::make_shared<SpacerBand>(3));
    }
    return bands;
}

std::vector<YearTableLine> plainLines(const DataSet& table, const QString& nameField) {
    std::vector<YearTableLine> lines;
    const int count = table.isActive() ? table.recordCount() : 0;
    for (int row = 1; row <= count; ++row)
        lines.push_back(
            {YearTableLine::Kind::Row, row, valueOf(table, row, nameField).toString(), {}});
    return lines;
}

YearTableLine totalLine(const DataSet& table, const QString& caption) {
    YearTableLine line{YearTableLine::Kind::Sum, 0, caption, {}};
    const int count = table.isActive() ? table.recordCount() : 0;
    for (int row = 1; row <= count; ++row)
        line.rows.push_back(row);
    return line;
}
