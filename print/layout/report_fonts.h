#pragma once

#include <QFont>

// The fonts of the printed form: one family with Polish letters in four sizes.
namespace ReportFonts {

enum class Style { Body, Bold, Heading, Title, Small, SmallBold };

QFont font(Style style);

} // namespace ReportFonts
