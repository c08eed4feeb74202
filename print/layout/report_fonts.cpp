#include "print/layout/report_fonts.h"

namespace ReportFonts {

QFont font(Style style) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    // Without ligatures, so that text read back from the PDF matches what was printed.
    f.setStyleStrategy(QFont::PreferNoShaping);
    switch (style) {
    case Style::Body:
        f.setPointSizeF(9);
        break;
    case Style::Bold:
        f.setPointSizeF(9);
        f.setBold(true);
        break;
    case Style::Heading:
        f.setPointSizeF(10.5);
        f.setBold(true);
        break;
    case Style::Title:
        f.setPointSizeF(15);
        f.setBold(true);
        break;
    case Style::Small:
        f.setPointSizeF(7);
        break;
    case Style::SmallBold:
        f.setPointSizeF(7);
        f.setBold(true);
        break;
    }
    return f;
}

} // namespace ReportFonts
