// Rules 45-49: public aid received and public procurement. The procurement rules do not
// apply under the technical-assistance priority.
#include "model/dm_main.h"
#include "platform/utils/datasetscans.h"
#include "platform/utils/datasetscanscope.h"
#include "validation/rules_finance_checks.h"
#include "validation/rules_finance_families.h"

#include <initializer_list>

using namespace FinanceChecks;

namespace {

bool aidIncomplete(ValidationRun& r) {
    const bool applicable = is(wniosek(r, "zgod_pom_pub_nie_dot"), "N");
    if (!applicable || !is(wniosek(r, "zgod_pom_pub_korzystal"), "T")) return false;
    DataSet& aid = table(r, "dsPomocPub");
    for (const char* name : {"Data_udz_pom", "tytul_pomocy", "kwota_pomocy"})
        if (Utils::anyRowEmpty(aid, QLatin1String(name))) return true;
    return false;
}

Field& procedure(ValidationRun& r, const char* name) {
    return field(r, "dsZamPub", name);
}

bool started(ValidationRun& r) {
    return is(procedure(r, "zgod_zam_pub_rozp"), "T");
}

// The procedure's date is given and later than harm_zak.
bool afterProjectEnd(ValidationRun& r, const char* date) {
    return laterWhenBothGiven(procedure(r, date), wniosek(r, "harm_zak"));
}

// The physical end is earlier than the procedure's date, a missing date counting as the
// earliest date.
bool afterPhysicalEnd(ValidationRun& r, const char* date) {
    return earlierMissingFirst(wniosek(r, "harm_rzecz_zak"), procedure(r, date));
}

// First walk, every record: no procedure may begin after the physical end.
const ValidationRule kFirstWalk[] = {
    {.number = "48a"_rule,
     .severity = Severity::Error,
     .message =
         "Pole \"Przybliżone rozpoczęcie procedury nie moze byc późniejsze niz rzeczczowy termin "
         "zakończenia projektu\" ",
     .table = "dsZamPub",
     .field = "zgod_zam_pub_data_rozp",
     .control = "DBCtrlGrid",
     .fails = [](ValidationRun& r) { return afterPhysicalEnd(r, "zgod_zam_pub_data_rozp"); }},
    {.number = "48b"_rule,
     .severity = Severity::Error,
     .message =
         "Pole \"Rozpoczęcie procedury nie moze byc późniejsze niz rzeczczowy termin zakończenia "
         "projektu\" ",
     .table = "dsZamPub",
     .field = "zgod_zam_pub_data_ogl",
     .control = "DBCtrlGrid",
     .fails = [](ValidationRun& r) { return afterPhysicalEnd(r, "zgod_zam_pub_data_ogl"); }},
};

// Second walk: the procedure mode (49.1), then the dates of a procedure not yet started
// (49.2, 49.3) or of one started (49.4, 49.5). The first failure ends the procurement rules.
const ValidationRule kSecondWalk[] = {
    {.number = "49.1"_rule,
     .severity = Severity::Error,
     .message = "Zamówienia publiczne - brak trybu postępowania.",
     .table = "dsZamPub",
     .field = "zgod_zam_pub",
     .control = "DBCtrlGrid",
     .fails = [](ValidationRun& r) { return blank(procedure(r, "zgod_zam_pub")); }},
    {.number = "49.2"_rule,
     .severity = Severity::Error,
     .message = "Zamówienia publiczne - data ogłoszenia postępowania musi być wypełniona.",
     .table = "dsZamPub",
     .field = "zgod_zam_pub_data_rozp",
     .control = "DBCtrlGrid",
     .fails = [](ValidationRun& r) { return blank(procedure(r, "zgod_zam_pub_data_rozp")); }},
    {.number = "49.3"_rule,
     .severity = Severity::Error,
     .message = "Zamówienia publiczne - w polu \"Planowany termin rzeczowego zakończenia "
                "projektu\" nie może "
                "znajdować się data wcześniejsza niż w polu \"Data ogłoszenia postępowania\"",
     .table = "dsZamPub",
     .field = "zgod_zam_pub_data_rozp",
     .control = "DBCtrlGrid",
     .fails = [](ValidationRun& r) { return afterProjectEnd(r, "zgod_zam_pub_data_rozp"); }},
    {.number = "49.4"_rule,
     .severity = Severity::Error,
     .message =
         "Zamówienia publiczne - data rozpoczęcia procedury przetargowej musi być wypełniona.",
     .table = "dsZamPub",
     .field = "zgod_zam_pub_data_ogl",
     .control = "DBCtrlGrid",
     .fails = [](ValidationRun& r) { return blank(procedure(r, "zgod_zam_pub_data_ogl")); }},
    {.number = "49.5"_rule,
     .severity = Severity::Error,
     .message =
         "Zamówienia publiczne - w polu \"Planowany termin rzeczowego zakończenia projektu\" nie "
         "może "
         "znajdować się data wcześniejsza niż w polu \"Data rozpoczęcia procedury przetargowej\"",
     .table = "dsZamPub",
     .field = "zgod_zam_pub_data_ogl",
     .control = "DBCtrlGrid",
     .fails = [](ValidationRun& r) { return afterProjectEnd(r, "zgod_zam_pub_data_ogl"); }},
};

// The walks leave dsZamPub on the record where they ended.
void procedureDates(ValidationRun& run, const ValidationRule&) {
    if (technicalAssistance(run)) return;
    DataSet& procedures = table(run, "dsZamPub");
    Utils::ControlsDisabledScope quiet(procedures);
    for (procedures.first(); !procedures.eof(); procedures.next())
        for (const ValidationRule& test : kFirstWalk)
            evaluate(run, test);
}

void procedureDetails(ValidationRun& run, const ValidationRule&) {
    if (technicalAssistance(run)) return;
    DataSet& procedures = table(run, "dsZamPub");
    Utils::ControlsDisabledScope quiet(procedures);
    const std::span<const ValidationRule> walk(kSecondWalk);
    for (procedures.first(); !procedures.eof(); procedures.next()) {
        if (!evaluate(run, walk[0])) return;
        for (const ValidationRule& test : started(run) ? walk.subspan(3, 2) : walk.subspan(1, 2))
            if (!evaluate(run, test)) return;
    }
}

} // namespace

