#include "model/catalogue/table_fields.h"

using namespace CatalogueBuild;

namespace CatalogueTables {

// dsPozWdr: the implementation path, four levels of sl_PWD1 ... sl_PWD4.
FieldList pozWdr() {
    return fields({
        integer("PWD_ID1"),
        integer("PWD_ID2"),
        integer("PWD_ID3"),
        integer("PWD_ID4"),
        integer("PWD_ID").calculated(),
        lookup("lkp_pwd1", 200, "sl_PWD1", "PWD_ID", "PWD_ID1", "PWD_NAZWA"),
        lookup("lkp_pwd2", 200, "sl_PWD2", "PWD_ID", "PWD_ID2", "PWD_NAZWA"),
        lookup("lkp_pwd3", 200, "sl_PWD3", "PWD_ID", "PWD_ID3", "PWD_NAZWA"),
        lookup("lkp_pwd4", 200, "sl_PWD4", "PWD_ID", "PWD_ID4", "PWD_NAZWA"),
        lookup("PWD_KOD_ID4", 10, "sl_PWD4", "PWD_ID", "PWD_ID4", "PWD_KOD_ID").ofType(),
        lookup("PWD_KOD_ID3", 5, "sl_PWD3", "PWD_ID", "PWD_ID3", "PWD_KOD_ID").ofType(),
        lookup("PWD_KOD_ID2", 5, "sl_PWD2", "PWD_ID", "PWD_ID2", "PWD_KOD_ID").ofType(),
        lookup("PWD_KOD_ID1", 5, "sl_PWD1", "PWD_ID", "PWD_ID1", "PWD_KOD_ID").ofType(),
    });
}

// dsKatInt: the intervention category, three levels of sl_INT1 ... sl_INT3.
FieldList katInt() {
    return fields({
        integer("ID1"),
        integer("ID2"),
        integer("ID3"),
        integer("ID").calculated(),
        lookup("lkp_kat1", 240, "sl_INT1", "ID", "ID1", "NAZWA"),
        lookup("lkp_kat2", 240, "sl_INT2", "ID", "ID2", "NAZWA"),
        lookup("lkp_kat3", 240, "sl_INT3", "ID", "ID3", "NAZWA"),
        lookup("KOD1", 20, "sl_INT1", "ID", "ID1", "KOD").ofType(),
        lookup("KOD2", 20, "sl_INT2", "ID", "ID2", "KOD").ofType(),
        lookup("KOD3", 20, "sl_INT3", "ID", "ID3", "KOD").ofType(),
    });
}

// dsLokalizacja: project locations by region keys of sl_NUTS2 ... sl_NUTS4.
FieldList lokalizacja() {
    return fields({
        integer("Lp.").calculated(),
        integer("WOJ_ID"),
        integer("Pow_ID"),
        integer("Gm_ID"),
        integer("JGE_ID").calculated(),
        lookup("Lkp_woj", 200, "sl_NUTS2", "ID", "WOJ_ID", "NAZWA").titled("Województwo"),
        lookup("Lkp_pow", 200, "sl_NUTS3", "ID", "Pow_ID", "NAZWA").titled("Powiat"),
        lookup("Lkp_gm", 200, "sl_NUTS4", "ID", "Gm_ID", "NAZWA").titled("Gmina"),
        str("Miejscowosc", 50).titled("Miejscowość"),
        lookup("gm_kod", 50, "sl_NUTS4", "ID", "Gm_ID", "KOD"),
        lookup("woj_kod", 50, "sl_NUTS2", "ID", "WOJ_ID", "KOD"),
        lookup("pow_kod", 50, "sl_NUTS3", "ID", "Pow_ID", "KOD"),
    });
}

// dsProdukty, dsRezultaty, dsOddz: target values of an indicator per year; counts.
FieldList indicator(const char* itemColumn) {
    return fields({
        integer("Lp.").mandatory(),
        str(itemColumn, 200).enlargedFrom(50),
        yearColumns(real("").formatted(kCountFormat)),
        real("Razem").calculated().formatted(kCountFormat),
        str("Jedn_miary", 10).titled("Jedn. miary"),
    });
}

// dsKatPrzych: revenue per year and for the five years after the project.
FieldList katPrzych() {
    const Spec amount = real("").byDefault("0").formatted(kAmountFormat);
    return fields({
        integer("Lp.").mandatory(),
        str("Kategoria_przychodu", 30).titled("Kategoria przychodu"),
        yearColumns(amount),
        real("Razem").calculated().formatted(kAmountFormat),
        real("srednioroczny").byDefault("0").formatted(kAmountFormat).titled("Dochód"),
        real("n_1").ofType().byDefault("0").formatted(kAmountFormat).titled("n + 1"),
        real("n_2").ofType().byDefault("0").formatted(kAmountFormat).titled("n + 2"),
        real("n_3").ofType().byDefault("0").formatted(kAmountFormat).titled("n + 3"),
        real("n_4").ofType().byDefault("0").formatted(kAmountFormat).titled("n + 4"),
        real("n_5").ofType().byDefault("0").formatted(kAmountFormat).titled("n + 5"),
        real("Razem_n").ofType().calculated().formatted(kAmountFormat).titled("Razem"),
    });
}

} // namespace CatalogueTables
