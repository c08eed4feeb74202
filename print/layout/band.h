#pragma once

#include <QRectF>

#include <memory>

class QPainter;
class QPaintDevice;

// What a band needs to measure and draw itself: the device its text is measured for and
// how many device units make a millimetre. Bands work in device units.
struct LayoutContext {
    QPaintDevice* device = nullptr;
    qreal dotsPerMm = 1;
    qreal mm(qreal millimetres) const { return millimetres * dotsPerMm; }
};

class Band;
using BandPtr = std::shared_ptr<const Band>;

// One horizontal strip of a printed page: a heading, a row of boxes, a stretch of memo
// text. The paginator stacks bands top to bottom and asks a band that does not fit
// whether it can be split at the end of a page.
class Band {
public:
    virtual ~Band() = default;

    // The height the band takes at the given width.
    virtual qreal height(const LayoutContext& ctx, qreal width) const = 0;

    // The part that fits into `room` and the rest. A band that cannot be split, or of
    // which nothing fits, answers with an empty head.
    struct Split {
        BandPtr head;
        BandPtr tail;
    };
    virtual Split split(const LayoutContext& ctx, qreal width, qreal room) const;

    virtual void paint(QPainter& painter, const LayoutContext& ctx, const QRectF& rect) const = 0;

    // A heading keeps with the band after it: it moves to the next page rather than end
    // a page alone.
    bool keepWithNext = false;
    // A table row: the table's header row opens every further page the table fills.
    BandPtr repeatHeader;
    // Starts a new page (within the same page set-up).
    bool pageBreakBefore = false;
};

// Empty space of a fixed height.
class SpacerBand : public Band {
public:
    explicit SpacerBand(qreal heightMm) : heightMm_(heightMm) {}
    qreal height(const LayoutContext& ctx, qreal) const override { return ctx.mm(heightMm_); }
    void paint(QPainter&, const LayoutContext&, const QRectF&) const override {}

private:
    qreal heightMm_;
};
