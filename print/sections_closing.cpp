// Policies and public aid (6p-6s), procurement and promotion (6t, 6u), the list of
// attachments and the applicant's statement.
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

struct Attachment {
    const char* stem;
    const char* caption;
};

const Attachment kAttachments[] = {
    {"ZALBIZPL", "1. Biznes plan / Studium wykonalności"},
    {"ZALOCSROD", "2. Ocena oddziaływania na środowisko"},
    {"ZALPOZBUD", "3. Decyzja zawierająca pozwolenie na budowę (jeżeli została wydana)"},
    {"ZALWARZAB", "4. Decyzja o warunkach zabudowy i zagospodarowania terenu oraz Decyzja o "
                  "ustaleniu lokalizacji"},
    {"ZALDYSPGR", "5. Udokumentowanie prawa do dysponowania gruntem lub obiektami, wypis z "
                  "księgi wieczystej"},
    {"ZALDYSPOBTOW", "6. Udokumentowanie prawa do dysponowania obiektami, w których zostaną "
                     "zamontowane lub będą wykorzystywane zakupione w ramach Projektu towary"},
    {"ZALMAPY", "7. Mapy, szkice lokalizacyjne"},
    {"ZALDOKTECH", "8. Dokumentacja techniczna"},
    {"ZALWSPOLFIN", "9. Poświadczenia o współfinansowaniu Projektu"},
    {"ZALOCFIN", "10. Poświadczenia oceny finansowej beneficjenta"},
    {"ZALBIL", "11. Bilans za ostatnie trzy lata (potwierdzony przez głównego księgowego lub "
               "biegłego rewidenta)"},
    {"ZALRZS", "12. Rachunek zysków i strat za ostatnie trzy lata (potwierdzony przez głównego "
               "księgowego lub biegłego rewidenta)"},
    {"ZALINSZAK", "13. Oświadczenie instytucji odpowiedzialnej za funkcjonowanie Projektu po "
                  "jego zakończeniu o zachowaniu celów Projektu zgodnych z wnioskiem w ciągu 5 "
                  "lat po zakończeniu realizacji Projektu (tylko jeśli własność Projektu "
                  "zostanie przekazana na rzecz innego niż beneficjent podmiotu)"},
    {"ZALWYPKRS", "14. Wypis z Krajowego Rejestru Sądowego albo Ewidencji Działalności "
                  "Gospodarczej"},
    {"ZALKOPUM", "15. Kopia zawartej umowy (porozumienia lub innego dokumentu) określająca role "
                 "w realizacji Projektu, wzajemne zobowiązania stron, odpowiedzialność wobec "
                 "Dysponenta środków unijnych"},
    {"ZALBMOPV", "16. Oświadczenie beneficjenta o braku możliwości odliczenia podatku VAT w "
                 "związku z planowaną inwestycją wraz z Zaświadczeniem z Urzędu Skarbowego (w "
                 "przypadku zaliczenia Podatku VAT do wydatków kwalifikowanych)"},
    {"ZALOSWBENKONTR", "17. Oświadczenie beneficjenta o zgodzie na poddanie się kontroli w "
                       "oparciu o wniosek o dofinansowanie"},
    {"ZALOPISWDRPROJ", "18. Opis wdrażania projektu"},
    {"ZALSCHPRZEPLSROD", "19. Schemat przepływu środków finansowych u beneficjenta końcowego "
                         "wraz z opisem"},
    {"ZALINDOK", "20. Inne dokumenty załączone"},
    {"ZALZAKZAD", "21. Zakres zadań (usługi) / specyfikacja techniczna (dostawy) wraz z "
                  "warunkami zamówienia"},
};

constexpr qreal kAnswerMm = 16;
const char* const kAnswerSuffixes[] = {"RT", "DT", "UT", "N", "ND"};

BandPtr attachmentHeader() {
    std::vector<Cell> cells{Cell::label(QString())};
    for (const char* caption : {"TAK: Roboty", "Dostawy", "Usługi", "NIE", "NIE DOTYCZY"})
        cells.push_back(Cell::label(QString::fromUtf8(caption), kAnswerMm, Style::SmallBold));
    auto band = std::make_shared<RowBand>(std::move(cells));
    band->keepWithNext = true;
    return band;
}

BandPtr attachmentRow(const ReportData& data, const Attachment& a, const BandPtr& header) {
    std::vector<Cell> cells{
        Cell::value(QString::fromUtf8(a.caption), 0, Qt::AlignLeft, Style::Small)};
    for (const char* suffix : kAnswerSuffixes) {
        const QByteArray field = QByteArray(a.stem) + suffix;
        Cell box = Cell::check(QString(), data.is("dsPolaSpec", field.constData(), "T"), kAnswerMm);
        cells.push_back(box);
    }
    auto band = std::make_shared<RowBand>(std::move(cells));
    band->repeatHeader = header;
    return band;
}
} // namespace

