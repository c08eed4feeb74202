#include "print/form_bands.h"

#include "print/layout/row_band.h"
#include "print/layout/text_band.h"

using ReportFonts::Style;

namespace FormBands {

BandPtr field(const QString& label, const QString& value, qreal labelWidthMm) {
    return std::make_shared<RowBand>(
        std::vector<Cell>{Cell::label(label, labelWidthMm), Cell::value(value)});
}

BandPtr fields(const std::vector<std::pair<QString, QString>>& pairs) {
    std::vector<Cell> cells;
    for (const auto& [label, value] : pairs) {
        cells.push_back(Cell::label(label, 22));
        cells.push_back(Cell::value(value));
    }
    return std::make_shared<RowBand>(std::move(cells));
}

void memo(ReportPart& part, const QString& caption, const QString& text) {
    if (!caption.isEmpty()) {
        auto label = std::make_shared<TextBand>(
            caption, TextBand::Options{Style::Small, false, 0, 0, Qt::AlignLeft});
        label->keepWithNext = true;
        part.add(label);
    }
    part.add(memoBand(text));
}

BandPtr checks(const std::vector<std::pair<QString, bool>>& boxes, qreal boxWidthMm) {
    std::vector<Cell> cells;
    for (const auto& [caption, ticked] : boxes)
        cells.push_back(Cell::check(caption, ticked, boxWidthMm));
    return std::make_shared<RowBand>(std::move(cells));
}

BandPtr yesNo(const QString& question, const QString& value) {
    return std::make_shared<RowBand>(std::vector<Cell>{
        Cell::label(question), Cell::check(QStringLiteral("Tak"), value == QLatin1String("T"), 18),
        Cell::check(QStringLiteral("Nie"), value == QLatin1String("N"), 18)});
}

void heading(ReportPart& part, const QString& text, const QString& hint) {
    part.add(gap(3));
    auto h = std::make_shared<TextBand>(
        text, TextBand::Options{Style::Heading, false, 0, 0, Qt::AlignLeft});
    h->keepWithNext = true;
    part.add(h);
    if (!hint.isEmpty()) {
        auto line = std::make_shared<TextBand>(
            hint, TextBand::Options{Style::Small, false, 0, 0, Qt::AlignLeft});
        line->keepWithNext = true;
        part.add(line);
    }
}

BandPtr gap(qreal mm) {
    return std::make_shared<SpacerBand>(mm);
}

} // namespace FormBands
