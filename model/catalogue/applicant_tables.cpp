#include "model/catalogue/table_fields.h"

using namespace CatalogueBuild;

namespace CatalogueTables {

namespace {
// Region names of a key kept in a NUTS level: sl_NUTSn.ID by key -> NAZWA.
Spec region(const char* name, const char* table, const char* keyField) {
    return lookup(name, 50, table, "ID", keyField, "NAZWA");
}
// Legal form text: sl_FPR1.WARTOSC by key -> ZNACZENIE.
Spec legalForm(const char* name, const char* keyField) {
    return lookup(name, 50, "sl_FPR1", "WARTOSC", keyField, "ZNACZENIE");
}
} // namespace

// dsBeneficjent: the applicant (no prefix), the representative entity (pod_), the contact
// person (osk_), the authorised person (osup_), the signatory and bank account (bk_).
FieldList beneficjent() {
    return fields({
        str("Nazwa", 100),
        integer("adr_woj_id"),
        region("lkp_adr_woj", "sl_NUTS2", "adr_woj_id"),
        integer("adr_pow_id"),
        region("lkp_adr_pow", "sl_NUTS3", "adr_pow_id"),
        integer("adr_gm_id"),
        region("lkp_adr_gm", "sl_NUTS4", "adr_gm_id"),
        str("adr_miejscowosc", 50).titled("Miejscowość"),
        str("adr_ulica", 50).titled("Ulica"),
        str("adr_nr", 10).titled("Nr"),
        str("adr_nr_lok", 10),
        str("adr_kod", 6).masked(kPostCodeMask).titled("Kod"),
        str("nr_tel", 20).titled("Nr tel."),
        str("nr_fax", 20).titled("Nr faksu"),
        str("email", 100).titled("Adres poczty elektronicznej"),
        str("for_pr_kod", 5),
        legalForm("Lkp_for_pr", "for_pr_kod").titled("Forma prawna"),
        str("nr_rej_sad", 10),
        str("NIP", 13),
        str("REGON", 14),
        str("PESEL", 11),
        str("pod_nazwa", 100),
        integer("pod_adr_woj_id"),
        integer("pod_adr_pow_id"),
        integer("pod_adr_gm_id"),
        region("lkp_pod_adr_woj", "sl_NUTS2", "pod_adr_woj_id"),
        region("lkp_pod_adr_pow", "sl_NUTS3", "pod_adr_pow_id"),
        region("lkp_pod_adr_gmina", "sl_NUTS4", "pod_adr_gm_id"),
        str("pod_adr_miejscowosc", 50),
        str("pod_adr_ulica", 50),
        str("pod_adr_nr", 10),
        str("pod_adr_nr_lok", 10),
        str("pod_adr_kod", 6).masked(kPostCodeMask),
        str("pod_for_pr_kod", 10),
        legalForm("lkp_pod_for_pr", "pod_for_pr_kod"),
        str("pod_nr_rej_sad", 10),
        str("pod_NIP", 13),
        str("pod_REGON", 14),
        str("pod_PESEL", 11),
        str("pod_nr_tel", 20),
        str("pod_nr_fax", 50),
        str("pod_email", 100),
        str("osk_nazwisko", 50),
        str("osk_imie", 50),
        str("cal_osk_imie_naz", 101).calculated(),
        str("osk_rola", 1000),
        str("osk_nr_tel", 20),
        str("osk_nr_fax", 20),
        str("osk_email", 100),
        str("osk_adr_kor", 300),
        integer("osk_adr_woj_id"),
        integer("osk_adr_pow_id"),
        integer("osk_adr_gm_id"),
        str("osk_adr_ulica", 50),
        str("osk_adr_miejscowosc", 50),
        str("osk_adr_nr", 10),
        str("osk_adr_nr_lok", 10),
        str("osk_adr_kod", 6).masked(kPostCodeMask),
        region("lkp_osk_adr_woj", "sl_NUTS2", "osk_adr_woj_id"),
        region("lkp_osk_adr_pow", "sl_NUTS3", "osk_adr_pow_id"),
        region("lkp_osk_adr_gmina", "sl_NUTS4", "osk_adr_gm_id"),
        str("osup_nazwisko", 50),
        str("osup_imie", 50),
        str("cal_osup_imie_naz", 101).calculated(),
        str("osup_rola", 100),
        integer("osup_adr_woj_id"),
        integer("osup_adr_pow_id"),
        integer("osup_adr_gm_id"),
        region("lkp_osup_adr_woj", "sl_NUTS2", "osup_adr_woj_id"),
        region("lkp_osup_adr_pow", "sl_NUTS3", "osup_adr_pow_id"),
        region("lkp_osup_adr_gmina", "sl_NUTS4", "osup_adr_gm_id"),
        str("osup_adr_miejscowosc", 50),
        str("osup_adr_ulica", 50),
        str("osup_adr_nr", 10),
        str("osup_adr_nr_lok", 10),
        str("osup_adr_kod", 6).masked(kPostCodeMask),
        str("osup_nr_tel", 20),
        str("osup_nr_fax", 20),
        str("osup_email", 100),
        str("bk_imie", 50),
        str("bk_nazwisko", 50),
        date("bk_data_urodz"),
        str("bk_seria_nr_dowodu", 12),
        str("bk_nazwa_rachunku", 240),
        str("bk_wlasciciel_rachunkuk", 240),
        str("bk_nazwa_banku", 240),
        str("bk_adres_banku", 240),
        str("bk_numer_rachunku", 240),
        str("bk_miejsce_urodz", 60),
        str("osup_seria_nr_dowodu", 9).ofType(),
        str("bk_stanowisko", 240).ofType(),
        str("nr_rej_edg", 10).ofType(),
        str("pod_nr_edg", 10).ofType(),
    });
}

// dsOsobyUpow: further authorised persons, numbered Lp.
FieldList osobyUpow() {
    return fields({
        str("osup_nazwisko", 50),
        str("osup_imie", 50),
        str("osup_rola", 200),
        integer("osup_adr_woj_id"),
        integer("osup_adr_pow_id"),
        integer("osup_adr_gm_id"),
        region("lkp_osup_adr_woj", "sl_NUTS2", "osup_adr_woj_id"),
        region("lkp_osup_adr_pow", "sl_NUTS3", "osup_adr_pow_id"),
        region("lkp_osup_adr_gm", "sl_NUTS4", "osup_adr_gm_id"),
        str("osup_adr_miejscowosc", 50),
        str("osup_adr_ulica", 50),
        str("osup_adr_nr", 10),
        str("osup_adr_nr_lok", 10),
        str("osup_nr_tel", 20),
        str("osup_nr_fax", 20),
        str("osup_email", 100),
        str("osup_adr_kod", 6).masked(kPostCodeMask),
        integer("Lp"),
        str("calc_osup_imie_nazwisko", 60).calculated(),
    });
}

// dsInstytucje: other institutions involved in the project, numbered Lp.
FieldList instytucje() {
    return fields({
        integer("Lp.").mandatory(),
        str("Nazwa", 100),
        str("Adr_miejscowosc", 50).titled("Miejscowość"),
        str("adr_ulica", 50).titled("Ulica"),
        str("adr_nr", 10).titled("Nr"),
        str("adr_kod", 6).masked(kPostCodeMask).titled("Kod"),
        str("for_pr_kod", 5),
        legalForm("Lkp_for_pr", "for_pr_kod").titled("Forma prawna"),
        str("nr_tel", 20).titled("Nr tel."),
        str("nr_fax", 20).titled("Nr faksu"),
        str("email", 100).titled("Adres poczty elektronicznej"),
        str("rola", 1000).titled("Rola w projekcie"),
        str("osk_nazwisko", 50).titled("Nazwisko"),
        str("osk_imie", 50).titled("Imię"),
        str("cal_osk_imie_naz", 101).calculated(),
        str("adr_nr_lok", 10),
        integer("adr_woj_id"),
        region("lkp_adr_woj", "sl_NUTS2", "adr_woj_id"),
        integer("adr_pow_id"),
        region("lkp_adr_pow", "sl_NUTS3", "adr_pow_id"),
        integer("adr_gm_id"),
        region("lkp_adr_gm", "sl_NUTS4", "adr_gm_id"),
        str("nr_rej_sad", 10).ofType(),
        str("nr_rej_edg", 10).ofType(),
        str("NIP", 13).ofType(),
        str("REGON", 14).ofType(),
    });
}

} // namespace CatalogueTables
