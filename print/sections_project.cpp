// The project's description: 6b-6g, and the other bodies, support and schedule: 6h-6k.
#include "print/form_bands.h"
#include "print/layout/row_band.h"
#include "print/layout/stack_band.h"
#include "print/layout/text_band.h"
#include "print/report_sections.h"

using namespace FormBands;
using ReportFonts::Style;

namespace ReportSections {

namespace {
constexpr const char* kW = "dsWniosek";

BandPtr categoryLevel(const ReportData& data, const char* name, const char* code) {
    return std::make_shared<RowBand>(std::vector<Cell>{Cell::label(QStringLiteral("Kod:"), 10),
                                                       Cell::value(data.text("dsKatInt", code), 20),
                                                       Cell::value(data.text("dsKatInt", name))});
}

// One place of 6d: the four levels kept together as one block.
BandPtr place(const ReportData& data, int row) {
    const char* t = "dsLokalizacja";
    std::vector<BandPtr> lines{
        textBand(QStringLiteral("Miejsce %1").arg(row), Style::SmallBold),
        field(QStringLiteral("1. Województwo"), data.text(t, "Lkp_woj", row), 35),
        field(QStringLiteral("2. Powiat"), data.text(t, "Lkp_pow", row), 35),
        field(QStringLiteral("3. Gmina"), data.text(t, "Lkp_gm", row), 35),
        field(QStringLiteral("4. Miejscowość"), data.text(t, "Miejscowosc", row), 35),
        gap(1.5)};
    return std::make_shared<StackBand>(std::move(lines));
}

// One body of 6h.
void body(ReportPart& part, const ReportData& data, int row) {
    const char* t = "dsInstytucje";
    auto caption =
        std::make_shared<TextBand>(QStringLiteral("Podmiot %1").arg(data.text(t, "Lp.", row)),
                                   TextBand::Options{Style::SmallBold, false, 0, 0, Qt::AlignLeft});
    caption->keepWithNext = true;
    part.add(caption);
    part.add(field(QStringLiteral("Nazwa"), data.text(t, "Nazwa", row)));
    part.add(field(QStringLiteral("Forma prawna"), data.text(t, "Lkp_for_pr", row)));
    part.add(fields({{QStringLiteral("Województwo"), data.text(t, "lkp_adr_woj", row)},
                     {QStringLiteral("Powiat"), data.text(t, "lkp_adr_pow", row)},
                     {QStringLiteral("Gmina"), data.text(t, "lkp_adr_gm", row)}}));
    part.add(fields({{QStringLiteral("Miejscowość"), data.text(t, "Adr_miejscowosc", row)},
                     {QStringLiteral("Ulica"), data.text(t, "adr_ulica", row)}}));
    part.add(fields({{QStringLiteral("Nr domu"), data.text(t, "adr_nr", row)},
                     {QStringLiteral("Nr lokalu"), data.text(t, "adr_nr_lok", row)},
                     {QStringLiteral("Kod"), data.text(t, "adr_kod", row)}}));
    part.add(fields({{QStringLiteral("NIP"), data.text(t, "NIP", row)},
                     {QStringLiteral("REGON"), data.text(t, "REGON", row)}}));
    part.add(fields({{QStringLiteral("Nr KRS"), data.text(t, "nr_rej_sad", row)},
                     {QStringLiteral("Nr EDG"), data.text(t, "nr_rej_edg", row)}}));
    part.add(fields({{QStringLiteral("Nr tel."), data.text(t, "nr_tel", row)},
                     {QStringLiteral("Nr faksu"), data.text(t, "nr_fax", row)},
                     {QStringLiteral("E-mail"), data.text(t, "email", row)}}));
    part.add(field(QStringLiteral("Osoba do kontaktów"), data.text(t, "cal_osk_imie_naz", row)));
    memo(part, QStringLiteral("Rola w projekcie"), data.text(t, "rola", row));
    part.add(gap(2));
}

// A phase line of 6k: the trimmed phase name, what the date marks, the date.
BandPtr phaseLine(const QString& phase, const QString& what, const QString& date) {
    return std::make_shared<RowBand>(std::vector<Cell>{Cell::value(phase.trimmed() + what),
                                                       Cell::value(date, 30, Qt::AlignHCenter)});
}
} // namespace

void project(ReportPart& part, const ReportData& data) {
    heading(part, QStringLiteral("6b. Numer i nazwa kategorii interwencji"));
    part.add(std::make_shared<StackBand>(std::vector<BandPtr>{
        categoryLevel(data, "lkp_kat1", "KOD1"), categoryLevel(data, "lkp_kat2", "KOD2"),
        categoryLevel(data, "lkp_kat3", "KOD3")}));

    heading(part, QStringLiteral("6c. Identyfikacja obszaru realizacji Projektu"));
    part.add(checks({{QStringLiteral("Obszar miejski"), data.is(kW, "umiejscowienie", "OM")},
                     {QStringLiteral("Obszar wiejski"), data.is(kW, "umiejscowienie", "OR")},
                     {QStringLiteral("Obszar geograficznie nieokreślony"),
                      data.is(kW, "umiejscowienie", "OGN")}}));

    heading(part, QStringLiteral("6d. Miejsce realizacji Projektu"));
    for (int row = 1; row <= data.rows("dsLokalizacja"); ++row)
        part.add(place(data, row));
    // The whole-country box and its label print only for a project of the whole country.
    if (data.is(kW, "lok_caly_kraj", "T"))
        part.add(checks({{QStringLiteral("Cały kraj"), true}}, 40));

    heading(part, QStringLiteral("6e. Opis, cel i uzasadnienie Projektu"));
    memo(part, QString(), data.text(kW, "opis_projektu"));

    heading(part, QStringLiteral("6f. Powiązanie Projektu z innymi działaniami w ramach "
                                 "programów operacyjnych"));
    part.add(checks(
        {{QStringLiteral("NIE DOTYCZY"), data.is(kW, "powiazania_projektu_nie_dot", "T")}}, 40));
    memo(part, QString(), data.text(kW, "powiazania_projektu"));

    heading(part, QStringLiteral("6g. Informacje na temat innych Projektów zrealizowanych (w "
                                 "ostatnich pięciu latach), bądź realizowanych przez "
                                 "beneficjenta i finansowanych z zewnętrznych środków "
                                 "publicznych."));
    part.add(yesNo(QStringLiteral("Kontrakt wojewódzki"), data.text(kW, "inne_pr_kontr_woj")));
    part.add(yesNo(QStringLiteral("Środki Unii Europejskiej"), data.text(kW, "inne_pr_sr_UE")));
    part.add(yesNo(QStringLiteral("Inne międzynarodowe instytucje finansowe"),
                   data.text(kW, "inne_pr_in_mnar")));
    part.add(yesNo(QStringLiteral("Europejski Fundusz Rozwoju Regionalnego"),
                   data.text(kW, "inne_pr_EFRR")));
    memo(part, QStringLiteral("Opis"), data.text(kW, "inne_pr_opis"));
}

void otherBodies(ReportPart& part, const ReportData& data) {
    heading(part,
            QStringLiteral("6h. Inne podmioty zaangażowane finansowo w realizację Projektu."));
    part.add(yesNo(QStringLiteral("Czy występują inne instytucje zaangażowane w projekt?"),
                   data.text("dsPolaSpec", "CZYWYSTINNEINS")));
    for (int row = 1; row <= data.rows("dsInstytucje"); ++row)
        body(part, data, row);
    memo(part,
         QStringLiteral("Opis współpracy z podmiotami zaangażowanymi finansowo w realizację "
                        "Projektu"),
         data.text("dsPolaSpec", "INNEPODZAANOP"));

    heading(part, QStringLiteral("6i. Trwałość Projektu"));
    memo(part,
         QStringLiteral("W jaki sposób prowadzone będzie zarządzanie produktami Projektu po "
                        "zakończeniu jego realizacji?"),
         data.text(kW, "trwalosc_projektu"));

    heading(part,
            QStringLiteral("6j. Potrzeba uzyskania wsparcia finansowego z Europejskiego "
                           "Funduszu Rozwoju Regionalnego"),
            QStringLiteral("Jeśli Projekt nie uzyska wsparcia z Europejskiego Funduszu Rozwoju "
                           "Regionalnego"));
    const std::pair<const char*, const char*> answers[] = {
        {"A", "1. Zostanie zrealizowany w terminie i zakresie opisanym w niniejszym wniosku"},
        {"B", "2. Zostanie zrealizowany, ale w ograniczonym zakresie"},
        {"C", "3. Zostanie zrealizowany, ale w późniejszym terminie"},
        {"D", "4. Zostanie zrealizowany, ale w ograniczonym zakresie i w późniejszym terminie"},
        {"E", "5. Nie zostanie zrealizowany w ogóle"}};
    for (const auto& [code, caption] : answers)
        part.add(checks({{QString::fromUtf8(caption), data.is(kW, "potrzeba_wsparcia", code)}}));
    memo(part, QStringLiteral("Uzasadnienie"), data.text(kW, "potrzeba_wsparcia_uzasad"));

    heading(part, QStringLiteral("6k. Harmonogram realizacji projektu"),
            QStringLiteral("Przybliżona data (miesiąc, rok)"));
    part.add(field(QStringLiteral("1. Planowany termin rozpoczęcia realizacji projektu"),
                   data.text(kW, "harm_rozp_tmp"), 110));
    part.add(field(QStringLiteral("2. Planowany termin rozpoczęcia rzeczowej realizacji projektu"),
                   data.text(kW, "harm_rzecz_rozp_tmp"), 110));
    part.add(textBand(QStringLiteral("3. Etapy realizacji projektu"), Style::Small));
    const char* t = "dsEtapyRealizacji";
    for (int row = 1; row <= data.rows(t); ++row) {
        const QString phase = data.text(t, "ZAKRES_PRAC", row);
        part.add(phaseLine(phase, QStringLiteral(" - rozpoczęcie realizacji"),
                           data.text(t, "TERMIN_ROZP", row)));
        part.add(phaseLine(phase, QStringLiteral(" - zakończenie realizacji"),
                           data.text(t, "TERMIN_ZAK", row)));
    }
    part.add(field(QStringLiteral("4. Planowany termin rzeczowego zakończenia projektu"),
                   data.text(kW, "harm_rzecz_zak_tmp"), 110));
    part.add(field(QStringLiteral("5. Planowana data rozliczenia ostatniego kontraktu"),
                   data.text(kW, "harm_fin_zak_tmp"), 110));
    part.add(field(QStringLiteral("6. Planowany okres, po którym zostanie osiągnięty zakładany "
                                  "rezultat Projektu"),
                   data.text(kW, "harm_okres_rezultat_tmp"), 110));
}

} // namespace ReportSections
