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
        {"e607011", "e607012", "inne_pr_kontr_woj", "1. Kontrakty wojewódzkie"},
        {"e607021", "e607022", "inne_pr_sr_UE", "2. Środki Unii Europejskiej"},
        {"e607031", "e607032", "inne_pr_in_mnar", "3. Instytucje międzynarodowe"},
        {"e607041", "e607042", "inne_pr_EFRR", "4. Europejski Fundusz Rozwoju Regionalnego"},
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
        {"Tfr_powiazania_proj",
         {{{QStringLiteral("6f. Powiązanie Projektu z innymi działaniami w ramach programów "
                           "operacyjnych")},
           {kMax4000},
           606,
           {check("e606001", "dsWniosek", "powiazania_projektu_nie_dot",
                  QStringLiteral("NIE DOTYCZY"), "T", "N"),
            links}}}},
        {"Tfr_inne_proj_topaz_q",
         {{{QStringLiteral("6g. Informacje na temat innych Projektów zrealizowanych (w "
                           "ostatnich pięciu latach), bądź realizowanych przez beneficjenta i "
                           "finansowanych z zewnętrznych środków publicznych.")},
           {kMax4000},
           827010402,
           other}}},
    };
}

} // namespace editor
