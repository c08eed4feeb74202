#include "print/application_report.h"

#include "print/layout/report_renderer.h"
#include "print/report_sections.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace {

ReportPart portrait(const QString& name) {
    return ReportPart{name, PageSetup{QPageLayout::Portrait, {10, 15, 10, 15}}, {}};
}

ReportPart landscape(const QString& name) {
    return ReportPart{name, PageSetup{QPageLayout::Landscape, {10, 15, 10, 15}}, {}};
}

} // namespace

ReportDocument buildApplicationReport(const TdmDataSets_t& dm) {
    const ReportData data(dm);
    ReportDocument doc;
    doc.title = kPrintDocumentName;

    ReportPart front = portrait(QStringLiteral("Wniosek"));
    ReportSections::titlePage(front, data);
    ReportSections::applicant(front, data);
    ReportSections::representative(front, data);
    ReportSections::project(front, data);
    ReportSections::otherBodies(front, data);
    ReportSections::indicators(front, data);
    doc.parts.push_back(std::move(front));

    ReportPart expenditure = landscape(QStringLiteral("PlanowaneWydatki"));
    ReportSections::plannedExpenditure(expenditure, data);
    doc.parts.push_back(std::move(expenditure));
    ReportPart sources = landscape(QStringLiteral("ZrodlaFinansowania"));
    ReportSections::sourcesOfFinance(sources, data);
    doc.parts.push_back(std::move(sources));
    ReportPart profile = landscape(QStringLiteral("ProfilWydatkowaniaSrodkow"));
    ReportSections::spendingProfile(profile, data);
    doc.parts.push_back(std::move(profile));

    ReportPart closing = portrait(QStringLiteral("OchronaSrodowiska"));
    ReportSections::policies(closing, data);
    ReportSections::procurement(closing, data);
    ReportSections::attachments(closing, data);
    ReportSections::statement(closing, data);
    doc.parts.push_back(std::move(closing));
    return doc;
}

int renderApplication(const TdmDataSets_t& dm, const PrintMarks& marks, QPagedPaintDevice& device,
                      ReportRenderer::PageTurn turn) {
    const ReportDocument doc = buildApplicationReport(dm);
    ReportRenderer renderer(doc, PageDecoration{marks.trialPrint, marks.checksum});
    return renderer.render(device, turn);
}

bool writeApplicationPdf(const TdmDataSets_t& dm, const PrintMarks& marks, const QString& path,
                         int* pageCount) {
    // Written beside the target and renamed into place: a failed print leaves no half PDF
    // and no old file damaged.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    int pages = 0;
    {
        QPdfWriter writer(&file);
        writer.setTitle(kPrintDocumentName);
        writer.setCreator(QStringLiteral("Zelgor"));
        writer.setResolution(600);
        pages = renderApplication(dm, marks, writer);
    }
    if (pageCount) *pageCount = pages;
    if (pages <= 0 || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