void policies(ReportPart& part, const ReportData& data) {
    heading(part, QStringLiteral("6p. Zgodność Projektu z polityką ochrony środowiska"));
    part.add(field(QStringLiteral("Odpowiedź"), data.text(kW, "lkp_zgod_srod"), 30));
    memo(part, QStringLiteral("Uzasadnienie"), data.text(kW, "zgod_srod_uzasad"));

    heading(part, QStringLiteral("6r. Zgodność Projektu z polityką równych szans"));
    part.add(field(QStringLiteral("Odpowiedź"), data.text(kW, "lkp_zgod_row_szans"), 30));
    memo(part, QStringLiteral("Uzasadnienie"), data.text(kW, "zgod_row_szans_uzasad"));

    heading(part, QStringLiteral("6s. Zgodność Projektu z prawodawstwem z zakresu pomocy "
                                 "publicznej"));
    part.add(
        checks({{QStringLiteral("NIE DOTYCZY"), data.is(kW, "zgod_pom_pub_nie_dot", "T")}}, 40));
    part.add(yesNo(QStringLiteral("Beneficjent korzystał w okresie ostatnich trzech lat z pomocy "
                                  "publicznej w rozumieniu art. 87 ust. 1 Traktatu "
                                  "Ustanawiającego Wspólnotę Europejską"),
                   data.text(kW, "zgod_pom_pub_korzystal")));
    const char* t = "dsPomocPub";
    if (data.rows(t) > 0)
        part.add(textBand(
            QStringLiteral("Jeśli odpowiedź brzmi \"Tak\", proszę podać następujące informacje:"),
            Style::Small));
    // One block per aid, kept whole on one page; the editor has no "Źródło pomocy" field,
    // so the paper has none either.
    for (int row = 1; row <= data.rows(t); ++row)
        part.add(std::make_shared<StackBand>(std::vector<BandPtr>{
            fields({{QStringLiteral("Lp."), data.text(t, "Lp.", row)},
                    {QStringLiteral("Data udzielenia"), data.text(t, "Data_udz_pom", row)},
                    {QStringLiteral("Kwota (PLN)"), data.text(t, "Kwota_pomocy", row)}}),
            field(QStringLiteral("Tytuł pomocy"), data.text(t, "Tytul_pomocy", row), 30),
            gap(1.5)}));
}

void procurement(ReportPart& part, const ReportData& data) {
    heading(part, QStringLiteral("6t. Zgodność Projektu z prawodawstwem w zakresie zamówień "
                                 "publicznych"));
    const char* t = "dsZamPub";
    for (int row = 1; row <= data.rows(t); ++row) {
        memo(part, QStringLiteral("Określenie przedmiotu zamówienia publicznego"),
             data.text(t, "zgod_zam_pub_przedmiot", row));
        part.add(field(QStringLiteral("a. Tryb postępowania:"),
                       data.text(t, "lkp_zgod_zam_pub", row), 60));
        part.add(yesNo(QStringLiteral("b. Czy procedura została już rozpoczęta?"),
                       data.text(t, "zgod_zam_pub_rozp", row)));
        part.add(field(QStringLiteral("c. Przybliżona data ogłoszenia"),
                       data.text(t, "zgod_zam_pub_data_rozp", row), 60));
        part.add(fields(
            {{QStringLiteral("d. Data ogłoszenia"), data.text(t, "zgod_zam_pub_data_ogl", row)},
             {QStringLiteral("Numer ogłoszenia"), data.text(t, "zgod_zam_pub_nr_ogl", row)}}));
        part.add(gap(2));
    }
    memo(part, QStringLiteral("2. Zamówienia o wartości poniżej 6000 euro"),
         data.text("dsPolaSpec", "ZAMPON6000EURO"));

    heading(part, QStringLiteral("6u. Promocja Projektu"));
    memo(part, QString(), data.text(kW, "promocja_projektu"));
}

void attachments(ReportPart& part, const ReportData& data) {
    heading(part, QStringLiteral("Lista załączników"));
    const BandPtr header = attachmentHeader();
    part.add(header);
    for (const Attachment& a : kAttachments)
        part.add(attachmentRow(data, a, header));
    memo(part, QStringLiteral("Inne dokumenty"), data.text("dsPolaSpec", "ZALWYKINNEDOK"));
}

void statement(ReportPart& part, const ReportData& data) {
    const char* b = "dsBeneficjent";
    heading(part, QStringLiteral("Oświadczenie beneficjenta"));
    part.add(textBand(QStringLiteral("Oświadczam, że informacje zawarte w niniejszym wniosku "
                                     "są zgodne z prawdą.")));
    part.add(gap(3));
    part.add(field(QStringLiteral("Imię"), data.text(b, "bk_imie"), 40));
    part.add(field(QStringLiteral("Nazwisko"), data.text(b, "bk_nazwisko"), 40));
    part.add(field(QStringLiteral("Zajmowane stanowisko"), data.text(b, "bk_stanowisko"), 40));
    part.add(field(QStringLiteral("Data"), data.text(kW, "osw_ben_data"), 40));
    part.add(std::make_shared<RowBand>(
        std::vector<Cell>{Cell::label(QStringLiteral("Podpis i pieczęć:"), 40), Cell::value({})},
        20));
}

} // namespace ReportSections
