// "6ł - 6&m": the kind of project with its profit, and the planned expenditure.
#include "editor/forms/frames/frame_registry.h"
#include "editor/forms/frames/frame_rows.h"

namespace editor {

using namespace rows;

std::vector<FrameDescription> profitExpenditureFrames() {
    // One choice on one field: clearing the ticked box leaves both clear.
    return {
        {"Tfr_typ_proj_kat_zysk_topaz_q",
         {{{QStringLiteral("6ł. Typ Projektu")},
           {QStringLiteral("* Proszę o zaznaczenie właściwej odpowiedzi")},
           827040101,
           {check("e613001", "dsWniosek", "typ_projektu", QStringLiteral("Generujący zysk"), "D",
                  "False"),
            check("e613002", "dsWniosek", "typ_projektu", QStringLiteral("Nie generujący zysku"),
                  "N", "False", Placement::Beside),
            yearGrids(QStringLiteral("Planowany zysk"))}}}},
        {"Tfr_planowane_wydatki_topaz_q",
         {{{QStringLiteral("6m. Planowane wydatki w ramach Projektu w PLN")},
           {},
           614,
           {yearGrids(QStringLiteral("Planowane wydatki"))}}}},
    };
}

} // namespace editor
