// "5&b - 5c": the body representing the applicant and the contact person.
#include "editor/forms/frames/applicant_rows.h"
#include "editor/forms/frames/frame_registry.h"

namespace editor {

using namespace rows;

namespace {

FrameDescription representative() {
    std::vector<ControlRow> rows = {
        edit("e502001", kApplicant, "pod_nazwa", QStringLiteral("1. Nazwa")),
        legalForm("e502002", "lkp_pod_for_pr", QStringLiteral("2. Forma prawna"),
                  kRepresentativeLegalForms),
    };
    append(rows, addressRows({.names = {"e502003", "e502004", "e502005", "e502006", "e502007",
                                        "e502008", "e501017", "e502009"},
                              .fields = {"lkp_pod_adr_woj", "lkp_pod_adr_pow", "lkp_pod_adr_gmina",
                                         "pod_adr_miejscowosc", "pod_adr_ulica", "pod_adr_nr",
                                         "pod_adr_nr_lok", "pod_adr_kod"},
                              .regionKey = "pod_adr_woj_id",
                              .countyKey = "pod_adr_pow_id"},
                             QStringLiteral("3. Adres siedziby: województwo")));
    append(rows, {
                     edit("e502010", kApplicant, "pod_nr_tel", QStringLiteral("4. Nr telefonu")),
                     edit("e502011", kApplicant, "pod_nr_fax", QStringLiteral("5. Nr faksu")),
                     edit("e502012", kApplicant, "pod_email",
                          QStringLiteral("6. Adres poczty elektronicznej")),
                     edit("e502013", kApplicant, "pod_nr_rej_sad",
                          QStringLiteral("7. Numer w Krajowym Rejestrze Sądowym")),
                     edit("dxDBEdit1", kApplicant, "pod_nr_edg",
                          QStringLiteral("Numer w ewidencji działalności gospodarczej")),
                     maskEdit("e502014", kApplicant, "pod_NIP", QStringLiteral("8. NIP"),
                              "!0000000000;0;_", 110),
                     maskEdit("e502015", kApplicant, "pod_REGON", QStringLiteral("9. REGON"),
                              "!00000000000000;0;_", 150),
                     maskEdit("e502016", kApplicant, "pod_PESEL", QStringLiteral("10. PESEL"),
                              nullptr, 120),
                 });
    return {.className = "Tfr_bk_pod_repr_topaz_q",
            .panels = {{.heading = {QStringLiteral("5b. Podmiot reprezentujący beneficjenta")},
                        .helpTopic = 827020201,
                        .rows = rows}}};
}

FrameDescription contactPerson() {
    ControlRow role =
        memo("e503003", kApplicant, "osk_rola", QStringLiteral("2. Stanowisko"), 0, 60);
    role.placement = Placement::NewLine;
    ControlRow address = memo("e503007", kApplicant, "osk_adr_kor",
                              QStringLiteral("6. Adres do korespondencji"), 300, 60);
    address.placement = Placement::NewLine;
    return {
        .className = "Tfr_bk_pod_repr_os_up_topaz_q",
        .panels = {
            {.heading = {QStringLiteral("5c. Osoba upoważniona do kontaktów, właściwa w sprawach "
                                        "Projektu")},
             .hints = {QStringLiteral("* Maksymalnie 300 znaków")},
             .helpTopic = 827020202,
             .rows = {
                 edit("e503001", kApplicant, "osk_nazwisko", QStringLiteral("1. Nazwisko")),
                 edit("e503002", kApplicant, "osk_imie", QStringLiteral("Imię")),
                 role,
                 edit("e503004", kApplicant, "osk_nr_tel", QStringLiteral("3. Nr telefonu")),
                 edit("e503005", kApplicant, "osk_nr_fax", QStringLiteral("4. Nr faksu")),
                 edit("e503006", kApplicant, "osk_email",
                      QStringLiteral("5. Adres poczty elektronicznej")),
                 address,
             }}}};
}

} // namespace

std::vector<FrameDescription> representativeFrames() {
    return {representative(), contactPerson()};
}

} // namespace editor
