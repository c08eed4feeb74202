#pragma once

// What the seeded walker does, and how often: the user's actions with their weights, and
// the texts a user types into each kind of control, valid and invalid. "{...}" is replaced
// by a generated value: a date, an amount, digits, an identifier with a correct check digit.
#include "editor/forms/description/frame_description.h"

#include <QDate>
#include <QRandomGenerator>
#include <QString>

#include <array>
#include <vector>

namespace walker {

enum class Act { Page, Type, Key, Wheel, Click, Cell, Shortcut, Validate, Save };

struct ActionRow {
    Act act;
    int weight;
    const char* name;
};

inline constexpr std::array kActions{
    ActionRow{Act::Page, 6, "strona"},        ActionRow{Act::Type, 30, "pisanie"},
    ActionRow{Act::Key, 14, "klawisz"},       ActionRow{Act::Wheel, 14, "kółko"},
    ActionRow{Act::Click, 14, "kliknięcie"},  ActionRow{Act::Cell, 14, "komórka"},
    ActionRow{Act::Shortcut, 4, "skrót Alt"}, ActionRow{Act::Validate, 2, "Walidacja"},
    ActionRow{Act::Save, 2, "Zapisz"},
};

inline const ActionRow& pickAction(QRandomGenerator& rng) {
    int total = 0;
    for (const ActionRow& a : kActions)
        total += a.weight;
    int n = int(rng.bounded(total));
    for (const ActionRow& a : kActions)
        if ((n -= a.weight) < 0) return a;
    return kActions.back();
}

// Keys pressed on their own: moving on, cancelling, lists and spin boxes, records.
struct KeyRow {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};

inline const std::vector<KeyRow> kKeys{{Qt::Key_Tab, Qt::NoModifier, "Tab"},
                                       {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
                                       {Qt::Key_Escape, Qt::NoModifier, "Esc"},
                                       {Qt::Key_Return, Qt::NoModifier, "Enter"},
                                       {Qt::Key_Down, Qt::NoModifier, "Dół"},
                                       {Qt::Key_Up, Qt::NoModifier, "Góra"},
                                       {Qt::Key_Space, Qt::NoModifier, "Spacja"},
                                       {Qt::Key_Delete, Qt::NoModifier, "Delete"},
                                       {Qt::Key_F2, Qt::NoModifier, "F2"},
                                       {Qt::Key_PageDown, Qt::NoModifier, "PageDown"},
                                       {Qt::Key_Down, Qt::ControlModifier, "Ctrl+Dół"},
                                       {Qt::Key_Up, Qt::ControlModifier, "Ctrl+Góra"}};

// What is typed into a control of each kind; keys-only kinds get an empty list.
struct InputRow {
    editor::ControlKind kind;
    std::vector<const char*> texts;
};

inline const std::vector<InputRow> kInputs{
    {editor::ControlKind::Edit,
     {"{words}", "Zażółć gęślą jaźń", "ŁÓDŹ ŚWIĘTOKRZYSKIE", "  ", "", "{long}", "a;b<c>&\"d\""}},
    {editor::ControlKind::Memo, {"{words}", "Źródło\nśrodków", "{long}", "", "ąęśćńółźż"}},
    {editor::ControlKind::MaskEdit, {"{id}", "{id}", "{digits}", "1234567891", "12a", ""}},
    {editor::ControlKind::Date,
     {"{date}", "{date}", "2007.02.30", "2008.13.01", "20x8", "2008.0", "", "1899.12.31"}},
    {editor::ControlKind::Currency,
     {"{amount}", "{amount}", "0", "-5", "12a", "999999999999999", "0,001", ""}},
    {editor::ControlKind::Spin, {"{year}", "{digits}", "-3", ""}},
    {editor::ControlKind::Lookup, {}},
    {editor::ControlKind::Check, {}},
    {editor::ControlKind::RadioGroup, {}},
};

// Grid cells: amounts, texts, months and dates.
inline const std::vector<const char*> kCellTexts{"{amount}", "{amount}", "-5",      "abc",
                                                 "{words}",  "05 2008",  "13 2008", "{date}"};

// An identifier with a correct check digit, by the weights of its kind (by the field's name).
inline QString identifier(const QString& field, QRandomGenerator& rng) {
    struct Kind {
        const char* name;
        std::vector<int> weights;
        int modulo;
    };
    static const Kind kinds[] = {{"NIP", {6, 5, 7, 2, 3, 4, 5, 6, 7}, 11},
                                 {"REGON", {8, 9, 2, 3, 4, 5, 6, 7}, 11},
                                 {"PESEL", {1, 3, 7, 9, 1, 3, 7, 9, 1, 3}, 10}};
    for (const Kind& k : kinds) {
        if (!field.contains(QLatin1String(k.name), Qt::CaseInsensitive)) continue;
        for (;;) {
            QString digits;
            int sum = 0;
            for (int w : k.weights) {
                const int d = int(rng.bounded(10));
                digits += QChar(u'0' + d);
                sum += d * w;
            }
            int check = k.modulo == 10 ? (10 - sum % 10) % 10 : sum % 11;
            if (check == 10 && k.name[0] == 'N') continue; // no NIP has this sum
            return digits + QChar(u'0' + check % 10);
        }
    }
    return QString::number(rng.bounded(1000000000u));
}

// The text with its "{...}" filled in.
inline QString expand(const char* pattern, const QString& field, QRandomGenerator& rng) {
    static const char* const words[] = {"projekt", "droga", "Gmina", "ulica",  "żółw", "Śląsk",
                                        "budowa",  "123",   "etap",  "moście", "Łódź"};
    QString t = QString::fromUtf8(pattern);
    const auto word = [&] { return QString::fromUtf8(words[rng.bounded(int(std::size(words)))]); };
    if (t == QLatin1String("{words}")) return word() + u' ' + word();
    if (t == QLatin1String("{long}")) return QString(int(rng.bounded(200, 600)), u'x');
    if (t == QLatin1String("{id}")) return identifier(field, rng);
    if (t == QLatin1String("{digits}")) return QString::number(rng.bounded(100000));
    if (t == QLatin1String("{year}")) return QString::number(rng.bounded(2003, 2016));
    if (t == QLatin1String("{amount}"))
        return QString::number(rng.bounded(100000)) + u',' +
               QString::number(rng.bounded(100)).rightJustified(2, u'0');
    if (t == QLatin1String("{date}"))
        return QDate(2004, 1, 1).addDays(rng.bounded(4000)).toString(QStringLiteral("yyyy.MM.dd"));
    return t;
}

} // namespace walker
