#include "validation/input_checks.h"

#include "platform/utils/localformats.h"
#include "platform/utils/monthtext.h"
#include "platform/utils/numbertext.h"
#include "validation/decimal_digits.h"

bool CheckKodPoczt(const QString& text) {
    const QString code = text.left(2) + text.mid(3, 3);
    return code.size() == 5 && DecimalDigits::allDigits(code) && !DecimalDigits::allZeros(code);
}

namespace {

bool isEmailCharacter(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || DecimalDigits::isDigit(c) ||
           c == u'@' || c == u'_' || c == u'-' || c == u'.';
}

} // namespace

bool CheckEmail(const QString& text) {
    for (const QChar c : text)
        if (!isEmailCharacter(c)) return false;
    if (text.count(u'@') != 1) return false;
    const qsizetype at = text.indexOf(u'@');
    if (at == 0) return false;
    const QStringView domain = QStringView(text).sliced(at + 1);
    return domain.size() >= 4 && domain.contains(u'.') && !domain.startsWith(u'.') &&
           !domain.last(2).contains(u'.');
}

std::optional<QDate> monthYearFromText(const QString& text) {
    return Utils::monthTextToDate(text);
}

bool hasWholeDateShape(const QString& text) {
    QString shape = text;
    for (QChar& c : shape) {
        if (DecimalDigits::isDigit(c))
            c = u'0';
        else if (c == u'-' || c == u'/')
            c = u'.';
    }
    return shape.isEmpty() || shape == QLatin1String("    .  .  ") ||
           shape == QLatin1String("0000.00.00");
}
