// "&Oświadczenie beneficjenta": the statement with the signatory's name in capitals and
// its date.
#include "editor/forms/frames/applicant_rows.h"
#include "editor/forms/frames/frame_registry.h"

namespace editor {

using namespace rows;

std::vector<FrameDescription> statementFrames() {
    ControlRow firstName = edit("e800001", kApplicant, "BK_IMIE", QStringLiteral("Imię *"));
    firstName.behaviour = Behaviour::UpperCaseTyping;
    ControlRow surname = edit("dxDBEdit1", kApplicant, "BK_NAZWISKO", QStringLiteral("Nazwisko *"));
    surname.behaviour = Behaviour::UpperCaseTyping;
    FramePanel panel{
        .heading = {QStringLiteral("Oświadczenie beneficjenta")},
        .hints = {QStringLiteral("Oświadczam, że informacje zawarte w niniejszym wniosku są "
                                 "zgodne z prawdą."),
                  QStringLiteral("* Proszę o użycie liter drukowanych")},
        .helpTopic = 828040201,
        .rows = {
            firstName,
            surname,
            edit("e800002", kApplicant, "bk_stanowisko", QStringLiteral("Zajmowane stanowisko")),
            {.name = "e800003",
             .kind = ControlKind::Date,
             .table = "dsWniosek",
             .field = "osw_ben_data",
             .label = QStringLiteral("Data"),
             .behaviour = Behaviour::DateTextCheck | Behaviour::StatementDate,
             .width = 140},
        }};
    panel.helpButtonHidden = true;
    return {{.className = "Tfr_oswiadczenie_topaz_q", .panels = {panel}}};
}

} // namespace editor
