#pragma once

#include "print/layout/report_document.h"
#include "print/report_data.h"

// The sections of the printed application, each appending its bands to a part, in the
// order of the paper form.
namespace ReportSections {

void titlePage(ReportPart& part, const ReportData& data);          // title, points 1-4
void applicant(ReportPart& part, const ReportData& data);          // 5, 5a
void representative(ReportPart& part, const ReportData& data);     // 5b, 5c, 6, 6a
void project(ReportPart& part, const ReportData& data);            // 6b-6g
void otherBodies(ReportPart& part, const ReportData& data);        // 6h-6k
void indicators(ReportPart& part, const ReportData& data);         // 6l, 6ł
void plannedExpenditure(ReportPart& part, const ReportData& data); // 6m
void sourcesOfFinance(ReportPart& part, const ReportData& data);   // 6n
void spendingProfile(ReportPart& part, const ReportData& data);    // 6o
void policies(ReportPart& part, const ReportData& data);           // 6p, 6r, 6s
void procurement(ReportPart& part, const ReportData& data);        // 6t, 6u
void attachments(ReportPart& part, const ReportData& data);        // list of attachments
void statement(ReportPart& part, const ReportData& data);          // the applicant's statement

// The row name of the finance trees: group rows (first letter an upper-case ASCII
// letter, such as "Publiczne" or "OGÓŁEM") as they are, child rows after " - ".
QString sourceRowName(const QString& name);

} // namespace ReportSections
