// "6&n - 6o": the sources of finance and the spending profile.
#include "editor/forms/frames/frame_registry.h"
#include "editor/forms/frames/frame_rows.h"

namespace editor {

using namespace rows;

std::vector<FrameDescription> sourcesProfileFrames() {
    return {
        {"Tfr_zr_finans_topaz_q",
         {{{QStringLiteral("6n. Źródła finansowania Projektu - wydatki kwalifikowane w PLN "
                           "(kwoty netto)")},
           {},
           615,
           {yearGrids(QStringLiteral("Źródła finansowania Projektu"))}}}},
        {"Tfr_profil_wyd_topaz_q",
         {{{QStringLiteral("6o. Profil wydatkowania środków w ramach projektu - wydatki "
                           "kwalifikowane (PLN)* ")},
           {},
           827040202,
           {yearGrids(QStringLiteral("Profil wydatkowania środków"))}}}},
    };
}

} // namespace editor
