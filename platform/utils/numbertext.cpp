#include "platform/utils/numbertext.h"

#include <QLocale>

#include <cmath>

namespace Utils {

std::optional<double> textToNumber(const QString& text, const LocalFormats& formats) {
    const QChar local = formats.decimalSeparator;
    const QChar foreign = local != u'.' ? u'.' : u',';
    QString s = text.trimmed();
    const qsizetype at = s.indexOf(foreign);
    if (at >= 0) s[at] = local;

    // Map the local form onto the C form; a "." that is not the local separator
    // means the text is no local number.
    if (local != u'.') {
        if (s.contains(u'.')) return std::nullopt;
        s.replace(local, u'.');
    }
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = c.toDouble(s, &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

} // namespace Utils
