#include "editor/window/page_table.h"

namespace editor {

const QList<MainPageSpec>& applicationPages() {
    static const QList<MainPageSpec> pages{
        {QStringLiteral("P&rojekt"),
         {QStringLiteral("&Objaśnienia"), QStringLiteral("&1 - 4"), QStringLiteral("&6 - 6e"),
          QStringLiteral("6&f - 6g"), QStringLiteral("6&i - 6k"), QStringLiteral("6&p - 6s"),
          QStringLiteral("6&t - 6u")}},
        {QStringLiteral("&Beneficjent"),
         {QStringLiteral("&5 - 5a"), QStringLiteral("5&b - 5c"), QStringLiteral("6&h"),
          QStringLiteral("&Oświadczenie beneficjenta")}},
        {QStringLiteral("Wskaź&niki"), {QStringLiteral("6&l")}},
        {QStringLiteral("&Finanse"), {QStringLiteral("6ł - 6&m"), QStringLiteral("6&n - 6o")}},
        {QStringLiteral("Z&ałączniki"), {}},
        {QStringLiteral("&Suma kontr."), {}, true},
    };
    return pages;
}

} // namespace editor
