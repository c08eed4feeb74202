// "6&f - 6g": links with other programmes and other projects of the beneficiary.
#include "editor/forms/frames/frame_registry.h"
#include "editor/forms/frames/frame_rows.h"

namespace editor {

using namespace rows;

std::vector<FrameDescription> linksFrames() {
    ControlRow links = memo("e606002", "dsWniosek", "powiazania_projektu",
                            QStringLiteral("Powiązanie Projektu z innymi działaniami"));
    links.behaviour = Behaviour::NoLabel;
    std::vector<ControlRow> other;
    const struct {
        const char* yes;
        const char* no;
        const char* field;
        const char* question;
    } questions[] = {
        {.yes = "e607011",
         .no = "e607012",
         .field = "inne_pr_kontr_woj",
         .question = "1. Kontrakty wojewódzkie"},
        {.yes = "e607021",
         .no = "e607022",
         .field = "inne_pr_sr_UE",
         .question = "2. Środki Unii Europejskiej"},
        {.yes = "e607031",
         .no = "e607032",
         .field = "inne_pr_in_mnar",
         .question = "3. Instytucje międzynarodowe"},
        {.yes = "e607041",
         .no = "e607042",
         .field = "inne_pr_EFRR",
         .question = "4. Europejski Fundusz Rozwoju Regionalnego"},
    };
    for (const auto& q : questions)
        for (ControlRow& r :
             yesNo(q.yes, q.no, "dsWniosek", q.field, QString::fromUtf8(q.question), nullptr))
            other.push_back(std::move(r));
    ControlRow details = memo("e607005", "dsWniosek", "inne_pr_opis",
                              QStringLiteral("Opis projektów (tytuł, źródło finansowania, "
                                             "wartość, okres realizacji)"));
    details.behaviour = Behaviour::StartsDisabled; // a "Tak" above enables it
    other.push_back(details);
    return {
        {.className = "Tfr_powiazania_proj",
         .panels = {{.heading = {QStringLiteral(
                         "6f. Powiązanie Projektu z innymi działaniami w ramach programów "
                         "operacyjnych")},
                     .hints = {kMax4000},
                     .helpTopic = 606,
                     .rows = {check("e606001", "dsWniosek", "powiazania_projektu_nie_dot",
                                    QStringLiteral("NIE DOTYCZY"), "T", "N"),
                              links}}}},
        {.className = "Tfr_inne_proj_topaz_q",
         .panels = {{.heading = {QStringLiteral(
                         "6g. Informacje na temat innych Projektów zrealizowanych (w "
                         "ostatnich pięciu latach), bądź realizowanych przez beneficjenta i "
                         "finansowanych z zewnętrznych środków publicznych.")},
                     .hints = {kMax4000},
                     .helpTopic = 827010402,
                     .rows = other}}},
    };
}

} // namespace editor
