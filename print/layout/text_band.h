#pragma once

#include "print/layout/band.h"
#include "print/layout/report_fonts.h"
#include "print/layout/wrapped_text.h"

#include <QString>

// Text that wraps to the page width: a heading, a hint, or a memo field that stretches
// to its content, framed as a box when it prints a value. Long text continues on the
// next page; each part keeps the frame.
class TextBand : public Band {
public:
    struct Options {
        ReportFonts::Style style = ReportFonts::Style::Body;
        bool framed = false;
        qreal indentMm = 0;
        qreal minHeightMm = 0; // an empty memo box still shows its place
        Qt::Alignment align = Qt::AlignLeft;
    };
    TextBand(QString text, Options options);

    qreal height(const LayoutContext& ctx, qreal width) const override;
    Split split(const LayoutContext& ctx, qreal width, qreal room) const override;
    void paint(QPainter& painter, const LayoutContext& ctx, const QRectF& rect) const override;

    const QString& text() const { return text_; }

private:
    const WrappedText& wrapped(const LayoutContext& ctx, qreal width) const;
    qreal padding(const LayoutContext& ctx) const;
    qreal textWidth(const LayoutContext& ctx, qreal width) const;

    QString text_;
    Options options_;
    mutable qreal cachedWidth_ = -1;
    mutable WrappedText cache_;
};

// A heading band: bold, kept with the band after it.
BandPtr headingBand(const QString& text, ReportFonts::Style style = ReportFonts::Style::Heading);
// A line of text in the given style.
BandPtr textBand(const QString& text, ReportFonts::Style style = ReportFonts::Style::Body,
                 Qt::Alignment align = Qt::AlignLeft);
// A framed memo box with the field's text; empty text prints an empty box.
BandPtr memoBand(const QString& text, qreal minHeightMm = 6);