std::span<const ValidationRule> FinanceRuleFamilies::aidAndProcurement() {
    static const ValidationRule kRules[] = {
        {.number = "45"_rule,
         .severity = Severity::Error,
         .message = "Informacja o korzystaniu z pomocy publicznej jest niekompletna",
         .table = "dsWniosek",
         .field = "zgod_pom_pub_korzystal",
         .control = "e619021",
         .fails =
             [](ValidationRun& r) {
                 return !is(wniosek(r, "zgod_pom_pub_nie_dot"), "T") &&
                        blank(wniosek(r, "zgod_pom_pub_korzystal"));
             }},
        {.number = "46"_rule,
         .severity = Severity::Error,
         .message = "Informacja o korzystaniu z pomocy publicznej jest niekompletna",
         .table = "dsPomocPub",
         .field = "Data_udz_pom",
         .control = "e619003",
         .fails = aidIncomplete},
        {.number = "47"_rule,
         .severity = Severity::Error,
         .message = "Informacja o zamówieniach publicznych jest niekompletna",
         .table = "dsZamPub",
         .field = "zgod_zam_pub_rozp",
         .control = "DBCtrlGrid",
         .fails =
             [](ValidationRun& r) {
                 return !technicalAssistance(r) && table(r, "dsZamPub").isEmpty();
             }},
        {.severity = Severity::Error, .body = procedureDates, .parts = kFirstWalk},
        {.severity = Severity::Error, .body = procedureDetails, .parts = kSecondWalk},
    };
    return kRules;
}
