#include "print/amount_text.h"

#include "platform/utils/localformats.h"

#include <algorithm>
#include <cmath>

QString amountText(double value) {
    const Utils::LocalFormats& formats = Utils::LocalFormats::standard();
    QString digits = QString::number(std::fabs(value), 'f', 2);
    const qsizetype point = digits.indexOf(u'.');
    QString out = digits.mid(point + 1).prepend(formats.decimalSeparator);
    const QString whole = digits.left(point);
    for (qsizetype i = whole.size(); i > 0; i -= 3) {
        out.prepend(whole.mid(std::max<qsizetype>(0, i - 3), std::min<qsizetype>(3, i)));
        if (i > 3) out.prepend(formats.thousandSeparator);
    }
    // A value that rounds to zero prints without a sign.
    const bool zero =
        std::all_of(out.cbegin(), out.cend(), [](QChar c) { return !c.isDigit() || c == u'0'; });
    if (value < 0 && !zero) out.prepend(u'-');
    return out;
}

QString amountText(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return {};
    if (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty()) return {};
    bool ok = false;
    const double v = value.toDouble(&ok);
    return ok ? amountText(v) : QString();
}
