// "6&n - 6o": the sources of finance and the spending profile.
#include "editor/forms/frames/frame_registry.h"
#include "editor/forms/frames/frame_rows.h"

namespace editor {

using namespace rows;

std::vector<FrameDescription> sourcesProfileFrames() {
    return {
        {.className = "Tfr_zr_finans_topaz_q",
         .panels = {{.heading = {QStringLiteral(
                         "6n. Źródła finansowania Projektu - wydatki kwalifikowane w PLN "
                         "(kwoty netto)")},
                     .helpTopic = 615,
                     .rows = {yearGrids(QStringLiteral("Źródła finansowania Projektu"))}}}},
        {.className = "Tfr_profil_wyd_topaz_q",
         .panels = {{.heading = {QStringLiteral(
                         "6o. Profil wydatkowania środków w ramach projektu - wydatki "
                         "kwalifikowane (PLN)* ")},
                     .helpTopic = 827040202,
                     .rows = {yearGrids(QStringLiteral("Profil wydatkowania środków"))}}}},
    };
}

} // namespace editor
