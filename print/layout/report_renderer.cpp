#include "print/layout/report_renderer.h"

#include "print/layout/report_fonts.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace {
constexpr qreal kHeaderMm = 10;
constexpr qreal kFooterMm = 8;
// The paper's margins when pages are turned on portrait paper: no page's margin is smaller.
constexpr qreal kPaperMarginMm = 10;

LayoutContext contextFor(QPagedPaintDevice& device) {
    LayoutContext ctx;
    ctx.device = &device;
    ctx.dotsPerMm = device.logicalDpiX() / 25.4;
    return ctx;
}
} // namespace

QPageLayout PageSetup::pageLayout() const {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, marginsMm, QPageLayout::Millimeter);
}

ReportRenderer::ReportRenderer(const ReportDocument& document, PageDecoration decoration)
    : document_(document), decoration_(std::move(decoration)) {}

ReportRenderer::Frame ReportRenderer::frameOf(const PageSetup& setup,
                                              const LayoutContext& ctx) const {
    const QRectF paint = setup.pageLayout().paintRect(QPageLayout::Millimeter);
    Frame f;
    f.page = QRectF(0, 0, ctx.mm(paint.width()), ctx.mm(paint.height()));
    f.body = f.page.adjusted(0, ctx.mm(kHeaderMm), 0, -ctx.mm(kFooterMm));
    return f;
}

std::vector<LaidOutPage> ReportRenderer::layOut(QPagedPaintDevice& device) const {
    const LayoutContext ctx = contextFor(device);
    std::vector<LaidOutPage> pages;
    for (size_t i = 0; i < document_.parts.size(); ++i) {
        const ReportPart& part = document_.parts[i];
        const Frame frame = frameOf(part.setup, ctx);
        std::vector<LaidOutPage> partPages =
            paginate(part.bands, ctx, frame.body.width(), frame.body.height(), i);
        pages.insert(pages.end(), std::make_move_iterator(partPages.begin()),
                     std::make_move_iterator(partPages.end()));
    }
    return pages;
}

int ReportRenderer::render(QPagedPaintDevice& device, PageTurn turn) {
    if (document_.parts.empty()) return 0;
    // Turning pages on portrait paper: the paper keeps narrow margins and every page
    // places its own margins, rotated for landscape parts.
    const QPageLayout paper =
        turn == PageTurn::NewPageLayout
            ? document_.parts.front().setup.pageLayout()
            : QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                          QMarginsF(kPaperMarginMm, kPaperMarginMm, kPaperMarginMm, kPaperMarginMm),
                          QPageLayout::Millimeter);
    device.setPageLayout(paper);
    const LayoutContext ctx = contextFor(device);
    const std::vector<LaidOutPage> pages = layOut(device); // first pass
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    const int count = int(pages.size());
    for (int n = 0; n < count; ++n) {
        const LaidOutPage& page = pages[size_t(n)];
        const PageSetup& setup = document_.parts[page.part].setup;
        if (n > 0) {
            if (turn == PageTurn::NewPageLayout) device.setPageLayout(setup.pageLayout());
            device.newPage();
        }
        painter.resetTransform();
        if (turn == PageTurn::OnPortraitPaper) placeOnPaper(painter, ctx, setup);
        const Frame frame = frameOf(setup, ctx);
        paintHeader(painter, ctx, frame);
        for (const PlacedBand& placed : page.bands) {
            const QRectF rect(frame.body.left(), frame.body.top() + placed.top, frame.body.width(),
                              placed.height);
            painter.save();
            painter.setClipRect(
                rect.adjusted(-ctx.mm(0.5), -ctx.mm(0.5), ctx.mm(0.5), ctx.mm(0.5)));
            placed.band->paint(painter, ctx, rect);
            painter.restore();
        }
        paintFooter(painter, ctx, frame, n + 1, count);
    }
    painter.end();
    return count;
}

void ReportRenderer::placeOnPaper(QPainter& painter, const LayoutContext& ctx,
                                  const PageSetup& setup) const {
    // The painter starts at the paper's paintable corner; move it to the page's corner,
    // turning a landscape page a quarter clockwise, then to the page's own margins.
    const qreal paperWidth = QPageSize(QPageSize::A4).size(QPageSize::Millimeter).width();
    if (setup.orientation == QPageLayout::Landscape) {
        painter.translate(ctx.mm(paperWidth - kPaperMarginMm), ctx.mm(-kPaperMarginMm));
        painter.rotate(90);
    } else {
        painter.translate(ctx.mm(-kPaperMarginMm), ctx.mm(-kPaperMarginMm));
    }
    painter.translate(ctx.mm(setup.marginsMm.left()), ctx.mm(setup.marginsMm.top()));
}

void ReportRenderer::paintHeader(QPainter& painter, const LayoutContext& ctx,
                                 const Frame& frame) const {
    const QRectF line(frame.page.left(), frame.page.top(), frame.page.width(), ctx.mm(6));
    if (decoration_.trialPrint) {
        painter.setFont(ReportFonts::font(ReportFonts::Style::Heading));
        painter.setPen(Qt::red);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("-- WYDRUK PRÓBNY --"));
    }
    painter.setFont(ReportFonts::font(ReportFonts::Style::Body));
    painter.setPen(Qt::black);
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Suma kontrolna: ") + decoration_.checksum);
    painter.setPen(QPen(Qt::black, ctx.mm(0.3)));
    const qreal y = frame.page.top() + ctx.mm(7);
    painter.drawLine(QPointF(frame.page.left(), y), QPointF(frame.page.right(), y));
}

void ReportRenderer::paintFooter(QPainter& painter, const LayoutContext& ctx, const Frame& frame,
                                 int number, int count) const {
    const qreal y = frame.page.bottom() - ctx.mm(kFooterMm) + ctx.mm(1.5);
    painter.setPen(QPen(Qt::black, ctx.mm(0.3)));
    painter.drawLine(QPointF(frame.page.left(), y), QPointF(frame.page.right(), y));
    painter.setFont(ReportFonts::font(ReportFonts::Style::Small));
    painter.setPen(Qt::black);
    const QRectF line(frame.page.left(), y + ctx.mm(0.5), frame.page.width(), ctx.mm(5));
    painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("strona %1/%2").arg(number).arg(count));
}
