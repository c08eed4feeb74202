#include "print/layout/text_band.h"

#include <QPainter>

#include <algorithm>

TextBand::TextBand(QString text, Options options) : text_(std::move(text)), options_(options) {}

qreal TextBand::padding(const LayoutContext& ctx) const {
    return options_.framed ? ctx.mm(1.2) : ctx.mm(0.4);
}

qreal TextBand::textWidth(const LayoutContext& ctx, qreal width) const {
    return std::max<qreal>(ctx.mm(5), width - ctx.mm(options_.indentMm) - 2 * padding(ctx));
}

const WrappedText& TextBand::wrapped(const LayoutContext& ctx, qreal width) const {
    if (cachedWidth_ != width) {
        cache_ = WrappedText(text_, ReportFonts::font(options_.style), ctx.device,
                             textWidth(ctx, width));
        cachedWidth_ = width;
    }
    return cache_;
}

qreal TextBand::height(const LayoutContext& ctx, qreal width) const {
    return std::max(wrapped(ctx, width).height() + 2 * padding(ctx), ctx.mm(options_.minHeightMm));
}

Band::Split TextBand::split(const LayoutContext& ctx, qreal width, qreal room) const {
    const WrappedText& w = wrapped(ctx, width);
    const int fitting = w.linesFitting(0, room - 2 * padding(ctx));
    const int total = int(w.lines().size());
    if (fitting <= 0 || fitting >= total) return {};
    Options rest = options_;
    rest.minHeightMm = 0;
    Split s;
    s.head = std::make_shared<TextBand>(w.textOf(0, fitting), rest);
    s.tail = std::make_shared<TextBand>(w.textOf(fitting, total - fitting), rest);
    return s;
}

void TextBand::paint(QPainter& painter, const LayoutContext& ctx, const QRectF& rect) const {
    const QRectF box = rect.adjusted(ctx.mm(options_.indentMm), 0, 0, 0);
    if (options_.framed) {
        painter.setPen(QPen(Qt::black, ctx.mm(0.2)));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
    }
    const qreal pad = padding(ctx);
    painter.setPen(Qt::black);
    wrapped(ctx, rect.width())
        .draw(painter, box.topLeft() + QPointF(pad, pad), box.width() - 2 * pad, options_.align);
}

BandPtr headingBand(const QString& text, ReportFonts::Style style) {
    auto band = std::make_shared<TextBand>(text, TextBand::Options{style, false, 0, 0});
    band->keepWithNext = true;
    return band;
}

BandPtr textBand(const QString& text, ReportFonts::Style style, Qt::Alignment align) {
    TextBand::Options options;
    options.style = style;
    options.align = align;
    return std::make_shared<TextBand>(text, options);
}

BandPtr memoBand(const QString& text, qreal minHeightMm) {
    TextBand::Options options;
    options.framed = true;
    options.minHeightMm = minHeightMm;
    return std::make_shared<TextBand>(text, options);
}
