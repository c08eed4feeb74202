#pragma once

#include "print/layout/band.h"

#include <vector>

// Bands kept together as one: the two header rows of a table, a block of label lines.
class StackBand : public Band {
public:
    explicit StackBand(std::vector<BandPtr> bands) : bands_(std::move(bands)) {}

    qreal height(const LayoutContext& ctx, qreal width) const override {
        qreal h = 0;
        for (const BandPtr& b : bands_)
            h += b->height(ctx, width);
        return h;
    }
    void paint(QPainter& painter, const LayoutContext& ctx, const QRectF& rect) const override {
        qreal y = rect.top();
        for (const BandPtr& b : bands_) {
            const qreal h = b->height(ctx, rect.width());
            b->paint(painter, ctx, QRectF(rect.left(), y, rect.width(), h));
            y += h;
        }
    }

private:
    std::vector<BandPtr> bands_;
};
