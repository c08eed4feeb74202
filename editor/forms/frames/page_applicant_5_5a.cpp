// "&5 - 5a": the applicant and the person authorised to sign the application.
#include "editor/forms/frames/applicant_rows.h"
#include "editor/forms/frames/frame_registry.h"

namespace editor {

using namespace rows;

namespace {

FrameDescription applicant() {
    std::vector<ControlRow> rows = {
        edit("e500001", kApplicant, "Nazwa", QStringLiteral("1. Nazwa beneficjenta")),
        legalForm("e500002", "Lkp_for_pr", QStringLiteral("2. Forma prawna"), kApplicantLegalForms),
    };
    append(rows,
           addressRows({.names = {"e500003", "e500004", "e500005", "e500006", "e500007", "e500008",
                                  "e500017", "e500009"},
                        .fields = {"lkp_adr_woj", "lkp_adr_pow", "lkp_adr_gm", "adr_miejscowosc",
                                   "adr_ulica", "adr_nr", "adr_nr_lok", "adr_kod"},
                        .regionKey = "adr_woj_id",
                        .countyKey = "adr_pow_id"},
                       QStringLiteral("3. Adres siedziby: województwo")));
    append(
        rows,
        {
            edit("e500010", kApplicant, "nr_tel", QStringLiteral("4. Nr telefonu")),
            edit("e500011", kApplicant, "nr_fax", QStringLiteral("5. Nr faksu")),
            edit("e500012", kApplicant, "email", QStringLiteral("6. Adres poczty elektronicznej")),
            edit("e500013", kApplicant, "nr_rej_sad",
                 QStringLiteral("7. Numer w Krajowym Rejestrze Sądowym")),
            maskEdit("e500016", kApplicant, "nr_rej_edg",
                     QStringLiteral("Numer w ewidencji działalności gospodarczej"), nullptr, 0),
            maskEdit("e500014", kApplicant, "NIP", QStringLiteral("8. NIP"), "!000-000-00-00;0;_",
                     130),
            maskEdit("e500015", kApplicant, "REGON", QStringLiteral("9. REGON"),
                     "00000000000000;0;_", 150),
        });
    return {.className = "Tfr_bk_topaz_q",
            .panels = {{.heading = {QStringLiteral("5. Beneficjent")},
                        .hints = {QStringLiteral(
                            "* W tym punkcie proszę podać dane dotyczące instytucji "
                            "występującej z wnioskiem o dofinansowanie Projektu ze środków "
                            "Europejskiego Funduszu Rozwoju Regionalnego")},
                        .helpTopic = 827020101,
                        .rows = rows}}};
}

FrameDescription authorisedPerson() {
    ControlRow role =
        memo("e501003", kApplicant, "osup_rola", QStringLiteral("2. Stanowisko"), 100, 50);
    role.placement = Placement::NewLine;
    std::vector<ControlRow> rows = {
        edit("dxDBEdit2", kApplicant, "osup_imie", QStringLiteral("1. Imię")),
        edit("dxDBEdit3", kApplicant, "osup_nazwisko", QStringLiteral("Nazwisko")),
        role,
        edit("dxDBEdit1", kApplicant, "osup_seria_nr_dowodu",
             QStringLiteral("3. Seria i numer dowodu osobistego"), Placement::NewLine, 120),
    };
    append(rows,
           addressRows({.names = {"e501004", "e501005", "e501006", "e501007", "e501008", "e501009",
                                  "e501014", "e500009"},
                        .fields = {"lkp_osup_adr_woj", "lkp_osup_adr_pow", "lkp_osup_adr_gmina",
                                   "osup_adr_miejscowosc", "osup_adr_ulica", "osup_adr_nr",
                                   "osup_adr_nr_lok", "osup_adr_kod"},
                        .regionKey = "osup_adr_woj_id",
                        .countyKey = "osup_adr_pow_id"},
                       QStringLiteral("4. Adres: województwo")));
    append(rows, {
                     edit("e500010", kApplicant, "osup_nr_tel", QStringLiteral("5. Nr telefonu")),
                     edit("e500012", kApplicant, "osup_email",
                          QStringLiteral("6. Adres poczty elektronicznej")),
                     edit("e500011", kApplicant, "osup_nr_fax", QStringLiteral("7. Nr faksu")),
                 });
    return {.className = "Tfr_osoba_upowazniona",
            .panels = {{.heading = {QStringLiteral(
                            "5a. Dane personalne osoby upoważnionej do podpisania wniosku")},
                        .hints = {QStringLiteral("* Maksymalnie 100 znaków")},
                        .helpTopic = 500,
                        .rows = rows}}};
}

} // namespace

std::vector<FrameDescription> applicantFrames() {
    return {applicant(), authorisedPerson()};
}

} // namespace editor
