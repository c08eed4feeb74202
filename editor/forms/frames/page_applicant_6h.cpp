// "6&h": other bodies taking part in financing the project, one block per body.
#include "editor/forms/frames/applicant_rows.h"
#include "editor/forms/frames/frame_registry.h"

namespace editor {

using namespace rows;

namespace {

constexpr const char* kBodies = "dsInstytucje";

ControlRow bodyEdit(const char* name, const char* field, const QString& label,
                    Placement placement = Placement::NewLine, int width = 0, int maxLength = 0) {
    return edit(name, kBodies, field, label, placement, width, maxLength);
}

ControlRow bodies() {
    ControlRow role =
        memo("e608030", kBodies, "rola", QStringLiteral("7. Rola w Projekcie"), 0, 60);
    role.placement = Placement::NewLine;
    ControlRow nip =
        maskEdit("dxDBMaskEdit1", kBodies, "NIP", QStringLiteral("9. NIP"), "!0000000000;1;_", 110);
    nip.maxLength = 10;
    ControlRow regon = maskEdit("dxDBMaskEdit2", kBodies, "REGON", QStringLiteral("10. REGON"),
                                "!00000000000000;1;_", 150, Placement::Beside);
    regon.maxLength = 14;
    return {
        .name = "e608002",
        .kind = ControlKind::RepeatingPanel,
        .table = kBodies,
        .label = QStringLiteral("Inne podmioty zaangażowane"),
        .children = {
            {.name = "DBText2",
             .kind = ControlKind::BoundLabel,
             .table = kBodies,
             .field = "Lp.",
             .label = QStringLiteral("Lp.")},
            bodyEdit("e608021", "Nazwa", QStringLiteral("1. Nazwa")),
            lookup("e608026", kBodies, "Lkp_for_pr", QStringLiteral("2. Forma prawna")),
            bodyEdit("e608023", "Adr_miejscowosc", QStringLiteral("3. Adres: miejscowość")),
            bodyEdit("e608022", "adr_ulica", QStringLiteral("Ulica")),
            bodyEdit("e608024", "adr_nr", QStringLiteral("Nr domu"), Placement::NewLine, 90),
            bodyEdit("e608025", "adr_nr_lok", QStringLiteral("Nr lokalu"), Placement::Beside, 90),
            maskEdit("e608033", kBodies, "adr_kod", QStringLiteral("Kod pocztowy"), kPostalCodeMask,
                     80, Placement::Beside),
            bodyEdit("e608027", "nr_tel", QStringLiteral("4. Nr telefonu")),
            bodyEdit("e608029", "email", QStringLiteral("5. Adres poczty elektronicznej")),
            bodyEdit("e608028", "nr_fax", QStringLiteral("6. Nr faksu")),
            role,
            bodyEdit("dxDBEdit2", "nr_rej_sad", QStringLiteral("8. Numer w KRS"),
                     Placement::NewLine, 110, 10),
            bodyEdit("dxDBEdit1", "nr_rej_edg", QStringLiteral("Numer w EDG"), Placement::Beside,
                     110, 10),
            nip,
            regon,
            bodyEdit("e608031", "osk_nazwisko", QStringLiteral("11. Kontakt: nazwisko")),
            bodyEdit("e608032", "osk_imie", QStringLiteral("Imię")),
        }};
}

} // namespace

std::vector<FrameDescription> institutionsFrames() {
    ControlRow cooperation =
        memo("e605001", "dsPolaSpec", "INNEPODZAANOP",
             QStringLiteral("Opis współpracy z podmiotami zaangażowanymi finansowo w realizację "
                            "Projektu"),
             2000, 90);
    return {{.className = "Tfr_inne_inst_zaang_topaz_q",
             .panels = {{.heading = {QStringLiteral(
                             "6h. Inne podmioty zaangażowane finansowo w realizację "
                             "Projektu.")},
                         .hints = {QStringLiteral("* Maksymalnie 2000 znaków")},
                         .helpTopic = 608,
                         .rows = {
                             check("e608001", "dsPolaSpec", "CZYWYSTINNEINS",
                                   QStringLiteral("NIE DOTYCZY"), "N", "T"),
                             cooperation,
                             navigator("dbnav608002", kBodies),
                             bodies(),
                         }}}}};
}

} // namespace editor
