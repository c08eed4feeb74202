#pragma once

#include <QString>

// What an input check decides when the user leaves a control: keep the value, or refuse
// it with a message that the editor shows while the text stays in the control (Esc
// restores the stored value).
struct InputVerdict {
    bool accept = true;
    QString message; // empty when accepted

    static InputVerdict accepted() { return {}; }
    static InputVerdict refused(const QString& message) { return {false, message}; }
    bool operator==(const InputVerdict&) const = default;
};

// The texts a postal-code control reports when nothing was typed differ between frames;
// each handler treats only its own as empty.
enum class BlankPostalCode {
    EmptyText,            // ""
    BlankMask,            // "  -   "
    EmptyTextOrBlankMask, // either
};

// NIP of the beneficiary and of its representative: "" and ten blanks are empty.
InputVerdict validateNipInput(const QString& text);
// The NIP check that also names Esc: "", ten blanks and the blank mask "   -   -  -  "
// are empty.
InputVerdict validateNipInputEscHint(const QString& text);

// REGON: "" is empty.
InputVerdict validateRegonInput(const QString& text);
InputVerdict validateRegonInputEscHint(const QString& text);

// PESEL of the representative: "" is empty.
InputVerdict validatePeselInput(const QString& text);

InputVerdict validatePostalCodeInput(const QString& text, BlankPostalCode blank);

// E-mail controls: a text of blanks only is empty; anything else is checked as typed, so a
// leading or trailing blank is refused.
InputVerdict validateEmailInput(const QString& text);
// The same check with the shorter message of the authorised-person frame.
InputVerdict validateEmailInputShort(const QString& text);

// Currency editors and currency columns: the empty text counts as 0; a negative amount,
// or a text that is no amount, is refused.
InputVerdict validateNonNegativeInput(const QString& text);
// The same rule on the value a currency editor already holds.
InputVerdict validateNonNegativeValue(double value);

// Month inputs of the schedule ("MM YYYY"); nothing counts as empty.
InputVerdict validateMonthYearInput(const QString& text);

// Controls whose handler accepts every value.
InputVerdict acceptAnyInput(const QString& text);

// The date editors' input check, run on the typed text before the editor converts it:
// raises the editor's error flag for a partial date. It only ever sets the flag, so an
// error that the editor raised itself is never cleared.
void DataEditValidateDate(const QString& text, bool& error);
