#pragma once

#include "print/layout/band.h"
#include "print/layout/report_document.h"

#include <QString>

#include <utility>
#include <vector>

// The recurring pieces of the form sections, built from the layout bands.
namespace FormBands {

// "label" beside a framed value.
BandPtr field(const QString& label, const QString& value, qreal labelWidthMm = 48);
// Several label/value pairs on one line, sharing the width equally.
BandPtr fields(const std::vector<std::pair<QString, QString>>& pairs);
// A caption above a framed memo that stretches to its text.
void memo(ReportPart& part, const QString& caption, const QString& text);
// Check boxes side by side, each ticked or empty.
BandPtr checks(const std::vector<std::pair<QString, bool>>& boxes, qreal boxWidthMm = 0);
// A question with a "Tak"/"Nie" pair on one field.
BandPtr yesNo(const QString& question, const QString& value);
// Section heading and an optional hint line.
void heading(ReportPart& part, const QString& text, const QString& hint = QString());
// Vertical space.
BandPtr gap(qreal mm = 2.5);

} // namespace FormBands
