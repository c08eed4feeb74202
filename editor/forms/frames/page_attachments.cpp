// "Z&ałączniki": the list of attachments, five answers per attachment.
#include "editor/forms/frames/frame_registry.h"
#include "editor/forms/frames/frame_rows.h"

#include <deque>
#include <iterator>

namespace editor {

using namespace rows;

namespace {

constexpr int kAttachmentsTopic = 827050101;

struct Attachment {
    const char* label;
    const char* stem;
    int fieldOrder; // the attachment's place among the flag fields, from 0
};

// In the order of the paper form; 21 follows the memo.
const Attachment kAttachments[] = {
    {.label = "1. Biznes plan / Studium wykonalności", .stem = "ZALBIZPL", .fieldOrder = 0},
    {.label = "2. Ocena oddziaływania na środowisko", .stem = "ZALOCSROD", .fieldOrder = 1},
    {.label = "3. Decyzja zawierająca pozwolenie na budowę (jeżeli została wydana)",
     .stem = "ZALPOZBUD",
     .fieldOrder = 2},
    {.label = "4. Decyzja o warunkach zabudowy i zagospodarowania terenu oraz Decyzja o ustaleniu "
              "lokalizacji",
     .stem = "ZALWARZAB",
     .fieldOrder = 3},
    {.label = "5. Udokumentowanie prawa do dysponowania gruntem lub obiektami, wypis z księgi "
              "wieczystej",
     .stem = "ZALDYSPGR",
     .fieldOrder = 4},
    {.label =
         "6. Udokumentowanie prawa do dysponowania obiektami, w których zostaną zamontowane lub "
         "będą wykorzystywane zakupione w ramach Projektu towary",
     .stem = "ZALDYSPOBTOW",
     .fieldOrder = 5},
    {.label = "7. Mapy, szkice lokalizacyjne", .stem = "ZALMAPY", .fieldOrder = 6},
    {.label = "8. Dokumentacja techniczna", .stem = "ZALDOKTECH", .fieldOrder = 7},
    {.label = "9. Poświadczenia o współfinansowaniu Projektu",
     .stem = "ZALWSPOLFIN",
     .fieldOrder = 8},
    {.label = "10. Poświadczenia oceny finansowej beneficjenta",
     .stem = "ZALOCFIN",
     .fieldOrder = 9},
    {.label =
         "11. Bilans za ostatnie trzy lata (potwierdzony przez głównego księgowego lub biegłego "
         "rewidenta)",
     .stem = "ZALBIL",
     .fieldOrder = 10},
    {.label = "12. Rachunek zysków i strat za ostatnie trzy lata (potwierdzony przez głównego "
              "księgowego lub biegłego rewidenta)",
     .stem = "ZALRZS",
     .fieldOrder = 11},
    {.label =
         "13. Oświadczenie instytucji odpowiedzialnej za funkcjonowanie Projektu po jego "
         "zakończeniu o zachowaniu celów Projektu zgodnych z wnioskiem w ciągu 5 lat po "
         "zakończeniu realizacji Projektu (tylko jeśli własność Projektu zostanie przekazana na "
         "rzecz innego niż beneficjent podmiotu)",
     .stem = "ZALINSZAK",
     .fieldOrder = 12},
    {.label = "14. Wypis z Krajowego Rejestru Sądowego albo Ewidencji Działalności Gospodarczej ",
     .stem = "ZALWYPKRS",
     .fieldOrder = 13},
    {.label = "15. Kopia zawartej umowy (porozumienia lub innego dokumentu) określająca role w "
              "realizacji Projektu, wzajemne zobowiązania stron, odpowiedzialność wobec Dysponenta "
              "środków unijnych",
     .stem = "ZALKOPUM",
     .fieldOrder = 14},
    {.label =
         "16. Oświadczenie beneficjenta o braku możliwości odliczenia podatku VAT w związku z "
         "planowaną inwestycją wraz z Zaświadczeniem z Urzędu Skarbowego (w przypadku zaliczenia "
         "Podatku VAT do wydatków kwalifikowanych)",
     .stem = "ZALBMOPV",
     .fieldOrder = 17},
    {.label =
         "17. Oświadczenie beneficjenta o zgodzie na poddanie się kontroli w oparciu o wniosek o "
         "dofinansowanie",
     .stem = "ZALOSWBENKONTR",
     .fieldOrder = 18},
    {.label = "18. Opis wdrażania projektu", .stem = "ZALOPISWDRPROJ", .fieldOrder = 19},
    {.label = "19. Schemat przepływu środków finansowych u beneficjenta końcowego wraz z opisem",
     .stem = "ZALSCHPRZEPLSROD",
     .fieldOrder = 20},
    {.label = "20. Inne dokumenty załączone", .stem = "ZALINDOK", .fieldOrder = 15},
    {.label = "21. Zakres zadań (usługi) / specyfikacja techniczna (dostawy) wraz z warunkami "
              "zamówienia ",
     .stem = "ZALZAKZAD",
     .fieldOrder = 16},
};

struct Answer {
    const char* suffix;
    const char* caption;
    int width;
};

const Answer kAnswers[] = {
    {.suffix = "RT", .caption = "Roboty", .width = 80},
    {.suffix = "DT", .caption = "Dostawy", .width = 85},
    {.suffix = "UT", .caption = "Usługi", .width = 80},
    {.suffix = "N", .caption = "NIE", .width = 60},
    {.suffix = "ND", .caption = "NIE DOTYCZY", .width = 120},
};

// Names and field names made up here outlive the frame tables, which point into them.
const char* keep(const QString& text) {
    static std::deque<QByteArray> texts;
    texts.push_back(text.toLatin1());
    return texts.back().constData();
}

// The boxes are numbered five to an attachment in the order of the flag fields; the very
// first one carries the section's own name. The findings of the attachment rules lead to
// these names.
QString boxName(int fieldOrder, int answer) {
    const int number = fieldOrder * 5 + answer;
    return number == 0 ? QStringLiteral("e700011") : QStringLiteral("dxDBCheckEdit%1").arg(number);
}

void addAttachment(std::vector<ControlRow>& rows, const Attachment& a) {
    for (int i = 0; i < 5; ++i) {
        const Answer& answer = kAnswers[i];
        ControlRow box = check(keep(boxName(a.fieldOrder, i)), "dsPolaSpec",
                               keep(QLatin1String(a.stem) + QLatin1String(answer.suffix)),
                               QString::fromUtf8(answer.caption), "T", "N",
                               i == 0 ? Placement::NewLine : Placement::Beside,
                               i == 0 ? QString::fromUtf8(a.label) : QString());
        box.width = answer.width;
        box.behaviour = Behaviour::NoLabel; // the column's word names the box
        rows.push_back(std::move(box));
    }
}

// "TAK:" ends the label column, then one word over each answer's column.
ColumnHeads answerColumns() {
    ColumnHeads heads{.lead = QStringLiteral("TAK:")};
    for (const Answer& answer : kAnswers)
        heads.columns.push_back({.text = QString::fromUtf8(answer.caption), .width = answer.width});
    return heads;
}

} // namespace

std::vector<FrameDescription> attachmentFrames() {
    std::vector<ControlRow> list;
    for (const Attachment& a : kAttachments)
        if (&a != &std::end(kAttachments)[-1]) addAttachment(list, a);
    list.push_back(memo("e700123", "dsPolaSpec", "ZALWYKINNEDOK",
                        QStringLiteral("* Proszę o wyszczególnienie poniżej w tabeli dołączonych "
                                       "dodatkowo dokumentów")));
    std::vector<ControlRow> technicalAssistance;
    addAttachment(technicalAssistance, std::end(kAttachments)[-1]);
    return {{.className = "Tfr_zalaczniki_topaz_q",
             .panels = {{.heading = {QStringLiteral("Lista załączników")},
                         .helpTopic = kAttachmentsTopic,
                         .rows = list,
                         .columnHeads = answerColumns()},
                        {.heading = {QStringLiteral("Dla projektów pomocy technicznej")},
                         .helpTopic = kAttachmentsTopic,
                         .rows = technicalAssistance,
                         .columnHeads = answerColumns()}}}};
}

} // namespace editor
