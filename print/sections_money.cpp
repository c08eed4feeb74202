// The year tables: indicators and profit (6l, 6ł), planned expenditure (6m), sources of
// finance (6n) and the spending profile (6o).
#include "model/finance_years.h"
#include "platform/dataset/dataset.h"
#include "print/form_bands.h"
#include "print/layout/text_band.h"
#include "print/report_sections.h"
#include "print/year_table.h"

#include <algorithm>
#include <map>

using namespace FormBands;
using ReportFonts::Style;

namespace ReportSections {

namespace {

YearSlotLayout slotsOf(const ReportData& data, const char* family) {
    const FinanceYears::Visibility visibility(data.dm(), QString::fromLatin1(family));
    return layOutYearSlots([&](int year) { return visibility.shown(year); });
}

void addBands(ReportPart& part, const std::vector<BandPtr>& bands) {
    for (const BandPtr& b : bands)
        part.add(b);
}

void indicatorTable(ReportPart& part, const ReportData& data, const char* table,
                    const char* itemField, const QString& caption,
                    const std::vector<std::vector<YearColumn>>& blocks) {
    part.add(headingBand(caption, Style::Bold));
    YearTableSpec spec;
    spec.nameCaption = QStringLiteral("Wskaźnik");
    spec.lpField = QStringLiteral("Lp.");
    spec.unitField = QStringLiteral("Jedn_miary");
    spec.nameWidthMm = 50;
    spec.valueWidthMm = 19.5;
    const DataSet& t = data.table(table);
    addBands(part, yearTableBands(t, spec, blocks, plainLines(t, QString::fromLatin1(itemField))));
}

const YearColumn kIndicatorTotal{QStringLiteral("RAZEM"), QStringLiteral("Razem"), {}};

QString stageName(const ReportData& data, int stage) {
    const char* t = "dsEtapyRealizacji";
    for (int row = 1; row <= data.rows(t); ++row)
        if (data.value(t, "Lp", row).toInt() == stage)
            return QStringLiteral("Etap %1: %2")
                .arg(stage)
                .arg(data.text(t, "ZAKRES_PRAC", row).trimmed());
    return QStringLiteral("Etap %1").arg(stage);
}

// Planned expenditure grouped by stage and, within a stage, qualified rows before the
// others; sums per kind, per stage and overall.
std::vector<YearTableLine> expenditureLines(const ReportData& data) {
    const char* t = "dsPlanWydatki";
    std::map<int, std::map<int, std::vector<int>>> groups; // stage -> kind (0 "T", 1 "N")
    for (int row = 1; row <= data.rows(t); ++row) {
        const int stage = data.value(t, "Etap", row).toInt();
        const int kind = data.is(t, "CZY_KWALIFIKOWANE", "T", row) ? 0 : 1;
        groups[stage][kind].push_back(row);
    }
    std::vector<YearTableLine> lines;
    YearTableLine overall{YearTableLine::Kind::Sum, 0, QStringLiteral("Ogółem wydatki"), {}};
    for (const auto& [stage, kinds] : groups) {
        lines.push_back({YearTableLine::Kind::Caption, 0, stageName(data, stage), {}});
        YearTableLine stageSum{
            YearTableLine::Kind::Sum, 0, QStringLiteral("Razem etap %1").arg(stage), {}};
        for (const auto& [kind, rows] : kinds) {
            const QString kindName = kind == 0 ? QStringLiteral("wydatki kwalifikowane")
                                               : QStringLiteral("wydatki niekwalifikowane");
            for (int row : rows)
                lines.push_back(
                    {YearTableLine::Kind::Row, row, data.text(t, "Kategoria", row), {}});
            lines.push_back(
                {YearTableLine::Kind::Sum, 0, QStringLiteral("Razem ") + kindName, rows});
            stageSum.rows.insert(stageSum.rows.end(), rows.begin(), rows.end());
        }
        overall.rows.insert(overall.rows.end(), stageSum.rows.begin(), stageSum.rows.end());
        lines.push_back(std::move(stageSum));
    }
    lines.push_back(std::move(overall));
    return lines;
}

void financeTree(ReportPart& part, const ReportData& data, const char* table, const char* family) {
    YearTableSpec spec;
    spec.nameCaption = QStringLiteral("Źródło");
    spec.nameWidthMm = 49;
    spec.valueWidthMm = 26;
    spec.percentWidthMm = 12;
    spec.total = {QStringLiteral("Suma"), QStringLiteral("Razem"), QStringLiteral("Razem_pr")};
    const DataSet& t = data.table(table);
    std::vector<YearTableLine> lines = plainLines(t, QStringLiteral("Zrodlo"));
    for (YearTableLine& line : lines)
        line.name = sourceRowName(line.name);
    addBands(part, yearTableBands(t, spec, yearBlocks(slotsOf(data, family), spec.total), lines));
}

} // namespace

QString sourceRowName(const QString& name) {
    if (name.isEmpty()) return name;
    const QChar first = name.front();
    // Only a lower-case ASCII letter differs from its ASCII upper-case form.
    const bool lowerAscii = first >= u'a' && first <= u'z';
    return lowerAscii ? QStringLiteral(" - ") + name : name;
}

void indicators(ReportPart& part, const ReportData& data) {
    heading(part, QStringLiteral("6l. Wskaźniki osiągnięcia celów Projektu"));
    indicatorTable(part, data, "dsProdukty", "Produkt",
                   QStringLiteral("1. Wskaźniki planowanych produktów"),
                   yearBlocks(slotsOf(data, "tab6lprod"), kIndicatorTotal));
    indicatorTable(part, data, "dsRezultaty", "Rezultat",
                   QStringLiteral("2. Wskaźniki planowanych rezultatów"),
                   yearBlocks(slotsOf(data, "tab6lrez"), kIndicatorTotal));
    // The impacts have no year switches of their own: 2004-2008 and the total.
    indicatorTable(part, data, "dsOddz", "Oddzialywanie",
                   QStringLiteral("3. Wskaźniki planowanych odziaływań"),
                   yearBlocks(layOutYearSlots([](int) { return false; }), kIndicatorTotal));

    memo(part,
         QStringLiteral("Inne efekty programu, których nie można przedstawić za pomocą "
                        "wskaźników"),
         data.text("dsWniosek", "wsk_inne_efekty"));

    heading(part, QStringLiteral("6ł. Typ Projektu"));
    part.add(checks(
        {{QStringLiteral("Generujący zysk"), data.is("dsWniosek", "typ_projektu", "D")},
         {QStringLiteral("Nie generujący zysku"), data.is("dsWniosek", "typ_projektu", "N")}}));
    const DataSet& profit = data.table("dsKatPrzych");
    YearTableSpec spec;
    spec.nameCaption = QStringLiteral("Kategoria przychodu");
    spec.lpField = QStringLiteral("Lp.");
    spec.nameWidthMm = 50;
    spec.valueWidthMm = 20;
    spec.total = {QStringLiteral("RAZEM"), QStringLiteral("Razem"), {}};
    std::vector<YearTableLine> lines = plainLines(profit, QStringLiteral("Kategoria_przychodu"));
    lines.push_back(totalLine(profit, QStringLiteral("Razem")));
    part.add(headingBand(
        QStringLiteral("a) Planowany zysk generowany w trakcie realizacji Projektu"), Style::Bold));
    addBands(part, yearTableBands(profit, spec, yearBlocks(slotsOf(data, "tab6ltyp"), spec.total),
                                  lines));
    part.add(headingBand(QStringLiteral("b) Średnioroczny, planowany zysk generowany przez 5 lat "
                                        "po zakończeniu jego realizacji w roku \"n\"."),
                         Style::Bold));
    std::vector<YearColumn> afterYears;
    for (int n = 1; n <= 5; ++n)
        afterYears.push_back({QStringLiteral("n + %1").arg(n), QStringLiteral("n_%1").arg(n), {}});
    afterYears.push_back({QStringLiteral("RAZEM"), QStringLiteral("Razem_n"), {}});
    addBands(part, yearTableBands(profit, spec, {afterYears}, lines));
}

void plannedExpenditure(ReportPart& part, const ReportData& data) {
    heading(part, QStringLiteral("6m. Planowane wydatki w ramach Projektu w PLN"));
    YearTableSpec spec;
    spec.nameCaption = QStringLiteral("Kategoria wydatku");
    spec.nameWidthMm = 97;
    spec.valueWidthMm = 30;
    spec.total = {QStringLiteral("RAZEM"), QStringLiteral("RAZEM"), {}};
    addBands(part, yearTableBands(data.table("dsPlanWydatki"), spec,
                                  yearBlocks(slotsOf(data, "tab6m"), spec.total),
                                  expenditureLines(data)));
}

void sourcesOfFinance(ReportPart& part, const ReportData& data) {
    heading(part, QStringLiteral("6n. Źródła finansowania Projektu - wydatki kwalifikowane w "
                                 "PLN (kwoty netto)"));
    financeTree(part, data, "dsZrodlaFin", "tab6n");
}

void spendingProfile(ReportPart& part, const ReportData& data) {
    heading(part, QStringLiteral("6o. Profil wydatkowania środków w ramach projektu - wydatki "
                                 "kwalifikowane (PLN)"));
    financeTree(part, data, "dsProfilWyd", "tab6o");
}

} // namespace ReportSections
