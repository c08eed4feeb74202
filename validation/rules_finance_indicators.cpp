// Rules 85-95: product, result and impact indicators, the project type and the revenue.
#include "model/dm_main.h"
#include "platform/utils/datasetscans.h"
#include "validation/rules_finance_checks.h"
#include "validation/rules_finance_families.h"
#include "validation/rules_finance_years.h"

#include <initializer_list>

using namespace FinanceChecks;
using FinanceYearRanges::usedAfterPhysicalEnd;
using FinanceYearRanges::usedBeforeStart;
using FinanceYearRanges::YearTable;

namespace {

const YearTable kProducts{"dsProdukty", "tab6lprod"};
const YearTable kResults{"dsRezultaty", "tab6lrez"};
const YearTable kImpacts{"dsOddz", nullptr, 2008}; // no switches; the base module's years
const YearTable kRevenue{"dsKatPrzych", "tab6ltyp"};

bool noRows(ValidationRun& r, const char* name) {
    return table(r, name).isEmpty();
}

// The list has rows and one of them lacks one of the values.
bool rowsIncomplete(ValidationRun& r, const char* name, std::initializer_list<const char*> fields) {
    DataSet& t = table(r, name);
    if (t.isEmpty()) return false;
    for (const char* f : fields)
        if (Utils::anyRowEmpty(t, QLatin1String(f))) return true;
    return false;
}

bool revenueIncomplete(ValidationRun& r) {
    if (!is(wniosek(r, "typ_projektu"), "D")) return false;
    DataSet& revenue = table(r, "dsKatPrzych");
    return revenue.isEmpty() || Utils::anyRowEmpty(revenue, QStringLiteral("Kategoria_przychodu"));
}

} // namespace

std::span<const ValidationRule> FinanceRuleFamilies::indicatorsRevenue() {
    static const ValidationRule kRules[] = {
        {"85"_rule,
         Severity::Error,
         "Brak wskaźników planowanych produktów",
         "dsProdukty",
         "Produkt",
         "e612001",
         [](ValidationRun& r) { return noRows(r, "dsProdukty"); },
         {}},
        {"86"_rule,
         Severity::Error,
         "Brak wskaźników planowanych rezultatów",
         "dsRezultaty",
         "Rezultat",
         "e612002",
         [](ValidationRun& r) { return !technicalAssistance(r) && noRows(r, "dsRezultaty"); },
         {}},
        {"87"_rule,
         Severity::Error,
         "Informacja o wskaźnikach produktu jest niekompletna - brak wartości w polach \"Produkt\" "
         "lub \"Jedn. miary\"",
         "dsProdukty",
         "Produkt",
         "e612001",
         [](ValidationRun& r) {
             return rowsIncomplete(r, "dsProdukty", {"Produkt", "Jedn_miary"});
         },
         {}},
        {"88a"_rule,
         Severity::Error,
         "Wskaźniki produktu nie powinny być wypełnione dla lat większych od roku zakończenia "
         "realizacji projektu.",
         "dsProdukty",
         "Produkt",
         "e612001",
         [](ValidationRun& r) { return usedAfterPhysicalEnd(r, kProducts); },
         {}},
        {"88b"_rule,
         Severity::Error,
         "Wskaźniki produktu nie powinny być wypełnione dla lat mniejszych od roku rozpoczęcia "
         "realizacji projektu.",
         "dsProdukty",
         "Produkt",
         "e612001",
         [](ValidationRun& r) { return usedBeforeStart(r, kProducts); },
         {}},
        {"89"_rule,
         Severity::Error,
         "Informacja o wskaźnikach rezultatów jest niekompletna - brak wartości w polach "
         "\"Rezultat\" lub \"Jedn. miary\"",
         "dsRezultaty",
         "Rezultat",
         "e612002",
         [](ValidationRun& r) {
             return rowsIncomplete(r, "dsRezultaty", {"Rezultat", "Jedn_miary"});
         },
         {}},
        {"90"_rule,
         Severity::Error,
         "Wskaźniki rezultatu nie powinny być wypełnione dla lat mniejszych od roku rozpoczęcia "
         "realizacji projektu.",
         "dsRezultaty",
         "Rezultat",
         "e612002",
         [](ValidationRun& r) { return usedBeforeStart(r, kResults); },
         {}},
        {"91"_rule,
         Severity::Error,
         "Informacja o wskaźnikach oddziaływania jest niekompletna - brak wartości w polach "
         "\"Oddziaływanie\" lub \"Jedn. miary\"",
         "dsOddz",
         "Oddzialywanie",
         "e612003",
         [](ValidationRun& r) {
             return rowsIncomplete(r, "dsOddz", {"Oddzialywanie", "Jedn_miary"});
         },
         {}},
        {"92"_rule,
         Severity::Error,
         "Wskaźniki oddziaływania nie powinny być wypełnione dla lat mniejszych od roku "
         "rozpoczęcia realizacji projektu.",
         "dsOddz",
         "Oddzialywanie",
         "e612003",
         [](ValidationRun& r) { return usedBeforeStart(r, kImpacts); },
         {}},
        {"93"_rule,
         Severity::Error,
         "Pole \"Typ projektu\" musi być wypełnione",
         "dsWniosek",
         "typ_projektu",
         "e613001",
         [](ValidationRun& r) { return blank(wniosek(r, "typ_projektu")); },
         {}},
        {"94"_rule,
         Severity::Error,
         "Informacja o generowanych przychodach jest niekompletna",
         "dsKatPrzych",
         "Kategoria_przychodu",
         "e613003",
         revenueIncomplete,
         {}},
        {"95"_rule,
         Severity::Error,
         "Wartości przychodów nie powinny być wypełnione dla lat mniejszych od roku rozpoczęcia "
         "realizacji projektu.",
         "dsKatPrzych",
         "2004",
         "e613003",
         [](ValidationRun& r) { return usedBeforeStart(r, kRevenue); },
         {}},
    };
    return kRules;
}
