#include "model/catalogue/table_fields.h"

using namespace CatalogueBuild;

namespace CatalogueTables {

namespace {
// dsZrodlaFin and dsProfilWyd share one layout. The base module's default "0" of the
// amounts and percentages is dropped by this type: new rows get their zeros from the
// insert rule, for the visible years only. The percentages are declared calculated but
// hold what the percentage step writes into each row.
FieldList financeTree(const char* totalLabel, Level percentLevel) {
    const Spec amount = real("").formatted(kAmountFormat).titled("PLN");
    Spec percent = real("").calculated().formatted(kAmountFormat).titled("%");
    percent.level = percentLevel;
    Spec percentTotal = percent;
    percentTotal.name = "Razem_pr";
    return fields({
        str("Zrodlo", 100).titled("Źródło"),
        yearColumns(amount),
        real("RAZEM").calculated().formatted(kAmountFormat).titled(totalLabel),
        percentColumns(percent),
        percentTotal,
        integer("par_id"),
        integer("Id").mandatory().titled("Lp."),
    });
}
} // namespace

// dsZrodlaFin: sources of finance.
FieldList zrodlaFin() {
    return financeTree("PLN", Level::Base);
}

// dsProfilWyd: expenditure profile; this type declares all of its percentage columns.
FieldList profilWyd() {
    return financeTree("SUMA", Level::Type);
}

// dsPlanWydatki: planned expenditure per stage, qualified or not; a table of this type.
FieldList planWydatki() {
    return fields({
        str("Kategoria", 100).ofType(),
        yearColumns(real("").ofType()),
        integer("Id").ofType().mandatory(),
        real("RAZEM").ofType().calculated(),
        integer("Etap").ofType(),
        str("CZY_KWALIFIKOWANE", 1).ofType(),
        str("clcKwalifikowane", 20).ofType().calculated(),
    });
}

// dsWydatkiKw, dsWydatkiNKw: qualified and non-qualified expenditure of the base module,
// years of the base module only.
FieldList wydatki() {
    return fields({
        str("Kategoria", 120).titled("Kategoria wydatku"),
        yearColumns(real("").byDefault("0"), kLastBaseYear),
        real("RAZEM").calculated(),
        integer("Id").mandatory().titled("Lp."),
    });
}

// dsCalkKoszt: total cost of the base module.
FieldList calkKoszt() {
    return fields({
        yearColumns(real("").byDefault("0"), kLastBaseYear),
        real("RAZEM").byDefault("0"),
    });
}

} // namespace CatalogueTables
