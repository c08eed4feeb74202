#pragma once

#include "print/layout/band.h"
#include "print/layout/report_fonts.h"
#include "print/layout/wrapped_text.h"

#include <QString>

#include <vector>

// One box of a row: a label, a framed value, a check box with its caption, or a blank.
struct Cell {
    enum class Kind { Text, Check, Blank };
    Kind kind = Kind::Text;
    QString text;
    qreal widthMm = 0; // 0: an equal share of the width the fixed cells leave
    ReportFonts::Style style = ReportFonts::Style::Body;
    Qt::Alignment align = Qt::AlignLeft;
    bool framed = true;
    bool shaded = false;
    bool checked = false;

    // A caption without a frame.
    static Cell label(const QString& text, qreal widthMm = 0,
                      ReportFonts::Style style = ReportFonts::Style::Small);
    // A framed value.
    static Cell value(const QString& text, qreal widthMm = 0, Qt::Alignment align = Qt::AlignLeft,
                      ReportFonts::Style style = ReportFonts::Style::Body);
    // A check box, ticked or empty, followed by its caption.
    static Cell check(const QString& caption, bool checked, qreal widthMm = 0);
    // Empty space.
    static Cell blank(qreal widthMm);
};

// A row of boxes side by side, as high as its tallest box; the rows of a table and the
// label/value lines of the form sections.
class RowBand : public Band {
public:
    explicit RowBand(std::vector<Cell> cells, qreal minHeightMm = 5.5);

    qreal height(const LayoutContext& ctx, qreal width) const override;
    void paint(QPainter& painter, const LayoutContext& ctx, const QRectF& rect) const override;

    const std::vector<Cell>& cells() const { return cells_; }

private:
    void layOut(const LayoutContext& ctx, qreal width) const;

    std::vector<Cell> cells_;
    qreal minHeightMm_;
    mutable qreal cachedWidth_ = -1;
    mutable std::vector<qreal> widths_;
    mutable std::vector<WrappedText> texts_;
    mutable qreal height_ = 0;
};

// Draws a check box of the given side with its top-left corner at `at`; ticked boxes
// carry an "X".
void drawCheckBox(QPainter& painter, const LayoutContext& ctx, const QPointF& at, qreal side,
                  bool checked);
