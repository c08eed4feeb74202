#pragma once

#include "print/layout/paginator.h"
#include "print/layout/report_document.h"

class QPagedPaintDevice;
class QPainter;

// Prints a report in two passes: the first lays every part out into pages, so that the
// page count is known; the second paints each page with its header ("-- WYDRUK PRÓBNY --"
// when asked, "Suma kontrolna" and a rule) and footer (a rule and "strona N/M").
class ReportRenderer {
public:
    ReportRenderer(const ReportDocument& document, PageDecoration decoration);

    // How a part of another orientation reaches the device: a PDF takes a new page
    // layout for the page; a printer cannot change it once printing has begun, so the
    // landscape pages are drawn turned on portrait paper.
    enum class PageTurn { NewPageLayout, OnPortraitPaper };

    // Paints onto the device; returns the number of pages, 0 when the device refused to
    // be painted on.
    int render(QPagedPaintDevice& device, PageTurn turn = PageTurn::NewPageLayout);

    // The first pass alone: the pages the report takes on this device.
    std::vector<LaidOutPage> layOut(QPagedPaintDevice& device) const;

private:
    struct Frame {
        QRectF page; // the paintable area, in device units, origin at its top-left corner
        QRectF body;
    };
    Frame frameOf(const PageSetup& setup, const LayoutContext& ctx) const;
    void placeOnPaper(QPainter& painter, const LayoutContext& ctx, const PageSetup& setup) const;
    void paintHeader(QPainter& painter, const LayoutContext& ctx, const Frame& frame) const;
    void paintFooter(QPainter& painter, const LayoutContext& ctx, const Frame& frame, int number,
                     int count) const;

    const ReportDocument& document_;
    PageDecoration decoration_;
};
