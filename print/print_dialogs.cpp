#include "print/print_dialogs.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace {
// A printer keeps its page layout once printing has begun.
constexpr auto kTurn = ReportRenderer::PageTurn::OnPortraitPaper;
} // namespace

void showPrintOutput(PrintDevice device, const TdmDataSets_t& dm, const PrintMarks& marks,
                     QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(kPrintDocumentName);
    printer.setPageSize(QPageSize(QPageSize::A4));
    if (device == PrintDevice::Screen) {
        QPrintPreviewDialog preview(&printer, parent);
        preview.setWindowFlags(preview.windowFlags() & ~Qt::WindowStaysOnTopHint);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&](QPrinter* target) { renderApplication(dm, marks, *target, kTurn); });
        if (auto* view = preview.findChild<QPrintPreviewWidget*>()) {
            view->setZoomMode(QPrintPreviewWidget::CustomZoom);
            view->setZoomFactor(0.85);
        }
        preview.setWindowState(Qt::WindowMaximized);
        preview.exec();
        return;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowFlags(dialog.windowFlags() | Qt::WindowStaysOnTopHint);
    if (dialog.exec() == QDialog::Accepted) renderApplication(dm, marks, printer, kTurn);
}
