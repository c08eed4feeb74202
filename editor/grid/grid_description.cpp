#include "editor/grid/grid_description.h"

#include "platform/utils/amount.h"

namespace editor {

namespace {

GridColumn text(const char* field, const QString& caption, int minWidth = 0) {
    GridColumn c;
    c.field = QString::fromUtf8(field);
    c.caption = caption;
    c.minWidth = minWidth;
    return c;
}

GridColumn hidden(const char* field, const QString& caption = {}) {
    GridColumn c = text(field, caption.isEmpty() ? QString::fromUtf8(field) : caption);
    c.kind = GridColumnKind::Hidden;
    return c;
}

GridColumn amount(const QString& field, const QString& caption, const QString& format) {
    GridColumn c;
    c.field = field;
    c.caption = caption;
    c.kind = GridColumnKind::Amount;
    c.format = format;
    return c;
}

GridColumn readOnlyAmount(const QString& field, const QString& caption, GridColumnKind kind,
                          const QString& format) {
    GridColumn c = amount(field, caption, format);
    c.kind = kind;
    return c;
}

// One amount column per year, captioned with the year; the years up to `limitedUpTo`
// take at most 13 typed characters.
void addYearColumns(YearGridDescription& d, const QString& format, int limitedUpTo) {
    for (int year = kFirstGridYear; year <= kLastGridYear; ++year) {
        GridColumn c = amount(QString::number(year), QString::number(year), format);
        c.year = year;
        if (year <= limitedUpTo) c.maxLength = 13;
        d.columns.push_back(c);
    }
}

// 6l: the indicator text, its unit, the years, the total and the hidden number.
YearGridDescription indicatorGrid(const char* name, const char* dataSet, const char* prefix,
                                  const char* navigator, const char* textField,
                                  const QString& caption) {
    YearGridDescription d;
    d.name = QString::fromUtf8(name);
    d.frameClass = QStringLiteral("Tfr_wsk_celow_topaz_q");
    d.dataSet = QString::fromUtf8(dataSet);
    d.flagPrefix = QString::fromUtf8(prefix);
    d.navigatorName = QString::fromUtf8(navigator);
    d.caption = caption;
    d.columns.push_back(text(textField, caption, 185));
    GridColumn unit = text("Jedn_miary", QStringLiteral("jmw"));
    unit.kind = GridColumnKind::PickText;
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
    d.columns.push_back(readOnlyAmount(QStringLiteral("Razem"), QStringLiteral("RAZEM"),
                                       GridColumnKind::Total, Utils::kAmountPattern));
    d.columns.push_back(hidden("Lp."));
    return d;
}

// 6n and 6o: the source name, a band per year with the amount and its share, and "SUMA".
YearGridDescription financeTree(const char* frameClass, const char* dataSet, const char* prefix,
                                const char* navigator) {
    YearGridDescription d;
    d.name = QStringLiteral("e615001");
    d.frameClass = QString::fromUtf8(frameClass);
    d.dataSet = QString::fromUtf8(dataSet);
    d.flagPrefix = QString::fromUtf8(prefix);
    d.navigatorName = QString::fromUtf8(navigator);
    d.shape = GridShape::Tree;
    d.nameField = QStringLiteral("Zrodlo");
    d.bands.push_back({});
    GridColumn name = text("Zrodlo", QStringLiteral("Źródło"), 330);
    name.band = 0;
    d.columns.push_back(name);
    for (int year = kFirstGridYear; year <= kLastGridYear; ++year) {
        d.bands.push_back({QString::number(year)});
        const int band = int(d.bands.size()) - 1;
        GridColumn value =
            amount(QString::number(year), QStringLiteral("zł"), Utils::kCurrencyPattern);
        value.year = year;
        value.band = band;
        if (year <= kFirstAddableYear) value.maxLength = 13;
        GridColumn share =
            readOnlyAmount(QString::number(year) + QStringLiteral("_pr"), QStringLiteral("%"),
                           GridColumnKind::Percent, Utils::kCurrencyPattern);
        share.year = year;
        share.band = band;
        d.columns.push_back(value);
        d.columns.push_back(share);
    }
    d.bands.push_back({QStringLiteral("SUMA")});
    const int sum = int(d.bands.size()) - 1;
    GridColumn total = readOnlyAmount(QStringLiteral("RAZEM"), QStringLiteral("zł"),
                                      GridColumnKind::Total, Utils::kCurrencyPattern);
    total.band = sum;
    GridColumn totalShare = readOnlyAmount(QStringLiteral("Razem_pr"), QStringLiteral("%"),
                                           GridColumnKind::Percent, Utils::kCurrencyPattern);
    totalShare.band = sum;
    d.columns.push_back(total);
    d.columns.push_back(totalShare);
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
    YearGridDescription d;
    d.name = QStringLiteral("e613003");
    d.frameClass = QStringLiteral("Tfr_typ_proj_kat_zysk_topaz_q");
    d.dataSet = QStringLiteral("dsKatPrzych");
    d.flagPrefix = QStringLiteral("tab6ltyp");
    d.navigatorName = QStringLiteral("dbnav613003");
    d.caption = QStringLiteral("Kategoria zysku");
    d.footer = true;
    d.columns.push_back(text("Kategoria_przychodu", QStringLiteral("Kategoria zysku"), 185));
    addYearColumns(d, Utils::kCurrencyPattern, 0);
    d.columns.push_back(readOnlyAmount(QStringLiteral("Razem"), QStringLiteral("RAZEM"),
                                       GridColumnKind::Total, Utils::kCurrencyPattern));
    d.columns.push_back(hidden("Lp."));
    return d;
}

YearGridDescription profitAfterGrid() {
    YearGridDescription d;
    d.name = QStringLiteral("e613004");
    d.frameClass = QStringLiteral("Tfr_typ_proj_kat_zysk_topaz_q");
    d.dataSet = QStringLiteral("dsKatPrzych");
    d.bands = {{}, {QStringLiteral("Lata")}, {}};
    GridColumn category = text("Kategoria_przychodu", QStringLiteral("Kategoria zysku"), 185);
    category.band = 0;
    d.columns.push_back(category);
    for (int n = 1; n <= 5; ++n) {
        GridColumn c = amount(QStringLiteral("n_%1").arg(n), QStringLiteral("n + %1").arg(n),
                              Utils::kCurrencyPattern);
        c.band = 1;
        d.columns.push_back(c);
    }
    GridColumn total = readOnlyAmount(QStringLiteral("Razem_n"), QStringLiteral("RAZEM"),
                                      GridColumnKind::Total, Utils::kCurrencyPattern);
    total.band = 2;
    d.columns.push_back(total);
    return d;
}

YearGridDescription plannedExpenditureGrid() {
    YearGridDescription d;
    d.name = QStringLiteral("e614001");
    d.frameClass = QStringLiteral("Tfr_planowane_wydatki_topaz_q");
    d.dataSet = QStringLiteral("dsPlanWydatki");
    d.flagPrefix = QStringLiteral("tab6m");
    d.navigatorName = QStringLiteral("DBNavigator5");
    d.caption = QStringLiteral("Kategoria wydatku");
    d.shape = GridShape::Grouped;
    d.footer = true;
    d.columns.push_back(text("Kategoria", QStringLiteral("Kategoria wydatku"), 185));
    addYearColumns(d, Utils::kCurrencyPattern, kLastDesignYear);
    d.columns.push_back(readOnlyAmount(QStringLiteral("RAZEM"), QStringLiteral("RAZEM"),
                                       GridColumnKind::Total, Utils::kCurrencyPattern));
    d.columns.push_back(hidden("Id"));
    d.columns.push_back(hidden("Etap"));
    d.columns.push_back(hidden("clcKwalifikowane", QStringLiteral("Rodzaj")));
    d.groups = {{QStringLiteral("Etap"), QStringLiteral("Etap")},
                {QStringLiteral("clcKwalifikowane"), QStringLiteral("Rodzaj")}};
    return d;
}

YearGridDescription financeSourcesGrid() {
    return financeTree("Tfr_zr_finans_topaz_q", "dsZrodlaFin", "tab6n", "DBNavigator1");
}

YearGridDescription spendingProfileGrid() {
    return financeTree("Tfr_profil_wyd_topaz_q", "dsProfilWyd", "tab6o", "DBNavigator7");
}

} // namespace editor
