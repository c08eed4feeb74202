// Rules 1 and 4-24 (programme classification, project identification and description)
// and 43-44 (horizontal policies).
#include "platform/utils/dictionaryfilter.h"
#include "validation/rules_project_parts.h"

namespace ProjectRules {

namespace {

// Whether the intervention-category dictionary of a level offers entries under the
// chosen upper level, as the cascading lookup would list them. The table's own filter
// text and switch are put back afterwards, also when the test throws.
bool dictionaryOffersChildren(ValidationRun& run, int level, const Field& parent) {
    DataSet& dictionary = *run.dm.dictionaryTable(QStringLiteral("INT"), level);
    struct RestoreFilter {
        DataSet& table;
        QString text;
        bool on;
        ~RestoreFilter() {
            table.setFiltered(false);
            table.setFilter(text);
            table.setFiltered(on);
        }
    } restore{dictionary, dictionary.filter(), dictionary.isFiltered()};
    Utils::setDictionaryFilter(dictionary, QStringLiteral("PARENT_ID"), parent.asString(), true);
    return !dictionary.isEmpty();
}

// A lower intervention level is required exactly when the dictionary has entries under
// the chosen upper one.
Condition lowerCategoryMissing(int level) {
    return [level](ValidationRun& run) {
        const Field& parent = fieldOf(run, "dsKatInt", level == 2 ? "id1" : "id2");
        const Field& own = fieldOf(run, "dsKatInt", level == 2 ? "ID2" : "ID3");
        return dictionaryOffersChildren(run, level, parent) && blank(own);
    };
}

bool anyOtherProjectSource(ValidationRun& run) {
    for (const char* flag :
         {"inne_pr_kontr_woj", "inne_pr_sr_UE", "inne_pr_in_mnar", "inne_pr_EFRR"})
        if (is(fieldOf(run, "dsWniosek", flag), "T")) return true;
    return false;
}

} // namespace

std::vector<ValidationRule> programmeAndProjectRules() {
    return {
        rule("1"_rule,
             "Rodzaj projektu \"Inne\" może być wybrany jedynie dla priorytetu operacyjnego "
             "\"Pomoc Techniczna\"",
             "dsWniosek", "lkp_rodz_projektu", "e601001",
             [](ValidationRun& r) {
                 return is(fieldOf(r, "dsWniosek", "rodz_proj"), "IN") &&
                        !is(fieldOf(r, "dsPozWdr", "PWD_KOD_ID2"), "3");
             }),
        // The programme-level section's control itself: the programme has no field of
        // its own that leads there.
        rule("4"_rule, "Pole \"Nazwa programu operacyjnego\" musi być wypełnione", nullptr, nullptr,
             "e100001",
             [](ValidationRun& r) {
                 return r.dm.table(QStringLiteral("dsPozWdr")).isEmpty() ||
                        blank(fieldOf(r, "dsPozWdr", "PWD_ID1"));
             }),
        rule("5"_rule, "Pole \"Nazwa priorytetu programu operacyjnego\" musi być wypełnione",
             "dsPozWdr", "lkp_pwd2", "e200001", blankField("dsPozWdr", "PWD_ID2")),
        rule("6"_rule,
             "Pole \"Nazwa działania w ramach priorytetu programu operacyjnego\" musi być "
             "wypełnione",
             "dsPozWdr", "lkp_pwd3", "e300001", blankField("dsPozWdr", "PWD_ID3")),
        rule("7"_rule,
             "Pole \"Nazwa poddziałania w ramach priorytetu programu operacyjnego\" musi być "
             "wypełnione",
             "dsPozWdr", "lkp_pwd4", "e400002",
             [](ValidationRun& r) {
                 return !is(fieldOf(r, "dsWniosek", "pwd_nie_dot_4poz"), "T") &&
                        empty(fieldOf(r, "dsPozWdr", "PWD_ID4"));
             }),
        rule("8"_rule, "Pole \"Tytuł projektu\" musi być wypełnione", "dsWniosek", "tytul_projektu",
             "tytul_projektu", blankField("dsWniosek", "tytul_projektu")),
        rule("9"_rule, "Pole \"Rodzaj projektu\" musi być wypełnione", "dsWniosek",
             "lkp_rodz_projektu", "e601001", blankField("dsWniosek", "rodz_proj")),
        rule("10"_rule, "Pole \"Nazwa kategorii interwencji - poziom 1\" musi być wypełnione",
             "dsKatInt", "Lkp_kat1", "e602001", blankField("dsKatInt", "ID1")),
        rule("11"_rule, "Pole \"Nazwa kategorii interwencji - poziom 2\" musi być wypełnione",
             "dsKatInt", "Lkp_kat2", "dxDBLookupEdit1", lowerCategoryMissing(2)),
        rule("12"_rule, "Pole \"Nazwa kategorii interwencji - poziom 3\" musi być wypełnione",
             "dsKatInt", "Lkp_kat3", "dxDBLookupEdit2", lowerCategoryMissing(3)),
        rule("13"_rule, "Pole \"Identyfikacja obszaru realizacji Projektu\" musi być wypełnione",
             "dsWniosek", "lkp_umiejscowienie", "e603001",
             blankField("dsWniosek", "Umiejscowienie")),
        // The location of the current row, whichever it is when the run starts.
        rule("14"_rule, "Pole \"Miejsce realizacji Projektu\" musi być wypełnione", "dsLokalizacja",
             "lkp_woj", "e604003",
             [](ValidationRun& r) {
                 const bool noPlace = r.dm.table(QStringLiteral("dsLokalizacja")).isEmpty() ||
                                      blank(fieldOf(r, "dsLokalizacja", "JGE_ID"));
                 return noPlace && !is(fieldOf(r, "dsWniosek", "lok_caly_kraj"), "T");
             }),
        rule("15"_rule, "Pole \"Opis, cel i uzasadnienie Projektu \" musi być wypełnione",
             "dsWniosek", "opis_projektu", "e605001", blankField("dsWniosek", "opis_projektu")),
        rule("16"_rule, "Informacja o powiązaniach projektu jest niekompletna", "dsWniosek",
             "powiazania_projektu", "e606002",
             [](ValidationRun& r) {
                 return !is(fieldOf(r, "dsWniosek", "powiazania_projektu_nie_dot"), "T") &&
                        blank(fieldOf(r, "dsWniosek", "powiazania_projektu"));
             }),
        rule("17"_rule,
             "Informacja na temat innych projektów jest niekompletna - kontrakty wojewódzkie",
             "dsWniosek", "inne_pr_kontr_woj", "e607011",
             blankField("dsWniosek", "inne_pr_kontr_woj")),
        rule("18"_rule, "Informacja na temat innych projektów jest niekompletna - środki UE",
             "dsWniosek", "inne_pr_sr_UE", "e607021", blankField("dsWniosek", "inne_pr_sr_UE")),
        rule("19"_rule,
             "Informacja na temat innych projektów jest niekompletna - intytucje międzynarodowe",
             "dsWniosek", "inne_pr_in_mnar", "e607031", blankField("dsWniosek", "inne_pr_in_mnar")),
        rule("20"_rule, "Informacja na temat innych projektów jest niekompletna - środki EFRR",
             "dsWniosek", "inne_pr_EFRR", "e607041", blankField("dsWniosek", "inne_pr_EFRR")),
        rule("21"_rule, "Informacja na temat innych projektów jest niekompletna", "dsWniosek",
             "inne_pr_opis", "e607005",
             [](ValidationRun& r) {
                 return blank(fieldOf(r, "dsWniosek", "inne_pr_opis")) && anyOtherProjectSource(r);
             }),
        rule("22"_rule, "Pole \"Trwalosc projektu\"musi być wypełnione", "dsWniosek",
             "trwalosc_projektu", "e609001", blankField("dsWniosek", "trwalosc_projektu")),
        rule("23"_rule, "Informacja na temat potrzeby uzyskania wsparcia jest niekompletna",
             "dsWniosek", "potrzeba_wsparcia", "e610001",
             blankField("dsWniosek", "potrzeba_wsparcia")),
        rule("24"_rule, "Informacja na temat potrzeby uzyskania wsparcia jest niekompletna",
             "dsWniosek", "potrzeba_wsparcia_uzasad", "e610006",
             [](ValidationRun& r) {
                 return !blank(fieldOf(r, "dsWniosek", "potrzeba_wsparcia")) &&
                        blank(fieldOf(r, "dsWniosek", "potrzeba_wsparcia_uzasad"));
             }),
    };
}

std::vector<ValidationRule> horizontalPolicyRules() {
    return {
        rule("43"_rule,
             "Informacja na temat zgodności z polityką ochrony środowiska jest niekompletna",
             "dsWniosek", "lkp_zgod_srod", "e617001", blankField("dsWniosek", "zgod_srod")),
        rule("44"_rule, "Informacja na temat zgodności z polityką równych szans jest niekompletna",
             "dsWniosek", "lkp_zgod_row_szans", "e618001",
             [](ValidationRun& r) {
                 return blank(fieldOf(r, "dsWniosek", "zgod_row_szans")) ||
                        blank(fieldOf(r, "dsWniosek", "zgod_row_szans_uzasad"));
             }),
    };
}

} // namespace ProjectRules
