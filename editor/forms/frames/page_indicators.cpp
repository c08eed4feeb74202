// "6&l": the indicators of the project's aims.
#include "editor/forms/frames/frame_registry.h"
#include "editor/forms/frames/frame_rows.h"

namespace editor {

using namespace rows;

namespace {

constexpr int kIndicatorsTopic = 827030101;

// The impact indicators are not asked in this application type; their grid stays hidden
// so that the findings about them still have a control.
ControlRow impactGrid() {
    return {
        .name = "e612003",
        .kind = ControlKind::Grid,
        .table = "dsOddz",
        .label = QStringLiteral("3. Wskaźniki planowanych oddziaływań"),
        .behaviour = Behaviour::Hidden | Behaviour::StartsDisabled,
        .columns = {
            {.field = "Oddzialywanie", .title = "Wskaźniki planowanych oddziaływań", .width = 300},
            {.field = "Jedn_miary", .title = "jmw", .width = 70}}};
}

} // namespace

std::vector<FrameDescription> indicatorFrames() {
    ControlRow otherEffects =
        memo("e612004", "dsWniosek", "wsk_inne_efekty",
             QStringLiteral("Proszę opisać inne efekty programu, których nie można przedstawić "
                            "za pomocą mierzalnych wskaźników osiągnięć"));
    otherEffects.behaviour = Behaviour::NoLabel;
    return {{.className = "Tfr_wsk_celow_topaz_q",
             .panels = {{.heading = {QStringLiteral("6l. Wskaźniki osiągnięcia celów Projektu ")},
                         .hints = {QStringLiteral(
                             "* Skrót \"jmw.\" oznacza jednostkę miary użytego wskaźnika")},
                         .helpTopic = kIndicatorsTopic,
                         .rows = {yearGrids(QStringLiteral("Wskaźniki osiągnięcia celów Projektu")),
                                  impactGrid()}},
                        {.heading = {QStringLiteral(
                             "Proszę opisać inne efekty programu, których nie można "
                             "przedstawić za pomocą mierzalnych wskaźników osiągnięć")},
                         .hints = {kMax4000},
                         .helpTopic = kIndicatorsTopic,
                         .rows = {otherEffects}}}}};
}

} // namespace editor
