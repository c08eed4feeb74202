#include "model/catalogue/table_fields.h"

using namespace CatalogueBuild;

namespace CatalogueTables {

// dsPomocPub: public aid already received. Opening the table later narrows the display
// formats of the date and the amount.
FieldList pomocPub() {
    return fields({
        integer("Lp.").mandatory(),
        date("Data_udz_pom"),
        str("Tytul_pomocy", 200).titled("Tytuł pomocy"),
        real("Kwota_pomocy").formatted(kAmountFormat).titled("Kwota pomocy (PLN)"),
        str("zrodlo_pomocy", 240),
    });
}

// dsZamPub: public procurement procedures; a table of this type.
FieldList zamPub() {
    return fields({
        integer("lp").ofType(),
        str("zgod_zam_pub", 5).ofType(),
        lookup("lkp_zgod_zam_pub", 60, "sl_ZPU1", "WARTOSC", "zgod_zam_pub", "ZNACZENIE").ofType(),
        str("zgod_zam_pub_rozp", 1).ofType(),
        date("zgod_zam_pub_data_rozp").ofType(),
        date("zgod_zam_pub_data_ogl").ofType(),
        str("zgod_zam_pub_nr_ogl", 100).ofType(),
        str("zgod_zam_pub_przedmiot", 100).ofType(),
    });
}

} // namespace CatalogueTables
