// Rules 25-42: the schedule dates of dsWniosek and the implementation stages. The dates
// are entered as month texts (harm_..._tmp); the rules test the dates and lead to the
// month controls.
#include "model/dm_main.h"
#include "platform/utils/datasetscans.h"
#include "validation/rules_finance.h"
#include "validation/rules_finance_checks.h"
#include "validation/rules_finance_families.h"

#include <QDate>

using namespace FinanceChecks;

namespace {

const QDate kFirstDay(2004, 1, 1);

bool blankDate(ValidationRun& r, const char* name) {
    return blank(wniosek(r, name));
}

bool before2004(ValidationRun& r, const char* name) {
    const Field& date = wniosek(r, name);
    return !blank(date) && date.asDate() < kFirstDay;
}

// Both dates given and the first later than the second.
bool later(ValidationRun& r, const char* first, const char* second) {
    return laterWhenBothGiven(wniosek(r, first), wniosek(r, second));
}

bool stageValueMissing(ValidationRun& r, const char* name) {
    return Utils::anyRowEmpty(table(r, "dsEtapyRealizacji"), QLatin1String(name));
}

// The last contract is settled more than three calendar months after the physical end
// (the day of the month kept, cut back to the end of a shorter month).
bool settledTooLate(ValidationRun& r) {
    const Field& end = wniosek(r, "harm_rzecz_zak");
    const Field& settled = wniosek(r, "harm_fin_zak");
    return !empty(end) && !empty(settled) && settled.asDate() > end.asDate().addMonths(3);
}

} // namespace

