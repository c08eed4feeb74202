#include "validation/input_handlers.h"

#include "platform/utils/amount.h"
#include "validation/input_checks.h"
#include "validation/nip_reg_pes_valid.h"

#include <initializer_list>

namespace {

const QString kNipBlank = QString(10, u' ');
const QString kNipBlankMask = QStringLiteral("   -   -  -  ");
const QString kPostalCodeBlankMask = QStringLiteral("  -   ");
const QString kNegativeAmount = QStringLiteral("Wprowadzona wartość nie może być ujemna");

InputVerdict verdict(bool valid, const QString& message) {
    return valid ? InputVerdict::accepted() : InputVerdict::refused(message);
}

bool isOneOf(const QString& text, std::initializer_list<QString> empties) {
    for (const QString& e : empties)
        if (text == e) return true;
    return false;
}

} // namespace

InputVerdict validateNipInput(const QString& text) {
    if (isOneOf(text, {QString(), kNipBlank})) return InputVerdict::accepted();
    return verdict(CheckNIP(text), QStringLiteral("NIP nieprawidłowy"));
}

InputVerdict validateNipInputEscHint(const QString& text) {
    if (isOneOf(text, {QString(), kNipBlank, kNipBlankMask})) return InputVerdict::accepted();
    return verdict(CheckNIP(text), QStringLiteral("NIP nieprawidłowy. Użyj ESC żeby anulować"));
}

InputVerdict validateRegonInput(const QString& text) {
    if (text.isEmpty()) return InputVerdict::accepted();
    return verdict(CheckREGON(text), QStringLiteral("REGON nieprawidłowy"));
}

InputVerdict validateRegonInputEscHint(const QString& text) {
    if (text.isEmpty()) return InputVerdict::accepted();
    return verdict(CheckREGON(text), QStringLiteral("REGON nieprawidłowy. Użyj ESC żeby anulować"));
}

InputVerdict validatePeselInput(const QString& text) {
    if (text.isEmpty()) return InputVerdict::accepted();
    return verdict(CheckPESEL(text), QStringLiteral("PESEL nieprawidłowy"));
}

InputVerdict validatePostalCodeInput(const QString& text, BlankPostalCode blank) {
    const bool empty = (text.isEmpty() && blank != BlankPostalCode::BlankMask) ||
                       (text == kPostalCodeBlankMask && blank != BlankPostalCode::EmptyText);
    if (empty) return InputVerdict::accepted();
    return verdict(CheckKodPoczt(text),
                   QStringLiteral("Nieprawidłowa wartość w polu \"kod pocztowy\""));
}

InputVerdict validateEmailInput(const QString& text) {
    if (text.trimmed().isEmpty()) return InputVerdict::accepted();
    return verdict(
        CheckEmail(text),
        QStringLiteral("Nieprawidłowy adres poczty elektronicznej. Użyj ESC żeby anulować"));
}

InputVerdict validateEmailInputShort(const QString& text) {
    if (text.trimmed().isEmpty()) return InputVerdict::accepted();
    return verdict(CheckEmail(text), QStringLiteral("Adres poczty elektronicznej - nieprawidłowy"));
}

InputVerdict validateNonNegativeValue(double value) {
    return verdict(value >= 0, kNegativeAmount);
}

InputVerdict validateNonNegativeInput(const QString& text) {
    const auto amount = Utils::parseAmount(text);
    // A text that is no amount cannot be stored either; it gets the same refusal.
    return amount ? validateNonNegativeValue(*amount) : InputVerdict::refused(kNegativeAmount);
}

InputVerdict validateMonthYearInput(const QString& text) {
    return verdict(monthYearFromText(text).has_value(),
                   QStringLiteral("Nieprawidłowa data (miesiąc/rok)"));
}

InputVerdict acceptAnyInput(const QString&) {
    return InputVerdict::accepted();
}

void DataEditValidateDate(const QString& text, bool& error) {
    if (!hasWholeDateShape(text)) error = true;
}
