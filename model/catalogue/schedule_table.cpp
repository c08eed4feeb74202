#include "model/catalogue/table_fields.h"

using namespace CatalogueBuild;

namespace CatalogueTables {

// dsEtapyRealizacji: stages of the project schedule; a table of this type. The _TMP texts
// are the month inputs behind the two dates.
FieldList etapyRealizacji() {
    return fields({
        integer("Lp").ofType().titled("Nr etapu"),
        str("ZAKRES_PRAC", 200).ofType().titled("Opis"),
        date("TERMIN_ROZP").ofType().titled("Rozpoczęcie realizacji"),
        date("TERMIN_ZAK").ofType().titled("Zakończenie realizacji"),
        str("TERMIN_ROZP_TMP", 7).ofType(),
        str("TERMIN_ZAK_TMP", 7).ofType(),
    });
}

} // namespace CatalogueTables