std::span<const ValidationRule> FinanceRuleFamilies::schedule() {
    static const ValidationRule kRules[] = {
        {.number = "25"_rule,
         .severity = Severity::Error,
         .message = "Pole \"Planowany termin rozpoczęcia realizacji Projektu\" musi być wypełnione",
         .table = "dsWniosek",
         .field = "harm_rozp_tmp",
         .control = "e1000111",
         .fails = [](ValidationRun& r) { return blankDate(r, "harm_rozp"); }},
        {.number = "26"_rule,
         .severity = Severity::Error,
         .message = "Pole \"Planowany termin rozpoczęcia rzeczowej realizacji Projektu\" musi być "
                    "wypełnione",
         .table = "dsWniosek",
         .field = "harm_rzecz_rozp_tmp",
         .control = "e1000112",
         .fails = [](ValidationRun& r) { return blankDate(r, "harm_rzecz_rozp"); }},
        {.number = "27"_rule,
         .severity = Severity::Error,
         .message = "Pole \"Planowany termin rzeczowego zakończenia projektu\" musi być wypełnione",
         .table = "dsWniosek",
         .field = "harm_rzecz_zak_tmp",
         .control = "e1000114",
         .fails = [](ValidationRun& r) { return blankDate(r, "harm_rzecz_zak"); }},
        {.number = "28"_rule,
         .severity = Severity::Error,
         .message = "Pole \"Planowana data rorzliczenia ostatniego kontraktu\" musi być wypełnione",
         .table = "dsWniosek",
         .field = "harm_fin_zak_tmp",
         .control = "e1000115",
         .fails = [](ValidationRun& r) { return blankDate(r, "harm_fin_zak"); }},
        {.number = "29"_rule,
         .severity = Severity::Error,
         .message = "Pole \"Planowany termin osiągnięcia rezultatu projektu\" musi być wypełnione",
         .table = "dsWniosek",
         .field = "harm_okres_rezultat_tmp",
         .control = "e1000116",
         .fails = [](ValidationRun& r) { return blankDate(r, "harm_okres_rezultat"); }},
        {.number = "30"_rule,
         .severity = Severity::Error,
         .message =
             "Pole \"Opis\" w poszczególnych etapach realizacji Projektu musi być wypełnione",
         .table = "dsEtapyRealizacji",
         .field = "ZAKRES_PRAC",
         .control = "e10000113",
         .fails = [](ValidationRun& r) { return stageValueMissing(r, "Zakres_prac"); }},
        {.number = "31"_rule,
         .severity = Severity::Error,
         .message =
             "Pole \"Termin rozpoczęcia\" w poszczególnych etapach realizacji Projektu musi być "
             "wypełnione",
         .table = "dsEtapyRealizacji",
         .field = "TERMIN_ROZP_TMP",
         .control = "e10000113",
         .fails = [](ValidationRun& r) { return stageValueMissing(r, "TERMIN_ROZP"); }},
        {.number = "32"_rule,
         .severity = Severity::Error,
         .message =
             "Pole \"Termin zakończenia\" w poszczególnych etapach realizacji Projektu musi być "
             "wypełnione",
         .table = "dsEtapyRealizacji",
         .field = "TERMIN_ZAK_TMP",
         .control = "e10000113",
         .fails = [](ValidationRun& r) { return stageValueMissing(r, "TERMIN_ZAK"); }},
        {.number = "33"_rule,
         .severity = Severity::Error,
         .message = "W polu \"Planowany termin rozpoczęcia realizacji Projektu\" powinna znajdować "
                    "się data "
                    "nie wcześniejsza niż: 2004.01.01",
         .table = "dsWniosek",
         .field = "harm_rozp_tmp",
         .control = "e1000111",
         .fails = [](ValidationRun& r) { return before2004(r, "harm_rozp"); }},
        {.number = "34"_rule,
         .severity = Severity::Error,
         .message = "W polu \"Planowany termin rozpoczęcia rzeczowej realizacji Projektu\" powinna "
                    "znajdować "
                    "się data nie wcześniejsza niż: 2004.01.01",
         .table = "dsWniosek",
         .field = "harm_rzecz_rozp_tmp",
         .control = "e1000112",
         .fails = [](ValidationRun& r) { return before2004(r, "harm_rzecz_rozp"); }},
        {.number = "35"_rule,
         .severity = Severity::Error,
         .message =
             "W polu \"Planowany termin rozpoczęcia rzeczowej realizacji Projektu\" powinna "
             "znajdować "
             "się data nie wcześniejsza niż w polu \"Planowany termin rozpoczęcia realizacji "
             "projektu\"",
         .table = "dsWniosek",
         .field = "harm_rzecz_rozp_tmp",
         .control = "e1000112",
         .fails = [](ValidationRun& r) { return later(r, "harm_rozp", "harm_rzecz_rozp"); }},
        // The message names other dates than the ones compared (harm_zak has no control).
        {.number = "36"_rule,
         .severity = Severity::Error,
         .message = "W polu \"Planowany termin rzeczowego zakończenia projektu\" nie może "
                    "znajdować się data "
                    "wcześniejsza niż w polu \"Planowany termin rozpoczęcia realizacji projektu\"",
         .table = "dsWniosek",
         .field = "harm_rzecz_zak_tmp",
         .control = "e1000114",
         .fails = [](ValidationRun& r) { return later(r, "harm_rozp", "harm_zak"); }},
        {.number = "37"_rule,
         .severity = Severity::Error,
         .message = "W polu \"Planowany termin zakończenia projektu\" nie może znajdować się data "
                    "wcześniejsza niż w polu \"Planowany termin rozpoczęcia realizacji projektu\"",
         .table = "dsWniosek",
         .field = "harm_rzecz_zak_tmp",
         .control = "e1000114",
         .fails = [](ValidationRun& r) { return later(r, "harm_rzecz_rozp", "harm_rzecz_zak"); }},
        {.number = "38"_rule,
         .severity = Severity::Error,
         .message = "W polu \"Planowana data rozliczenia ostatniego kontraktu\" nie może znajdować "
                    "się data "
                    "wcześniejsza niż w polu \"Planowany termin rozpoczęcia realizacji projektu\"",
         .table = "dsWniosek",
         .field = "harm_fin_zak_tmp",
         .control = "e1000115",
         .fails = [](ValidationRun& r) { return later(r, "harm_rozp", "harm_fin_zak"); }},
        {.number = "39"_rule,
         .severity = Severity::Error,
         .message =
             "W polu \"Planowany okres, po ktrym zostanie osiągnięty zakładany rezultat Projektu\" "
             "nie "
             "może znajdować się data wcześniejsza niż w polu \"Planowany termin rozpoczęcia "
             "realizacji projektu\"",
         .table = "dsWniosek",
         .field = "harm_okres_rezultat_tmp",
         .control = "e1000116",
         .fails = [](ValidationRun& r) { return later(r, "harm_rozp", "harm_okres_rezultat"); }},
        // An error rule although its message says "nie powinna".
        {.number = "40"_rule,
         .severity = Severity::Error,
         .message = "W polu \"Planowany termin rozliczenia ostatniego kontraktu\" nie powinna "
                    "znajdować się "
                    "data póżniejsza od 3 miesięcy po dacie w polu \"Planowany termin rzeczowego "
                    "zakończenia "
                    "projektu\".",
         .table = "dsWniosek",
         .field = "harm_fin_zak_tmp",
         .control = "e1000115",
         .fails = settledTooLate},
        {.number = "41"_rule,
         .severity = Severity::Error,
         .message = "W polu \"Planowana data rozliczenia ostatniego kontraktu\" nie może znajdować "
                    "się data "
                    "wcześniejsza niż w polu \"Planowany rzeczowego zakończenia projektu\"",
         .table = "dsWniosek",
         .field = "harm_fin_zak_tmp",
         .control = "e1000115",
         .fails =
             [](ValidationRun& r) {
                 return earlierMissingFirst(wniosek(r, "harm_fin_zak"),
                                            wniosek(r, "harm_rzecz_zak"));
             }},
        stages(),
    };
    return kRules;
}
