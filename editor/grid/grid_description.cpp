#include "editor/grid/grid_description.h"

#include "platform/utils/amount.h"

namespace editor {

namespace {

GridColumn text(const char* field, const QString& caption, int minWidth = 0, int band = -1) {
    return {
        .field = QString::fromUtf8(field), .caption = caption, .minWidth = minWidth, .band = band};
}

GridColumn hidden(const char* field, const QString& caption = {}) {
    return {.field = QString::fromUtf8(field),
            .caption = caption.isEmpty() ? QString::fromUtf8(field) : caption,
            .kind = GridColumnKind::Hidden};
}

// An amount column; the Percent and Total kinds are computed by the data module.
GridColumn amount(const QString& field, const QString& caption, const QString& format,
                  GridColumnKind kind = GridColumnKind::Amount, int band = -1) {
    return {.field = field, .caption = caption, .kind = kind, .format = format, .band = band};
}

// One amount column per year, captioned with the year; the years up to `limitedUpTo`
// take at most 13 typed characters.
void addYearColumns(YearGridDescription& d, const QString& format, int limitedUpTo) {
    for (int year = kFirstGridYear; year <= kLastGridYear; ++year) {
        d.columns.push_back({.field = QString::number(year),
                             .caption = QString::number(year),
                             .kind = GridColumnKind::Amount,
                             .format = format,
                             .year = year,
                             .maxLength = year <= limitedUpTo ? 13 : 0});
    }
}

// 6l: the indicator text, its unit, the years, the total and the hidden number.
YearGridDescription indicatorGrid(const char* name, const char* dataSet, const char* prefix,
                                  const char* navigator, const char* textField,
                                  const QString& caption) {
    YearGridDescription d{.name = QString::fromUtf8(name),
                          .frameClass = QStringLiteral("Tfr_wsk_celow_topaz_q"),
                          .dataSet = QString::fromUtf8(dataSet),
                          .flagPrefix = QString::fromUtf8(prefix),
                          .navigatorName = QString::fromUtf8(navigator),
                          .caption = caption};
    d.columns.push_back(text(textField, caption, 185));
    GridColumn unit{.field = QStringLiteral("Jedn_miary"),
                    .caption = QStringLiteral("jmw"),
                    .kind = GridColumnKind::PickText};
    unit.pickList = {
        QStringLiteral("PLN"),  QStringLiteral("%"),         QStringLiteral("szt."),
        QStringLiteral("ha"),   QStringLiteral("mln EUR"),   QStringLiteral("km"),
        QStringLiteral("min."), QStringLiteral("tys. szt."), QStringLiteral("tys. zł."),
        QStringLiteral("ton"),  QStringLiteral("godz."),     QStringLiteral("m"),
        QStringLiteral("m2"),   QStringLiteral("m3"),        QStringLiteral("kW"),
        QStringLiteral("kg"),   QStringLiteral("ton/rok")};
    unit.pickList.sort();
    d.columns.push_back(unit);
    addYearColumns(d, Utils::kAmountPattern, kLastDesignYear);
    d.columns.push_back(amount(QStringLiteral("Razem"), QStringLiteral("RAZEM"),
                               Utils::kAmountPattern, GridColumnKind::Total));
    d.columns.push_back(hidden("Lp."));
    return d;
}

// 6n and 6o: the source name, a band per year with the amount and its share, and "SUMA".
YearGridDescription financeTree(const char* frameClass, const char* dataSet, const char* prefix,
                                const char* navigator) {
    YearGridDescription d{.name = QStringLiteral("e615001"),
                          .frameClass = QString::fromUtf8(frameClass),
                          .dataSet = QString::fromUtf8(dataSet),
                          .flagPrefix = QString::fromUtf8(prefix),
                          .navigatorName = QString::fromUtf8(navigator),
                          .shape = GridShape::Tree,
                          .nameField = QStringLiteral("Zrodlo")};
    d.bands.push_back({});
    d.columns.push_back(text("Zrodlo", QStringLiteral("Źródło"), 330, 0));
    for (int year = kFirstGridYear; year <= kLastGridYear; ++year) {
        d.bands.push_back({.title = QString::number(year)});
        const int band = int(d.bands.size()) - 1;
        d.columns.push_back({.field = QString::number(year),
                             .caption = QStringLiteral("zł"),
                             .kind = GridColumnKind::Amount,
                             .format = Utils::kCurrencyPattern,
                             .year = year,
                             .maxLength = year <= kFirstAddableYear ? 13 : 0,
                             .band = band});
        d.columns.push_back({.field = QString::number(year) + QStringLiteral("_pr"),
                             .caption = QStringLiteral("%"),
                             .kind = GridColumnKind::Percent,
                             .format = Utils::kCurrencyPattern,
                             .year = year,
                             .band = band});
    }
    d.bands.push_back({.title = QStringLiteral("SUMA")});
    const int sum = int(d.bands.size()) - 1;
    d.columns.push_back(amount(QStringLiteral("RAZEM"), QStringLiteral("zł"),
                               Utils::kCurrencyPattern, GridColumnKind::Total, sum));
    d.columns.push_back(amount(QStringLiteral("Razem_pr"), QStringLiteral("%"),
                               Utils::kCurrencyPattern, GridColumnKind::Percent, sum));
    return d;
}

} // namespace

YearGridDescription productIndicatorGrid() {
    return indicatorGrid("e612001", "dsProdukty", "tab6lprod", "DBNavigator1", "Produkt",
                         QStringLiteral("Wskaźniki planowanych produktów"));
}

YearGridDescription resultIndicatorGrid() {
    return indicatorGrid("e612002", "dsRezultaty", "tab6lrez", "DBNavigator2", "Rezultat",
                         QStringLiteral("Wskaźniki planowanych rezultatów"));
}

YearGridDescription profitCategoryGrid() {
    YearGridDescription d{.name = QStringLiteral("e613003"),
                          .frameClass = QStringLiteral("Tfr_typ_proj_kat_zysk_topaz_q"),
                          .dataSet = QStringLiteral("dsKatPrzych"),
                          .flagPrefix = QStringLiteral("tab6ltyp"),
                          .navigatorName = QStringLiteral("dbnav613003"),
                          .caption = QStringLiteral("Kategoria zysku"),
                          .footer = true};
    d.columns.push_back(text("Kategoria_przychodu", QStringLiteral("Kategoria zysku"), 185));
    addYearColumns(d, Utils::kCurrencyPattern, 0);
    d.columns.push_back(amount(QStringLiteral("Razem"), QStringLiteral("RAZEM"),
                               Utils::kCurrencyPattern, GridColumnKind::Total));
    d.columns.push_back(hidden("Lp."));
    return d;
}

YearGridDescription profitAfterGrid() {
    YearGridDescription d{.name = QStringLiteral("e613004"),
                          .frameClass = QStringLiteral("Tfr_typ_proj_kat_zysk_topaz_q"),
                          .dataSet = QStringLiteral("dsKatPrzych"),
                          .bands = {{}, {.title = QStringLiteral("Lata")}, {}}};
    d.columns.push_back(text("Kategoria_przychodu", QStringLiteral("Kategoria zysku"), 185, 0));
    for (int n = 1; n <= 5; ++n)
        d.columns.push_back(amount(QStringLiteral("n_%1").arg(n), QStringLiteral("n + %1").arg(n),
                                   Utils::kCurrencyPattern, GridColumnKind::Amount, 1));
    d.columns.push_back(amount(QStringLiteral("Razem_n"), QStringLiteral("RAZEM"),
                               Utils::kCurrencyPattern, GridColumnKind::Total, 2));
    return d;
}

YearGridDescription plannedExpenditureGrid() {
    YearGridDescription d{
        .name = QStringLiteral("e614001"),
        .frameClass = QStringLiteral("Tfr_planowane_wydatki_topaz_q"),
        .dataSet = QStringLiteral("dsPlanWydatki"),
        .flagPrefix = QStringLiteral("tab6m"),
        .navigatorName = QStringLiteral("DBNavigator5"),
        .caption = QStringLiteral("Kategoria wydatku"),
        .shape = GridShape::Grouped,
        .footer = true,
        .groups = {
            {.field = QStringLiteral("Etap"), .caption = QStringLiteral("Etap")},
            {.field = QStringLiteral("clcKwalifikowane"), .caption = QStringLiteral("Rodzaj")}}};
    d.columns.push_back(text("Kategoria", QStringLiteral("Kategoria wydatku"), 185));
    addYearColumns(d, Utils::kCurrencyPattern, kLastDesignYear);
    d.columns.push_back(amount(QStringLiteral("RAZEM"), QStringLiteral("RAZEM"),
                               Utils::kCurrencyPattern, GridColumnKind::Total));
    d.columns.push_back(hidden("Id"));
    d.columns.push_back(hidden("Etap"));
    d.columns.push_back(hidden("clcKwalifikowane", QStringLiteral("Rodzaj")));
    return d;
}

YearGridDescription financeSourcesGrid() {
    return financeTree("Tfr_zr_finans_topaz_q", "dsZrodlaFin", "tab6n", "DBNavigator1");
}

YearGridDescription spendingProfileGrid() {
    return financeTree("Tfr_profil_wyd_topaz_q", "dsProfilWyd", "tab6o", "DBNavigator7");
}

} // namespace editor
