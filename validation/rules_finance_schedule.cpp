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
        {"25"_rule,
         Severity::Error,
         "Pole \"Planowany termin rozpoczęcia realizacji Projektu\" musi być wypełnione",
         "dsWniosek",
         "harm_rozp_tmp",
         "e1000111",
         [](ValidationRun& r) { return blankDate(r, "harm_rozp"); },
         {}},
        {"26"_rule,
         Severity::Error,
         "Pole \"Planowany termin rozpoczęcia rzeczowej realizacji Projektu\" musi być wypełnione",
         "dsWniosek",
         "harm_rzecz_rozp_tmp",
         "e1000112",
         [](ValidationRun& r) { return blankDate(r, "harm_rzecz_rozp"); },
         {}},
        {"27"_rule,
         Severity::Error,
         "Pole \"Planowany termin rzeczowego zakończenia projektu\" musi być wypełnione",
         "dsWniosek",
         "harm_rzecz_zak_tmp",
         "e1000114",
         [](ValidationRun& r) { return blankDate(r, "harm_rzecz_zak"); },
         {}},
        {"28"_rule,
         Severity::Error,
         "Pole \"Planowana data rorzliczenia ostatniego kontraktu\" musi być wypełnione",
         "dsWniosek",
         "harm_fin_zak_tmp",
         "e1000115",
         [](ValidationRun& r) { return blankDate(r, "harm_fin_zak"); },
         {}},
        {"29"_rule,
         Severity::Error,
         "Pole \"Planowany termin osiągnięcia rezultatu projektu\" musi być wypełnione",
         "dsWniosek",
         "harm_okres_rezultat_tmp",
         "e1000116",
         [](ValidationRun& r) { return blankDate(r, "harm_okres_rezultat"); },
         {}},
        {"30"_rule,
         Severity::Error,
         "Pole \"Opis\" w poszczególnych etapach realizacji Projektu musi być wypełnione",
         "dsEtapyRealizacji",
         "ZAKRES_PRAC",
         "e10000113",
         [](ValidationRun& r) { return stageValueMissing(r, "Zakres_prac"); },
         {}},
        {"31"_rule,
         Severity::Error,
         "Pole \"Termin rozpoczęcia\" w poszczególnych etapach realizacji Projektu musi być "
         "wypełnione",
         "dsEtapyRealizacji",
         "TERMIN_ROZP_TMP",
         "e10000113",
         [](ValidationRun& r) { return stageValueMissing(r, "TERMIN_ROZP"); },
         {}},
        {"32"_rule,
         Severity::Error,
         "Pole \"Termin zakończenia\" w poszczególnych etapach realizacji Projektu musi być "
         "wypełnione",
         "dsEtapyRealizacji",
         "TERMIN_ZAK_TMP",
         "e10000113",
         [](ValidationRun& r) { return stageValueMissing(r, "TERMIN_ZAK"); },
         {}},
        {"33"_rule,
         Severity::Error,
         "W polu \"Planowany termin rozpoczęcia realizacji Projektu\" powinna znajdować się data "
         "nie wcześniejsza niż: 2004.01.01",
         "dsWniosek",
         "harm_rozp_tmp",
         "e1000111",
         [](ValidationRun& r) { return before2004(r, "harm_rozp"); },
         {}},
        {"34"_rule,
         Severity::Error,
         "W polu \"Planowany termin rozpoczęcia rzeczowej realizacji Projektu\" powinna znajdować "
         "się data nie wcześniejsza niż: 2004.01.01",
         "dsWniosek",
         "harm_rzecz_rozp_tmp",
         "e1000112",
         [](ValidationRun& r) { return before2004(r, "harm_rzecz_rozp"); },
         {}},
        {"35"_rule,
         Severity::Error,
         "W polu \"Planowany termin rozpoczęcia rzeczowej realizacji Projektu\" powinna znajdować "
         "się data nie wcześniejsza niż w polu \"Planowany termin rozpoczęcia realizacji "
         "projektu\"",
         "dsWniosek",
         "harm_rzecz_rozp_tmp",
         "e1000112",
         [](ValidationRun& r) { return later(r, "harm_rozp", "harm_rzecz_rozp"); },
         {}},
        // The message names other dates than the ones compared (harm_zak has no control).
        {"36"_rule,
         Severity::Error,
         "W polu \"Planowany termin rzeczowego zakończenia projektu\" nie może znajdować się data "
         "wcześniejsza niż w polu \"Planowany termin rozpoczęcia realizacji projektu\"",
         "dsWniosek",
         "harm_rzecz_zak_tmp",
         "e1000114",
         [](ValidationRun& r) { return later(r, "harm_rozp", "harm_zak"); },
         {}},
        {"37"_rule,
         Severity::Error,
         "W polu \"Planowany termin zakończenia projektu\" nie może znajdować się data "
         "wcześniejsza niż w polu \"Planowany termin rozpoczęcia realizacji projektu\"",
         "dsWniosek",
         "harm_rzecz_zak_tmp",
         "e1000114",
         [](ValidationRun& r) { return later(r, "harm_rzecz_rozp", "harm_rzecz_zak"); },
         {}},
        {"38"_rule,
         Severity::Error,
         "W polu \"Planowana data rozliczenia ostatniego kontraktu\" nie może znajdować się data "
         "wcześniejsza niż w polu \"Planowany termin rozpoczęcia realizacji projektu\"",
         "dsWniosek",
         "harm_fin_zak_tmp",
         "e1000115",
         [](ValidationRun& r) { return later(r, "harm_rozp", "harm_fin_zak"); },
         {}},
        {"39"_rule,
         Severity::Error,
         "W polu \"Planowany okres, po ktrym zostanie osiągnięty zakładany rezultat Projektu\" nie "
         "może znajdować się data wcześniejsza niż w polu \"Planowany termin rozpoczęcia "
         "realizacji projektu\"",
         "dsWniosek",
         "harm_okres_rezultat_tmp",
         "e1000116",
         [](ValidationRun& r) { return later(r, "harm_rozp", "harm_okres_rezultat"); },
         {}},
        // An error rule although its message says "nie powinna".
        {"40"_rule,
         Severity::Error,
         "W polu \"Planowany termin rozliczenia ostatniego kontraktu\" nie powinna znajdować się "
         "data póżniejsza od 3 miesięcy po dacie w polu \"Planowany termin rzeczowego zakończenia "
         "projektu\".",
         "dsWniosek",
         "harm_fin_zak_tmp",
         "e1000115",
         settledTooLate,
         {}},
        {"41"_rule,
         Severity::Error,
         "W polu \"Planowana data rozliczenia ostatniego kontraktu\" nie może znajdować się data "
         "wcześniejsza niż w polu \"Planowany rzeczowego zakończenia projektu\"",
         "dsWniosek",
         "harm_fin_zak_tmp",
         "e1000115",
         [](ValidationRun& r) {
             return earlierMissingFirst(wniosek(r, "harm_fin_zak"), wniosek(r, "harm_rzecz_zak"));
         },
         {}},
        stages(),
    };
    return kRules;
}
