// "&Objaśnienia": the title of the form and the fields the institution fills in.
#include "editor/forms/frames/frame_registry.h"

namespace editor {

std::vector<FrameDescription> introductionFrames() {
    return {
        {.className = "Tfr_naglowek_mi_2",
         .panels =
             {{.heading = {QStringLiteral("Wniosek o dofinansowanie realizacji Projektu"),
                           QStringLiteral(
                               "ze środków Europejskiego Funduszu Rozwoju Regionalnego")},
               .hints = {QStringLiteral(
                             "* Przed wypełnieniem wniosku proszę zapoznać się z dołączoną do "
                             "wniosku instrukcją."),
                         QStringLiteral(
                             "* Pola oznaczone kolorem szarym wypełnia instytucja przyjmująca "
                             "wniosek."),
                         QStringLiteral("* Wniosek należy wypełnić w języku polskim.")},
               .helpTopic = 827010101,
               .rows =
                   {
                       {.name = "DBEdit1",
                        .kind = ControlKind::Edit,
                        .label = QStringLiteral("Data wpłynięcia wniosku"),
                        .behaviour = Behaviour::Disabled | Behaviour::ReadOnly,
                        .width = 160},
                       {.name = "DBEdit2",
                        .kind = ControlKind::Edit,
                        .label = QStringLiteral("Numer wniosku"),
                        .behaviour = Behaviour::Disabled | Behaviour::ReadOnly,
                        .width = 160},
                       {.name = "dxDBEdit1",
                        .kind = ControlKind::Edit,
                        .table = "dsPolaSpec",
                        .field = "ADRESAT_WNIOSKU",
                        .label = QStringLiteral("Adresat wniosku")},
                   }}}},
    };
}

} // namespace editor
