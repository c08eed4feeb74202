// The title page and the applicant's sections.
#include "print/form_bands.h"
#include "print/layout/row_band.h"
#include "print/layout/text_band.h"
#include "print/report_sections.h"

using namespace FormBands;
using ReportFonts::Style;

namespace ReportSections {

namespace {
constexpr const char* kW = "dsWniosek";
constexpr const char* kB = "dsBeneficjent";

// Name and code of one programme level beside each other.
BandPtr programmeLevel(const ReportData& data, const char* name, const char* code) {
    return std::make_shared<RowBand>(std::vector<Cell>{
        Cell::value(data.text("dsPozWdr", name)), Cell::label(QStringLiteral("Kod:"), 10),
        Cell::value(data.text("dsPozWdr", code), 28)});
}

// The address lines of a person or body; prefix is "", "pod_", "osup_" or "osk_".
void address(ReportPart& part, const ReportData& data, const QString& prefix,
             const char* gminaLookup) {
    auto f = [&](const QString& name) { return data.text(kB, (prefix + name).toLatin1()); };
    auto lookup = [&](const char* name) {
        return data.text(kB, (QStringLiteral("lkp_") + prefix + QLatin1String(name)).toLatin1());
    };
    part.add(fields({{QStringLiteral("Województwo"), lookup("adr_woj")},
                     {QStringLiteral("Powiat"), lookup("adr_pow")}}));
    part.add(fields({{QStringLiteral("Gmina"), data.text(kB, gminaLookup)},
                     {QStringLiteral("Miejscowość"), f(QStringLiteral("adr_miejscowosc"))}}));
    part.add(fields({{QStringLiteral("Ulica"), f(QStringLiteral("adr_ulica"))},
                     {QStringLiteral("Nr domu"), f(QStringLiteral("adr_nr"))},
                     {QStringLiteral("Nr lokalu"), f(QStringLiteral("adr_nr_lok"))},
                     {QStringLiteral("Kod pocztowy"), f(QStringLiteral("adr_kod"))}}));
}

void contact(ReportPart& part, const ReportData& data, const QString& prefix) {
    auto f = [&](const QString& name) { return data.text(kB, (prefix + name).toLatin1()); };
    part.add(fields({{QStringLiteral("Nr telefonu"), f(QStringLiteral("nr_tel"))},
                     {QStringLiteral("Nr faksu"), f(QStringLiteral("nr_fax"))}}));
    part.add(field(QStringLiteral("Adres poczty elektronicznej"), f(QStringLiteral("email"))));
}
} // namespace

void titlePage(ReportPart& part, const ReportData& data) {
    part.add(gap(8));
    part.add(textBand(QStringLiteral("Wniosek o dofinansowanie realizacji Projektu"), Style::Title,
                      Qt::AlignHCenter));
    part.add(textBand(QStringLiteral("ze środków Europejskiego Funduszu Rozwoju Regionalnego"),
                      Style::Heading, Qt::AlignHCenter));
    part.add(gap(4));
    // The three hint lines of the introduction, as the editor shows them.
    for (const QString& hint :
         {QStringLiteral("* Przed wypełnieniem wniosku proszę zapoznać się z dołączoną do "
                         "wniosku instrukcją."),
          QStringLiteral("* Pola oznaczone kolorem szarym wypełnia instytucja przyjmująca "
                         "wniosek."),
          QStringLiteral("* Wniosek należy wypełnić w języku polskim.")})
        part.add(textBand(hint, Style::Small));
    part.add(gap(6));
    part.add(fields({{QStringLiteral("Numer wniosku"), QString()},
                     {QStringLiteral("Data wpłynięcia wniosku"), QString()}}));
    part.add(field(QStringLiteral("Adresat wniosku"), data.text("dsPolaSpec", "ADRESAT_WNIOSKU")));

    heading(part, QStringLiteral("1. Nazwa programu operacyjnego"));
    part.add(programmeLevel(data, "lkp_pwd1", "PWD_KOD_ID1"));
    heading(part, QStringLiteral("2. Numer i nazwa priorytetu programu operacyjnego"));
    part.add(programmeLevel(data, "lkp_pwd2", "PWD_KOD_ID2"));
    heading(part, QStringLiteral("3. Numer i nazwa działania w ramach priorytetu programu "
                                 "operacyjnego"));
    part.add(programmeLevel(data, "lkp_pwd3", "PWD_KOD_ID3"));
    heading(part, QStringLiteral("4. Numer i nazwa poddziałania w ramach priorytetu programu "
                                 "operacyjnego"));
    part.add(checks({{QStringLiteral("NIE DOTYCZY"), data.is(kW, "pwd_nie_dot_4poz", "T")}}));
    part.add(programmeLevel(data, "lkp_pwd4", "PWD_KOD_ID4"));
}

void applicant(ReportPart& part, const ReportData& data) {
    auto start = std::make_shared<SpacerBand>(0);
    start->pageBreakBefore = true;
    part.add(start);
    heading(part, QStringLiteral("5. Beneficjent"));
    part.add(field(QStringLiteral("Nazwa"), data.text(kB, "Nazwa")));
    part.add(field(QStringLiteral("Forma prawna"), data.text(kB, "Lkp_for_pr")));
    address(part, data, QString(), "lkp_adr_gm");
    contact(part, data, QString());
    part.add(fields({{QStringLiteral("NIP"), data.text(kB, "NIP")},
                     {QStringLiteral("REGON"), data.text(kB, "REGON")}}));
    part.add(fields({{QStringLiteral("Nr KRS"), data.text(kB, "nr_rej_sad")},
                     {QStringLiteral("Nr EDG"), data.text(kB, "nr_rej_edg")}}));

    heading(part, QStringLiteral("5a. Dane personalne osoby upoważnionej do podpisania wniosku"));
    part.add(field(QStringLiteral("Imię i nazwisko"), data.text(kB, "cal_osup_imie_naz")));
    part.add(field(QStringLiteral("Stanowisko"), data.text(kB, "osup_rola")));
    part.add(field(QStringLiteral("Seria i numer dowodu osobistego"),
                   data.text(kB, "osup_seria_nr_dowodu")));
    address(part, data, QStringLiteral("osup_"), "lkp_osup_adr_gmina");
    contact(part, data, QStringLiteral("osup_"));
}

void representative(ReportPart& part, const ReportData& data) {
    heading(part, QStringLiteral("5b. Podmiot reprezentujący beneficjenta"));
    part.add(field(QStringLiteral("Nazwa"), data.text(kB, "pod_nazwa")));
    part.add(field(QStringLiteral("Forma prawna"), data.text(kB, "lkp_pod_for_pr")));
    address(part, data, QStringLiteral("pod_"), "lkp_pod_adr_gmina");
    contact(part, data, QStringLiteral("pod_"));
    part.add(fields({{QStringLiteral("NIP"), data.text(kB, "pod_NIP")},
                     {QStringLiteral("REGON"), data.text(kB, "pod_REGON")},
                     {QStringLiteral("PESEL"), data.text(kB, "pod_PESEL")}}));
    part.add(fields({{QStringLiteral("Nr KRS"), data.text(kB, "pod_nr_rej_sad")},
                     {QStringLiteral("Nr EDG"), data.text(kB, "pod_nr_edg")}}));

    heading(part, QStringLiteral("5c. Osoba upoważniona do kontaktów, właściwa w sprawach "
                                 "Projektu"));
    part.add(field(QStringLiteral("Imię i nazwisko"), data.text(kB, "cal_osk_imie_naz")));
    part.add(field(QStringLiteral("Rola w projekcie"), data.text(kB, "osk_rola")));
    contact(part, data, QStringLiteral("osk_"));
    part.add(field(QStringLiteral("Adres do korespondencji"), data.text(kB, "osk_adr_kor")));

    heading(part, QStringLiteral("6. Projekt"));
    memo(part, QStringLiteral("Tytuł Projektu:"), data.text(kW, "tytul_projektu"));
    heading(part, QStringLiteral("6a. Rodzaj Projektu"));
    part.add(checks({{QStringLiteral("Roboty"), data.is(kW, "rodz_proj", "RB")},
                     {QStringLiteral("Usługi"), data.is(kW, "rodz_proj", "S")},
                     {QStringLiteral("Dostawy"), data.is(kW, "rodz_proj", "DS")},
                     {QStringLiteral("Inne"), data.is(kW, "rodz_proj", "IN")}}));
}

} // namespace ReportSections
