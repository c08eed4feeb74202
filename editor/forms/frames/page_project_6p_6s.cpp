// "6&p - 6s": environment, equal chances and public aid.
#include "editor/forms/frames/frame_registry.h"
#include "editor/forms/frames/frame_rows.h"

namespace editor {

using namespace rows;

namespace {

FrameDescription policy(const char* className, const QString& heading, int topic,
                        const char* answerName, const char* answerField, const char* reasonName,
                        const char* reasonField) {
    return {.className = className,
            .panels = {
                {.heading = {heading},
                 .hints = {kMax4000},
                 .helpTopic = topic,
                 .rows = {
                     lookup(answerName, "dsWniosek", answerField, QStringLiteral("Odpowiedź")),
                     memo(reasonName, "dsWniosek", reasonField, QStringLiteral("Uzasadnienie"))}}}};
}

FrameDescription publicAid() {
    std::vector<ControlRow> rows = yesNo(
        "e619021", "e619022", "dsWniosek", "zgod_pom_pub_korzystal",
        QStringLiteral("Beneficjent korzystał w okresie ostatnich trzech lat z pomocy publicznej "
                       "w rozumieniu art. 87 ust. 1 Traktatu Ustanawiającego Wspólnotę "
                       "Europejską"),
        "False");
    rows.push_back(check("e619001", "dsWniosek", "zgod_pom_pub_nie_dot",
                         QStringLiteral("NIE DOTYCZY"), "T", "N", Placement::Beside));
    rows.push_back(navigator("dbnav619003", "dsPomocPub", {},
                             QStringLiteral("Jeśli odpowiedź brzmi \"Tak\", proszę podać "
                                            "następujące informacje:")));
    rows.push_back({.name = "e619003",
                    .kind = ControlKind::RepeatingPanel,
                    .table = "dsPomocPub",
                    .label = QStringLiteral("Otrzymana pomoc publiczna"),
                    .children = {
                        {.name = "DBText1",
                         .kind = ControlKind::BoundLabel,
                         .table = "dsPomocPub",
                         .field = "Lp.",
                         .label = QStringLiteral("Lp.")},
                        {.name = "e619031",
                         .kind = ControlKind::Date,
                         .table = "dsPomocPub",
                         .field = "Data_udz_pom",
                         .label = QStringLiteral("Data pozyskania pomocy"),
                         .behaviour = Behaviour::DateTextCheck,
                         .width = 140},
                        {.name = "e619032",
                         .kind = ControlKind::Edit,
                         .table = "dsPomocPub",
                         .field = "Tytul_pomocy",
                         .label = QStringLiteral("Tytuł pomocy")},
                        {.name = "e619033",
                         .kind = ControlKind::Currency,
                         .table = "dsPomocPub",
                         .field = "Kwota_pomocy",
                         .label = QStringLiteral("Kwota pomocy (PLN)"),
                         .width = 160},
                    }});
    return {.className = "Tfr_pomoc_pub_topaz_q",
            .panels = {{.heading = {QStringLiteral(
                            "6s. Zgodność Projektu z prawodawstwem z zakresu pomocy "
                            "publicznej")},
                        .helpTopic = 827010603,
                        .rows = rows}}};
}

} // namespace

std::vector<FrameDescription> policyFrames() {
    return {
        policy("Tfr_ochr_srodowiska",
               QStringLiteral("6p. Zgodność Projektu z polityką ochrony środowiska"), 617,
               "e617001", "lkp_zgod_srod", "e617002", "zgod_srod_uzasad"),
        policy("Tfr_pol_rown_szans",
               QStringLiteral("6r. Zgodność Projektu z polityką równych szans"), 618, "e618001",
               "lkp_zgod_row_szans", "e618002", "zgod_row_szans_uzasad"),
        publicAid(),
    };
}

} // namespace editor
