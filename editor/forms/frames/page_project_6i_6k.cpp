// "6&i - 6k": durability, the need of support and the schedule.
#include "editor/forms/frames/frame_registry.h"
#include "editor/forms/frames/frame_rows.h"

namespace editor {

using namespace rows;

namespace {

FrameDescription durability() {
    return {.className = "Tfr_trwalosc_proj",
            .panels = {{.heading = {QStringLiteral("6i. Trwałość Projektu ")},
                        .hints = {kMax4000},
                        .helpTopic = 827010501,
                        .rows = {memo(
                            "e609001", "dsWniosek", "trwalosc_projektu",
                            QStringLiteral("W jaki sposób prowadzone będzie zarządzanie produktami "
                                           "Projektu po zakończeniu jego realizacji?"))}}}};
}

// Five boxes, one letter "A" to "E"; clearing a box stores "False" (cut to the field).
FrameDescription needOfSupport() {
    const char* const captions[] = {
        "1. Zostanie zrealizowany w terminie i zakresie opisanym w niniejszym wniosku",
        "2. Zostanie zrealizowany, ale w ograniczonym zakresie",
        "3. Zostanie zrealizowany, ale w późniejszym terminie",
        "4. Zostanie zrealizowany, ale w ograniczonym zakresie i w późniejszym terminie",
        "5. Nie zostanie zrealizowany w ogóle",
    };
    const char* const names[] = {"e610001", "e610002", "e610003", "e610004", "e610005"};
    const char* const letters[] = {"A", "B", "C", "D", "E"};
    std::vector<ControlRow> rows;
    for (int i = 0; i < 5; ++i)
        rows.push_back(check(names[i], "dsWniosek", "potrzeba_wsparcia",
                             QString::fromUtf8(captions[i]), letters[i], "False"));
    rows.push_back(
        memo("e610006", "dsWniosek", "potrzeba_wsparcia_uzasad", QStringLiteral("Uzasadnienie")));
    return {.className = "Tfr_potrz_uzysk_wsparcia",
            .panels = {{.heading = {QStringLiteral(
                            "6j. Potrzeba uzyskania wsparcia finansowego z Europejskiego "
                            "Funduszu Rozwoju Regionalnego")},
                        .hints = {QStringLiteral(
                                      "Jeśli Projekt nie uzyska wsparcia z Europejskiego Funduszu "
                                      "Rozwoju Regionalnego"),
                                  kMax4000},
                        .helpTopic = 827010502,
                        .rows = rows}}};
}

FrameDescription schedule() {
    const char* const month = "!00 0000;1;_";
    ControlRow stages{
        .name = "e10000113",
        .kind = ControlKind::Grid,
        .table = "dsEtapyRealizacji",
        .label = QStringLiteral("3. Etapy realizacji projektu"),
        .placement = Placement::Above,
        .height = 130,
        .columns = {
            {.field = "Lp", .title = "Lp", .width = 40, .readOnly = true, .hidden = true},
            {.field = "ZAKRES_PRAC", .title = "Nazwa etapu", .width = 300},
            {.field = "TERMIN_ROZP_TMP",
             .title = "Data rozpoczęcia realizacji",
             .width = 170,
             .mask = month,
             .monthCheck = true},
            {.field = "TERMIN_ZAK_TMP",
             .title = "Data zakończenia realizacji",
             .width = 170,
             .mask = month,
             .monthCheck = true},
            {.field = "TERMIN_ROZP",
             .title = "TERMIN_ROZP",
             .width = 80,
             .readOnly = true,
             .hidden = true},
            {.field = "TERMIN_ZAK",
             .title = "TERMIN_ZAK",
             .width = 80,
             .readOnly = true,
             .hidden = true},
        }};
    return {.className = "Tfr_harm_real_proj_topaz_q",
            .panels = {
                {.heading = {QStringLiteral("6k. Harmonogram realizacji projektu")},
                 .hints = {QStringLiteral("Przybliżona data (miesiąc, rok)")},
                 .helpTopic = 827010503,
                 .rows = {
                     monthEdit("e1000111", "harm_rozp_tmp",
                               QStringLiteral("1. Planowany termin rozpoczęcia realizacji "
                                              "projektu")),
                     monthEdit("e1000112", "harm_rzecz_rozp_tmp",
                               QStringLiteral("2. Planowany termin rozpoczęcia rzeczowej "
                                              "realizacji projektu")),
                     stages,
                     navigator("dbnav604003", "dsEtapyRealizacji"),
                     monthEdit("e1000114", "harm_rzecz_zak_tmp",
                               QStringLiteral("4. Planowany termin rzeczowego zakończenia "
                                              "projektu")),
                     monthEdit("e1000115", "harm_fin_zak_tmp",
                               QStringLiteral("5. Planowana data rozliczenia ostatniego "
                                              "kontraktu"),
                               Behaviour::SettlementMonth),
                     monthEdit("e1000116", "harm_okres_rezultat_tmp",
                               QStringLiteral("6. Planowany okres, po którym zostanie osiągnięty "
                                              "zakładany rezultat Projektu")),
                 }}}};
}

} // namespace

std::vector<FrameDescription> durabilityFrames() {
    return {durability(), needOfSupport(), schedule()};
}

} // namespace editor
