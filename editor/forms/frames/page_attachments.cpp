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
    {"1. Biznes plan / Studium wykonalności", "ZALBIZPL", 0},
    {"2. Ocena oddziaływania na środowisko", "ZALOCSROD", 1},
    {"3. Decyzja zawierająca pozwolenie na budowę (jeżeli została wydana)", "ZALPOZBUD", 2},
    {"4. Decyzja o warunkach zabudowy i zagospodarowania terenu oraz Decyzja o ustaleniu "
     "lokalizacji",
     "ZALWARZAB", 3},
    {"5. Udokumentowanie prawa do dysponowania gruntem lub obiektami, wypis z księgi wieczystej",
     "ZALDYSPGR", 4},
    {"6. Udokumentowanie prawa do dysponowania obiektami, w których zostaną zamontowane lub "
     "będą wykorzystywane zakupione w ramach Projektu towary",
     "ZALDYSPOBTOW", 5},
    {"7. Mapy, szkice lokalizacyjne", "ZALMAPY", 6},
    {"8. Dokumentacja techniczna", "ZALDOKTECH", 7},
    {"9. Poświadczenia o współfinansowaniu Projektu", "ZALWSPOLFIN", 8},
    {"10. Poświadczenia oceny finansowej beneficjenta", "ZALOCFIN", 9},
    {"11. Bilans za ostatnie trzy lata (potwierdzony przez głównego księgowego lub biegłego "
     "rewidenta)",
     "ZALBIL", 10},
    {"12. Rachunek zysków i strat za ostatnie trzy lata (potwierdzony przez głównego "
     "księgowego lub biegłego rewidenta)",
     "ZALRZS", 11},
    {"13. Oświadczenie instytucji odpowiedzialnej za funkcjonowanie Projektu po jego "
     "zakończeniu o zachowaniu celów Projektu zgodnych z wnioskiem w ciągu 5 lat po "
     "zakończeniu realizacji Projektu (tylko jeśli własność Projektu zostanie przekazana na "
     "rzecz innego niż beneficjent podmiotu)",
     "ZALINSZAK", 12},
    {"14. Wypis z Krajowego Rejestru Sądowego albo Ewidencji Działalności Gospodarczej ",
     "ZALWYPKRS", 13},
    {"15. Kopia zawartej umowy (porozumienia lub innego dokumentu) określająca role w "
     "realizacji Projektu, wzajemne zobowiązania stron, odpowiedzialność wobec Dysponenta "
     "środków unijnych",
     "ZALKOPUM", 14},
    {"16. Oświadczenie beneficjenta o braku możliwości odliczenia podatku VAT w związku z "
     "planowaną inwestycją wraz z Zaświadczeniem z Urzędu Skarbowego (w przypadku zaliczenia "
     "Podatku VAT do wydatków kwalifikowanych)",
     "ZALBMOPV", 17},
    {"17. Oświadczenie beneficjenta o zgodzie na poddanie się kontroli w oparciu o wniosek o "
     "dofinansowanie",
     "ZALOSWBENKONTR", 18},
    {"18. Opis wdrażania projektu", "ZALOPISWDRPROJ", 19},
    {"19. Schemat przepływu środków finansowych u beneficjenta końcowego wraz z opisem",
     "ZALSCHPRZEPLSROD", 20},
    {"20. Inne dokumenty załączone", "ZALINDOK", 15},
    {"21. Zakres zadań (usługi) / specyfikacja techniczna (dostawy) wraz z warunkami "
     "zamówienia ",
     "ZALZAKZAD", 16},
};

struct Answer {
    const char* suffix;
    const char* caption;
    int width;
};

const Answer kAnswers[] = {
    {"RT", "Roboty", 80}, {"DT", "Dostawy", 85},      {"UT", "Usługi", 80},
    {"N", "NIE", 60},     {"ND", "NIE DOTYCZY", 120},
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
    ColumnHeads heads{QStringLiteral("TAK:"), {}};
    for (const Answer& answer : kAnswers)
        heads.columns.push_back({QString::fromUtf8(answer.caption), answer.width});
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
    return {{"Tfr_zalaczniki_topaz_q",
             {{.heading = {QStringLiteral("Lista załączników")},
               .helpTopic = kAttachmentsTopic,
               .rows = list,
               .columnHeads = answerColumns()},
              {.heading = {QStringLiteral("Dla projektów pomocy technicznej")},
               .helpTopic = kAttachmentsTopic,
               .rows = technicalAssistance,
               .columnHeads = answerColumns()}}}};
}

} // namespace editor
