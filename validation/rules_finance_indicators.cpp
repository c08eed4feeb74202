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

const YearTable kProducts{.table = "dsProdukty", .switchPrefix = "tab6lprod"};
const YearTable kResults{.table = "dsRezultaty", .switchPrefix = "tab6lrez"};
// No switches; the base module's years.
const YearTable kImpacts{.table = "dsOddz", .switchPrefix = nullptr, .lastYear = 2008};
const YearTable kRevenue{.table = "dsKatPrzych", .switchPrefix = "tab6ltyp"};

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
        {.number = "85"_rule,
         .severity = Severity::Error,
         .message = "Brak wskaźników planowanych produktów",
         .table = "dsProdukty",
         .field = "Produkt",
         .control = "e612001",
         .fails = [](ValidationRun& r) { return noRows(r, "dsProdukty"); }},
        {.number = "86"_rule,
         .severity = Severity::Error,
         .message = "Brak wskaźników planowanych rezultatów",
         .table = "dsRezultaty",
         .field = "Rezultat",
         .control = "e612002",
         .fails =
             [](ValidationRun& r) { return !technicalAssistance(r) && noRows(r, "dsRezultaty"); }},
        {.number = "87"_rule,
         .severity = Severity::Error,
         .message = "Informacja o wskaźnikach produktu jest niekompletna - brak wartości w polach "
                    "\"Produkt\" "
                    "lub \"Jedn. miary\"",
         .table = "dsProdukty",
         .field = "Produkt",
         .control = "e612001",
         .fails =
             [](ValidationRun& r) {
                 return rowsIncomplete(r, "dsProdukty", {"Produkt", "Jedn_miary"});
             }},
        {.number = "88a"_rule,
         .severity = Severity::Error,
         .message =
             "Wskaźniki produktu nie powinny być wypełnione dla lat większych od roku zakończenia "
             "realizacji projektu.",
         .table = "dsProdukty",
         .field = "Produkt",
         .control = "e612001",
         .fails = [](ValidationRun& r) { return usedAfterPhysicalEnd(r, kProducts); }},
        {.number = "88b"_rule,
         .severity = Severity::Error,
         .message =
             "Wskaźniki produktu nie powinny być wypełnione dla lat mniejszych od roku rozpoczęcia "
             "realizacji projektu.",
         .table = "dsProdukty",
         .field = "Produkt",
         .control = "e612001",
         .fails = [](ValidationRun& r) { return usedBeforeStart(r, kProducts); }},
        {.number = "89"_rule,
         .severity = Severity::Error,
         .message =
             "Informacja o wskaźnikach rezultatów jest niekompletna - brak wartości w polach "
             "\"Rezultat\" lub \"Jedn. miary\"",
         .table = "dsRezultaty",
         .field = "Rezultat",
         .control = "e612002",
         .fails =
             [](ValidationRun& r) {
                 return rowsIncomplete(r, "dsRezultaty", {"Rezultat", "Jedn_miary"});
             }},
        {.number = "90"_rule,
         .severity = Severity::Error,
         .message = "Wskaźniki rezultatu nie powinny być wypełnione dla lat mniejszych od roku "
                    "rozpoczęcia "
                    "realizacji projektu.",
         .table = "dsRezultaty",
         .field = "Rezultat",
         .control = "e612002",
         .fails = [](ValidationRun& r) { return usedBeforeStart(r, kResults); }},
        {.number = "91"_rule,
         .severity = Severity::Error,
         .message =
             "Informacja o wskaźnikach oddziaływania jest niekompletna - brak wartości w polach "
             "\"Oddziaływanie\" lub \"Jedn. miary\"",
         .table = "dsOddz",
         .field = "Oddzialywanie",
         .control = "e612003",
         .fails =
             [](ValidationRun& r) {
                 return rowsIncomplete(r, "dsOddz", {"Oddzialywanie", "Jedn_miary"});
             }},
        {.number = "92"_rule,
         .severity = Severity::Error,
         .message = "Wskaźniki oddziaływania nie powinny być wypełnione dla lat mniejszych od roku "
                    "rozpoczęcia realizacji projektu.",
         .table = "dsOddz",
         .field = "Oddzialywanie",
         .control = "e612003",
         .fails = [](ValidationRun& r) { return usedBeforeStart(r, kImpacts); }},
        {.number = "93"_rule,
         .severity = Severity::Error,
         .message = "Pole \"Typ projektu\" musi być wypełnione",
         .table = "dsWniosek",
         .field = "typ_projektu",
         .control = "e613001",
         .fails = [](ValidationRun& r) { return blank(wniosek(r, "typ_projektu")); }},
        {.number = "94"_rule,
         .severity = Severity::Error,
         .message = "Informacja o generowanych przychodach jest niekompletna",
         .table = "dsKatPrzych",
         .field = "Kategoria_przychodu",
         .control = "e613003",
         .fails = revenueIncomplete},
        {.number = "95"_rule,
         .severity = Severity::Error,
         .message = "Wartości przychodów nie powinny być wypełnione dla lat mniejszych od roku "
                    "rozpoczęcia "
                    "realizacji projektu.",
         .table = "dsKatPrzych",
         .field = "2004",
         .control = "e613003",
         .fails = [](ValidationRun& r) { return usedBeforeStart(r, kRevenue); }},
    };
    return kRules;
}
