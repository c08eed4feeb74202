#include "print/layout/paginator.h"

#include <algorithm>
#include <deque>

namespace {

// How much of the next band a heading needs below it to stay on the page.
constexpr qreal kKeepWithNextMm = 12;

class PageStack {
public:
    PageStack(std::vector<LaidOutPage>& pages, size_t part, qreal bodyHeight)
        : pages_(pages), part_(part), bodyHeight_(bodyHeight) {
        newPage();
    }

    void newPage() {
        pages_.push_back(LaidOutPage{part_, {}});
        y_ = 0;
        onlyHeader_ = true;
    }
    bool fresh() const { return onlyHeader_; }
    qreal room() const { return bodyHeight_ - y_; }
    void place(const BandPtr& band, qreal height, bool isHeader = false) {
        const qreal h = std::min(height, room());
        pages_.back().bands.push_back({band, y_, h});
        y_ += h;
        if (!isHeader) onlyHeader_ = false;
    }

private:
    std::vector<LaidOutPage>& pages_;
    size_t part_;
    qreal bodyHeight_;
    qreal y_ = 0;
    bool onlyHeader_ = true;
};

} // namespace

std::vector<LaidOutPage> paginate(const std::vector<BandPtr>& bands, const LayoutContext& ctx,
                                  qreal width, qreal bodyHeight, size_t part) {
    std::vector<LaidOutPage> pages;
    PageStack stack(pages, part, bodyHeight);
    std::deque<BandPtr> queue(bands.begin(), bands.end());
    auto openPageFor = [&](const BandPtr& band) {
        stack.newPage();
        if (band->repeatHeader)
            stack.place(band->repeatHeader, band->repeatHeader->height(ctx, width), true);
    };
    while (!queue.empty()) {
        BandPtr band = queue.front();
        queue.pop_front();
        if (band->pageBreakBefore && !stack.fresh()) stack.newPage();
        const qreal h = band->height(ctx, width);
        qreal need = h;
        if (band->keepWithNext && !queue.empty())
            need += std::min(queue.front()->height(ctx, width), ctx.mm(kKeepWithNextMm));
        if (need <= stack.room() || (stack.fresh() && h <= stack.room())) {
            stack.place(band, h);
            continue;
        }
        // It does not fit. Split what can be split, unless a heading would be left alone.
        if (!band->keepWithNext || stack.fresh()) {
            const Band::Split s = band->split(ctx, width, stack.room());
            if (s.head) {
                stack.place(s.head, s.head->height(ctx, width));
                queue.push_front(s.tail);
                stack.newPage();
                continue;
            }
        }
        if (stack.fresh()) { // taller than a page and not splittable: clipped
            stack.place(band, h);
            if (!queue.empty()) openPageFor(queue.front());
            continue;
        }
        openPageFor(band);
        queue.push_front(band);
    }
    return pages;
}
