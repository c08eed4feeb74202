// "&6 - 6e": title, kind, intervention category, area, places and description.
#include "editor/forms/frames/frame_registry.h"
#include "editor/forms/frames/frame_rows.h"

namespace editor {

using namespace rows;

std::vector<FrameDescription> projectFrames() {
    ControlRow title = memo("tytul_projektu", "dsWniosek", "tytul_projektu",
                            QStringLiteral("Tytuł Projektu:"), 160, 50);
    title.behaviour = Behaviour::LimitOnTyping | Behaviour::SingleLine;
    ControlRow description = memo("e605001", "dsWniosek", "opis_projektu",
                                  QStringLiteral("Opis, cel i uzasadnienie Projektu"), 4000, 160);
    description.behaviour = Behaviour::LimitOnTyping | Behaviour::NoLabel;
    ControlRow places{
        .name = "e604003",
        .kind = ControlKind::Grid,
        .table = "dsLokalizacja",
        .label = QStringLiteral("Miejsce realizacji Projektu"),
        .placement = Placement::Above,
        .height = 150,
        .columns = {
            {.field = "Lp.", .title = "Lp.", .width = 40, .readOnly = true},
            {.field = "Lkp_woj", .title = "Województwo", .width = 170},
            {.field = "Lkp_pow",
             .title = "Powiat",
             .width = 170,
             .cascade = {.dictionary = "sl_NUTS3",
                         .keyField = "PARENT_ID",
                         .parentTable = "dsLokalizacja",
                         .parentField = "WOJ_ID"}},
            {.field = "Lkp_gm",
             .title = "Gmina",
             .width = 170,
             .cascade = {.dictionary = "sl_NUTS4",
                         .keyField = "PARENT_ID",
                         .parentTable = "dsLokalizacja",
                         .parentField = "Pow_ID"}},
            {.field = "Miejscowosc", .title = "Miejscowość", .width = 160},
            {.field = "WOJ_ID", .title = "WOJ_ID", .width = 60, .readOnly = true, .hidden = true},
            {.field = "Pow_ID", .title = "Pow_ID", .width = 60, .readOnly = true, .hidden = true},
            {.field = "Gm_ID", .title = "Gm_ID", .width = 60, .readOnly = true, .hidden = true},
            {.field = "JGE_ID", .title = "JGE_ID", .width = 60, .readOnly = true, .hidden = true},
        }};
    return {
        {.className = "Tfr_tytul_proj",
         .panels = {{.heading = {QStringLiteral("6. Projekt")},
                     .hints = {QStringLiteral(
                         "* Proszę o podanie tytułu projektu, którego liczba słów nie "
                         "przekracza 160 znaków.")},
                     .helpTopic = 600,
                     .rows = {title}}}},
        {.className = "Tfr_rodzaj_proj",
         .panels = {{.heading = {QStringLiteral("6a. Rodzaj Projektu")},
                     .hints = {QStringLiteral(
                         "* Proszę o wybranie właściwego dla Państwa rodzaju Projektu")},
                     .helpTopic = 601,
                     .rows = {lookup("e601001", "dsWniosek", "lkp_rodz_projektu",
                                     QStringLiteral("Rodzaj Projektu"))}}}},
        {.className = "Tfr_kat_int_kod_topaz_q",
         .panels = {{.heading = {QStringLiteral("6b. Numer i nazwa kategorii interwencji")},
                     .helpTopic = 602,
                     .rows = {lookup("e602001", "dsKatInt", "lkp_kat1",
                                     QStringLiteral("Kategoria - poziom 1")),
                              code("dxDBEdit1", "dsKatInt", "KOD1"),
                              lookup("dxDBLookupEdit1", "dsKatInt", "lkp_kat2",
                                     QStringLiteral("Kategoria - poziom 2"),
                                     {.dictionary = "sl_INT2",
                                      .keyField = "PARENT_ID",
                                      .parentTable = "dsKatInt",
                                      .parentField = "ID1"}),
                              code("dxDBEdit2", "dsKatInt", "KOD2"),
                              lookup("dxDBLookupEdit2", "dsKatInt", "lkp_kat3",
                                     QStringLiteral("Kategoria - poziom 3"),
                                     {.dictionary = "sl_INT3",
                                      .keyField = "PARENT_ID",
                                      .parentTable = "dsKatInt",
                                      .parentField = "ID2"}),
                              code("dxDBEdit3", "dsKatInt", "KOD3")}}}},
        {.className = "Tfr_umiejscowienie",
         .panels = {{.heading = {QStringLiteral("6c. Identyfikacja obszaru realizacji Projektu")},
                     .hints = {QStringLiteral(
                         "* Proszę o wybranie właściwego dla Państwa obszaru realizacji "
                         "Projektu")},
                     .helpTopic = 603,
                     .rows = {lookup("e603001", "dsWniosek", "lkp_umiejscowienie",
                                     QStringLiteral("Obszar realizacji Projektu"))}}}},
        {.className = "Tfr_lokalizacja",
         .panels = {{.heading = {QStringLiteral("6d. Miejsce realizacji Projektu")},
                     .helpTopic = 604,
                     .rows = {navigator("dbnav604003", "dsLokalizacja",
                                        Behaviour::WholeCountryFlag),
                              places}}}},
        {.className = "Tfr_opis_pr",
         .panels = {{.heading = {QStringLiteral("6e. Opis, cel i uzasadnienie Projektu ")},
                     .hints = {kMax4000},
                     .helpTopic = 605,
                     .rows = {description}}}},
    };
}

} // namespace editor
