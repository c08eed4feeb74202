// "6ł - 6&m": the kind of project with its profit, and the planned expenditure.
#include "editor/forms/frames/frame_registry.h"
#include "editor/forms/frames/frame_rows.h"

namespace editor {

using namespace rows;

namespace {

// One choice on one field: ticking one box clears the other, clearing the ticked box
// leaves both clear.
ControlRow profitChoice(const char* name, const QString& caption, const char* on,
                        Placement placement) {
    ControlRow box = check(name, "dsWniosek", "typ_projektu", caption, on, "False", placement);
    box.width = 200;
    return box;
}

} // namespace

std::vector<FrameDescription> profitExpenditureFrames() {
    return {
        {.className = "Tfr_typ_proj_kat_zysk_topaz_q",
         .panels = {{.heading = {QStringLiteral("6ł. Typ Projektu")},
                     .hints = {QStringLiteral("* Proszę o zaznaczenie właściwej odpowiedzi")},
                     .helpTopic = 827040101,
                     .rows = {profitChoice("e613001", QStringLiteral("Generujący zysk"), "D",
                                           Placement::NewLine),
                              profitChoice("e613002", QStringLiteral("Nie generujący zysku"), "N",
                                           Placement::Beside),
                              yearGrids(QStringLiteral("Planowany zysk"))}}}},
        {.className = "Tfr_planowane_wydatki_topaz_q",
         .panels = {{.heading = {QStringLiteral("6m. Planowane wydatki w ramach Projektu w PLN")},
                     .helpTopic = 614,
                     .rows = {yearGrids(QStringLiteral("Planowane wydatki"))}}}},
    };
}

} // namespace editor
