#include "model/catalogue/table_fields.h"

using namespace CatalogueBuild;

namespace CatalogueTables {

// Mapowanie: the base module's older field mapping; kept, not used by this type.
FieldList mapowanie() {
    return fields({
        str("DataSet", 20),
        str("DataField", 30),
        str("Tabela", 30),
        str("Atrybut", 30),
        str("Sposob", 10),
    });
}

// tabMapZrodlaFin: renames of older source-of-finance texts.
FieldList tabMapZrodlaFin() {
    return fields({
        str("ds_name", 20).mandatory(),
        str("lookup_field", 20).mandatory(),
        str("old_src", 240).mandatory(),
        str("new_src", 240).mandatory(),
        str("fields_copied", 240).mandatory(),
        str("other", 240),
        str("gen_version", 30),
    });
}

// tabMapowanie: the dataset-to-database mapping that drives the file writer; a table of
// this type.
FieldList tabMapowanie() {
    return fields({
        str("dsname", 30).ofType(),
        str("plo_tabela", 30).ofType(),
        str("nowy_wiersz", 1).ofType(),
        str("plo_kolumny", 2500).ofType(),
        str("plo_wartosci", 2500).ofType(),
        str("niebazowe", 2500).ofType(),
        str("inna_wartosc", 100).ofType(),
        str("plo_nadrzedna", 30).ofType(),
        str("warunek", 100).ofType(),
    });
}

} // namespace CatalogueTables
