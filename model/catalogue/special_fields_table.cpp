#include "model/catalogue/table_fields.h"

using namespace CatalogueBuild;

namespace CatalogueTables {

namespace {
// The answer columns of an attachment row: yes for works, supplies, services; no; not
// applicable.
FieldList attachment(const char* code) {
    return attachmentFlags(code, {"RT", "DT", "UT", "N", "ND"}, Level::Type);
}
} // namespace

// dsPolaSpec: the attachment list and further single values; a table of this type.
FieldList polaSpec() {
    return fields({
        str("CZYWYSTINNEINS", 1).ofType(),
        str("INNEPODZAANOP", 4000).ofType(),
        attachment("ZALBIZPL"),
        attachment("ZALOCSROD"),
        attachment("ZALPOZBUD"),
        attachment("ZALWARZAB"),
        attachment("ZALDYSPGR"),
        attachment("ZALDYSPOBTOW"),
        attachment("ZALMAPY"),
        attachment("ZALDOKTECH"),
        attachment("ZALWSPOLFIN"),
        attachment("ZALOCFIN"),
        attachment("ZALBIL"),
        attachment("ZALRZS"),
        attachment("ZALINSZAK"),
        attachment("ZALWYPKRS"),
        attachment("ZALKOPUM"),
        attachment("ZALINDOK"),
        attachmentFlags("ZALZAKZAD", {"RT", "UT", "DT", "N", "ND"},
                        Level::Type), // services before supplies
        attachment("ZALBMOPV"),
        str("ZALWYKINNEDOK", 4000).ofType(),
        str("ZAMPON6000EURO", 4000).ofType(),
        str("ADRESAT_WNIOSKU", 240).ofType(),
        attachment("ZALOSWBENKONTR"),
        attachment("ZALOPISWDRPROJ"),
        attachment("ZALSCHPRZEPLSROD"),
    });
}

} // namespace CatalogueTables
