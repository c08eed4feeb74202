// "6&t - 6u": public procurement and promotion.
#include "editor/forms/frames/frame_registry.h"
#include "editor/forms/frames/frame_rows.h"

namespace editor {

using namespace rows;

namespace {

FrameDescription procurement() {
    std::vector<ControlRow> block;
    block.push_back(memo("dxDBMemo2", "dsZamPub", "zgod_zam_pub_przedmiot",
                         QStringLiteral("Określenie przedmiotu zamówienia publicznego"), 0, 50));
    block.push_back(lookup("e23200001", "dsZamPub", "lkp_zgod_zam_pub",
                           QStringLiteral("a. Tryb postępowania:")));
    for (ControlRow& r : yesNo("e23200002", "e23200003", "dsZamPub", "zgod_zam_pub_rozp",
                               QStringLiteral("b. Czy procedura została już rozpoczęta?"), nullptr))
        block.push_back(std::move(r));
    block.push_back({.name = "e23200004",
                     .kind = ControlKind::Date,
                     .table = "dsZamPub",
                     .field = "zgod_zam_pub_data_rozp",
                     .label = QStringLiteral("c. Jeśli nie - przybliżona data ogłoszenia "
                                             "postępowania"),
                     .behaviour = Behaviour::DateTextCheck,
                     .width = 140});
    block.push_back({.name = "e23200005",
                     .kind = ControlKind::Date,
                     .table = "dsZamPub",
                     .field = "zgod_zam_pub_data_ogl",
                     .label = QStringLiteral("d. Jeśli tak - data rozpoczęcia postępowania"),
                     .behaviour = Behaviour::DateTextCheck,
                     .width = 140});
    block.push_back({.name = "e23200006",
                     .kind = ControlKind::Edit,
                     .table = "dsZamPub",
                     .field = "zgod_zam_pub_nr_ogl",
                     .label = QStringLiteral("Numer ogłoszenia"),
                     .maxLength = 100});
    return {.className = "Tfr_zam_pub_topaz_q",
            .panels = {{.heading = {QStringLiteral(
                            "6t. Zgodność Projektu z prawodawstwem w zakresie zamówień "
                            "publicznych")},
                        .helpTopic = 620,
                        .rows = {navigator("dbnav608002", "dsZamPub"),
                                 {.name = "DBCtrlGrid",
                                  .kind = ControlKind::RepeatingPanel,
                                  .table = "dsZamPub",
                                  .label = QStringLiteral("Zamówienia publiczne"),
                                  .children = block}}}}};
}

} // namespace

std::vector<FrameDescription> procurementFrames() {
    return {
        procurement(),
        {.className = "Tfr_promocja_proj",
         .panels = {{.heading = {QStringLiteral("6u. Promocja Projektu")},
                     .hints = {kMax4000},
                     .helpTopic = 621,
                     .rows = {[] {
                         ControlRow r = memo("e621001", "dsWniosek", "promocja_projektu",
                                             QStringLiteral("Promocja Projektu"));
                         r.behaviour = Behaviour::NoLabel;
                         return r;
                     }()}}}},
    };
}

} // namespace editor
