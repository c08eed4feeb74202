#pragma once

#include "print/layout/report_document.h"
#include "print/layout/report_renderer.h"

#include <QString>

class QPagedPaintDevice;
class TdmDataSets_t;

// The document name the printer queue and the PDF carry.
inline const QString kPrintDocumentName = QStringLiteral("Zelgor - wydruk wniosku");

// The printed application built from the data module's tables: the portrait sections
// from the title page to 6ł, the landscape money tables 6m, 6n and 6o each on pages of
// their own, then the portrait run from 6p to the statement.
ReportDocument buildApplicationReport(const TdmDataSets_t& dm);

// What the header of every page shows besides the data.
struct PrintMarks {
    bool trialPrint = false; // validation failed: "-- WYDRUK PRÓBNY --" in red
    QString checksum;
};

// Lays the application out and paints it onto any paged device (printer, preview, PDF);
// returns the number of pages, 0 when the device could not be painted on.
// Printers take OnPortraitPaper: they cannot turn the paper within a document.
int renderApplication(const TdmDataSets_t& dm, const PrintMarks& marks, QPagedPaintDevice& device,
                      ReportRenderer::PageTurn turn = ReportRenderer::PageTurn::NewPageLayout);

// Writes the printout to a PDF file; false when the file cannot be written.
bool writeApplicationPdf(const TdmDataSets_t& dm, const PrintMarks& marks, const QString& path,
                         int* pageCount = nullptr);
