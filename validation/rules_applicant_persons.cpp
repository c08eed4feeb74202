// Rules 50-84: the applicant, the authorised and contact persons, the other involved
// institutions and the applicant's declaration.
#include "platform/hostenv/codepage.h"
#include "platform/hostenv/codepagetext.h"
#include "platform/utils/datasetscans.h"
#include "validation/rules_project_parts.h"

#include <QDate>

namespace ProjectRules {

namespace {

constexpr const char* kApplicant = "dsBeneficjent";

// An applicant field that must not be blank, leading to a control of its own or of the
// lookup that shows it.
ValidationRule required(RuleNumber number, const char* message, const char* tested,
                        const char* target, const char* control) {
    return rule(number, message, kApplicant, target, control, blankField(kApplicant, tested));
}
ValidationRule required(RuleNumber number, const char* message, const char* field,
                        const char* control) {
    return required(number, message, field, field, control);
}

// A name of the declaration must be written in capitals (as the system's code page
// writes them, Polish letters included; "ß" has no capital there); a blank name passes.
Condition notInCapitals(const char* field) {
    return [field](ValidationRun& r) {
        const QString name = fieldOf(r, kApplicant, field).asString().trimmed();
        return name != HostEnv::toUpperInCodePage(name, HostEnv::systemCodePageName());
    };
}

// The other-institutions block applies unless its switch is "N" (blank applies too).
bool institutionsApply(ValidationRun& r) {
    return !is(fieldOf(r, "dsPolaSpec", "CZYWYSTINNEINS"), "N");
}

bool institutionsIncomplete(ValidationRun& r) {
    DataSet& institutions = r.dm.table(QStringLiteral("dsInstytucje"));
    for (const char* field : {"Nazwa", "for_pr_kod", "adr_miejscowosc", "rola", "adr_nr", "adr_kod",
                              "nr_tel", "osk_nazwisko", "osk_imie"})
        if (Utils::anyRowEmpty(institutions, QLatin1String(field))) return true;
    return blank(fieldOf(r, "dsPolaSpec", "INNEPODZAANOP"));
}

Condition institutionNumberBad(const char* field, int digits) {
    return [field, digits](ValidationRun& r) {
        return institutionsApply(r) &&
               Utils::anyRowWithBadDigits(r.dm.table(QStringLiteral("dsInstytucje")),
                                          QLatin1String(field), digits);
    };
}

} // namespace

std::vector<ValidationRule> applicantRules() {
    return {
        required("50"_rule, "Pole \"Nazwa beneficjenta końcowego\" musi być wypełnione", "Nazwa",
                 "e500001"),
        required("51"_rule, "Pole \"Forma prawna\" musi być wypełnione", "for_pr_kod", "lkp_for_pr",
                 "e500002"),
        required("52"_rule, "Pole \"Adres - województwo\" musi być wypełnione", "adr_woj_id",
                 "lkp_adr_woj", "e500003"),
        required("53"_rule, "Pole \"Adres - powiat\" musi być wypełnione", "adr_pow_id",
                 "lkp_adr_pow", "e500004"),
        required("54"_rule, "Pole \"Adres - gmina\" musi być wypełnione", "adr_gm_id", "lkp_adr_gm",
                 "e500005"),
        required("55"_rule, "Pole \"Adres - miejscowość\" musi być wypełnione", "adr_miejscowosc",
                 "e500006"),
        required("56"_rule, "Pole \"Adres - numer domu\" musi być wypełnione", "adr_nr", "e500008"),
        required("57"_rule, "Pole \"Adres - kod pocztowy\" musi być wypełnione", "adr_kod",
                 "e500009"),
        required("58"_rule, "Pole \"Numer telefonu\" musi być wypełnione", "nr_tel", "e500010"),
        required("59"_rule, "Pole \"NIP\" musi być wypełnione", "NIP", "e500014"),
        rule("60"_rule, "Pole \"Numer w KRS oraz EDG\", lub \"REGON\"musi być wypełnione",
             kApplicant, "nr_rej_sad", "e500013",
             [](ValidationRun& r) {
                 return blank(fieldOf(r, kApplicant, "nr_rej_sad")) &&
                        blank(fieldOf(r, kApplicant, "REGON"));
             }),
        required("61"_rule, "Pole \"Osoba upoważniona - nazwisko\" musi być wypełnione",
                 "osup_nazwisko", "dxDBEdit3"),
        required("62"_rule, "Pole \"Osoba upoważniona - imię\" musi być wypełnione", "osup_imie",
                 "dxDBEdit2"),
        required("63"_rule, "Pole \"Osoba upoważniona - stanowisko...\" musi być wypełnione",
                 "osup_rola", "e501003"),
        required("64"_rule, "Pole \"Osoba upoważniona, Adres - województwo\" musi być wypełnione",
                 "osup_adr_woj_id", "lkp_osup_adr_woj", "e501004"),
        required("65"_rule, "Pole \"Osoba upoważniona, Adres - powiat\" musi być wypełnione",
                 "osup_adr_pow_id", "lkp_osup_adr_pow", "e501005"),
        required("66"_rule, "Pole \"Osoba upoważniona, Adres - gmina\" musi być wypełnione",
                 "osup_adr_gm_id", "lkp_osup_adr_gmina", "e501006"),
        required("67"_rule, "Pole \"Osoba upoważniona, Adres - miejscowość\" musi być wypełnione",
                 "osup_adr_miejscowosc", "e501007"),
        required("68"_rule, "Pole \"Osoba upoważniona, Adres - numer domu\" musi być wypełnione",
                 "osup_adr_nr", "e501009"),
        // The authorised person's section repeats the applicant's control names.
        required("69"_rule, "Pole \"Osoba upoważniona, Adres - kod pocztowy\" musi być wypełnione",
                 "osup_adr_kod", "e500009"),
        required("70"_rule, "Pole \"Osoba upoważniona - numer telefonu\" musi być wypełnione",
                 "osup_nr_tel", "e500010"),
        required("71"_rule,
                 "Pole \"Osoba upoważniona do kontaktów - nazwisko\" musi być wypełnione",
                 "osk_nazwisko", "e503001"),
        required("72"_rule, "Pole \"Osoba upoważniona do kontaktów - imię\" musi być wypełnione",
                 "osk_imie", "e503002"),
        required("73"_rule,
                 "Pole \"Osoba upoważniona do kontaktów - stanowisko...\" musi być wypełnione",
                 "osk_rola", "e503003"),
        required("74"_rule,
                 "Pole \"Osoba upoważniona do kontaktów - numer telefonu\" musi być wypełnione",
                 "osk_nr_tel", "e503004"),
        required(
            "75"_rule,
            "Pole \"Osoba upoważniona do kontaktów - adres do korespondencji\" musi być wypełnione",
            "osk_adr_kor", "e503007"),
        rule("76"_rule, "Informacja o innych podmiotach zaangazowanych jest niekompletna ",
             "dsInstytucje", "Nazwa", "e608002",
             [](ValidationRun& r) { return institutionsApply(r) && institutionsIncomplete(r); }),
        rule("77"_rule, "Dla podmiotów zaangażowanych ilość cyfr w nr NIP powinna wynosić 10",
             "dsInstytucje", "NIP", "e608002", institutionNumberBad("NIP", 10)),
        rule("78"_rule, "Dla podmiotów zaangażowanych ilość cyfr w nr regon powinna wynosić 9",
             "dsInstytucje", "REGON", "e608002", institutionNumberBad("REGON", 9)),
        required("79"_rule, "Pole \"Oświadczenie beneficjenta - imię\" musi być wypełnione",
                 "bk_imie", "BK_IMIE", "e800001"),
        rule("80"_rule,
             "Pole \"Oświadczenie beneficjenta - imię\" powinno być wpisane drukowanymi literami",
             kApplicant, "BK_IMIE", "e800001", notInCapitals("bk_imie")),
        required("81"_rule, "Pole \"Oświadczenie beneficjenta - nazwisko\" musi być wypełnione",
                 "bk_nazwisko", "BK_NAZWISKO", "dxDBEdit1"),
        rule("82"_rule,
             "Pole \"Oświadczenie beneficjenta - nazwisko\" powinno być wpisane drukowanymi "
             "literami",
             kApplicant, "BK_NAZWISKO", "dxDBEdit1", notInCapitals("bk_nazwisko")),
        required("83"_rule,
                 "Pole \"Oświadczenie beneficjenta - zajmowane stanowisko\" musi być wypełnione",
                 "bk_stanowisko", "e800002"),
        rule("84"_rule,
             "Pole \"Oświadczenie beneficjenta - data\" nie może zawierać wcześniejszej daty niż: "
             "2004.01.01",
             "dsWniosek", "osw_ben_data", "e800003",
             [](ValidationRun& r) {
                 const Field& date = fieldOf(r, "dsWniosek", "osw_ben_data");
                 return !empty(date) && date.asDate() < QDate(2004, 1, 1);
             }),
    };
}

} // namespace ProjectRules
