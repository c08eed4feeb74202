#include "print/layout/row_band.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr qreal kPaddingMm = 0.8;
constexpr qreal kBoxMm = 3.2;
constexpr qreal kBoxGapMm = 1.2;
} // namespace

Cell Cell::label(const QString& text, qreal widthMm, ReportFonts::Style style) {
    Cell c;
    c.text = text;
    c.widthMm = widthMm;
    c.style = style;
    c.framed = false;
    return c;
}

Cell Cell::value(const QString& text, qreal widthMm, Qt::Alignment align,
                 ReportFonts::Style style) {
    Cell c;
    c.text = text;
    c.widthMm = widthMm;
    c.align = align;
    c.style = style;
    return c;
}

Cell Cell::check(const QString& caption, bool checked, qreal widthMm) {
    Cell c;
    c.kind = Kind::Check;
    c.text = caption;
    c.widthMm = widthMm;
    c.framed = false;
    c.checked = checked;
    c.style = ReportFonts::Style::Small;
    return c;
}

Cell Cell::blank(qreal widthMm) {
    Cell c;
    c.kind = Kind::Blank;
    c.widthMm = widthMm;
    c.framed = false;
    return c;
}

RowBand::RowBand(std::vector<Cell> cells, qreal minHeightMm)
    : cells_(std::move(cells)), minHeightMm_(minHeightMm) {}

void RowBand::layOut(const LayoutContext& ctx, qreal width) const {
    if (cachedWidth_ == width) return;
    cachedWidth_ = width;
    qreal fixed = 0;
    int stretching = 0;
    for (const Cell& c : cells_) {
        fixed += ctx.mm(c.widthMm);
        stretching += c.widthMm <= 0;
    }
    const qreal share = stretching ? std::max<qreal>(0, (width - fixed) / stretching) : 0;
    widths_.clear();
    texts_.clear();
    height_ = ctx.mm(minHeightMm_);
    const qreal pad = ctx.mm(kPaddingMm);
    for (const Cell& c : cells_) {
        const qreal w = c.widthMm > 0 ? ctx.mm(c.widthMm) : share;
        widths_.push_back(w);
        qreal textWidth = w - 2 * pad;
        if (c.kind == Cell::Kind::Check) textWidth -= ctx.mm(kBoxMm + kBoxGapMm);
        texts_.emplace_back(c.kind == Cell::Kind::Blank ? QString() : c.text,
                            ReportFonts::font(c.style), ctx.device,
                            std::max<qreal>(ctx.mm(2), textWidth));
        height_ = std::max(height_, texts_.back().height() + 2 * pad);
    }
}

qreal RowBand::height(const LayoutContext& ctx, qreal width) const {
    layOut(ctx, width);
    return height_;
}

void RowBand::paint(QPainter& painter, const LayoutContext& ctx, const QRectF& rect) const {
    layOut(ctx, rect.width());
    const qreal pad = ctx.mm(kPaddingMm);
    qreal x = rect.left();
    for (size_t i = 0; i < cells_.size(); ++i) {
        const Cell& c = cells_[i];
        const QRectF box(x, rect.top(), widths_[i], rect.height());
        x += widths_[i];
        if (c.kind == Cell::Kind::Blank) continue;
        if (c.shaded) painter.fillRect(box, QColor(230, 230, 230));
        if (c.framed) {
            painter.setPen(QPen(Qt::black, ctx.mm(0.2)));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box);
        }
        QPointF textAt = box.topLeft() + QPointF(pad, pad);
        qreal textWidth = box.width() - 2 * pad;
        if (c.kind == Cell::Kind::Check) {
            drawCheckBox(painter, ctx, textAt, ctx.mm(kBoxMm), c.checked);
            textAt.rx() += ctx.mm(kBoxMm + kBoxGapMm);
            textWidth -= ctx.mm(kBoxMm + kBoxGapMm);
        }
        painter.setPen(Qt::black);
        texts_[i].draw(painter, textAt, textWidth, c.align);
    }
}

void drawCheckBox(QPainter& painter, const LayoutContext& ctx, const QPointF& at, qreal side,
                  bool checked) {
    const QRectF box(at, QSizeF(side, side));
    painter.setPen(QPen(Qt::black, ctx.mm(0.25)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    if (!checked) return;
    QFont mark = ReportFonts::font(ReportFonts::Style::SmallBold);
    painter.setFont(mark);
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("X"));
}
