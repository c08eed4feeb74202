#pragma once

#include "print/layout/band.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QString>

#include <vector>

// Paper, orientation and margins of a part of the report.
struct PageSetup {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{10, 15, 10, 15};

    QPageLayout pageLayout() const;
};

// A run of pages with one page set-up: it starts on a new page and its bands flow from
// page to page.
struct ReportPart {
    QString name;
    PageSetup setup;
    std::vector<BandPtr> bands;

    void add(BandPtr band) { bands.push_back(std::move(band)); }
};

// What every page repeats: the trial-print marker, the checksum and the page number.
struct PageDecoration {
    bool trialPrint = false;
    QString checksum;
};

struct ReportDocument {
    QString title; // the document name the printer and the PDF carry
    std::vector<ReportPart> parts;
};
