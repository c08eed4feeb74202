#include "model/catalogue/field_builders.h"

#include <QByteArray>

using namespace CatalogueBuild;

namespace {

constexpr FieldSpec kNuts1[] = {
    int64("ID").mandatory(), int64("PARENT_ID"),  str("KOD", 20),
    str("NAZWA", 120),       boolean("Selected"),
};
constexpr FieldSpec kNuts2[] = {
    integer("ID").mandatory(), int64("PARENT_ID"),  str("KOD", 20),
    str("NAZWA", 120),         boolean("Selected"),
};
constexpr FieldSpec kNuts34[] = {
    integer("ID").mandatory(),
    integer("PARENT_ID"),
    str("KOD", 20),
    str("NAZWA", 120),
};
constexpr FieldSpec kPwd[] = {
    integer("PWD_ID"),     integer("PWD_PWD_ID"),       str("PWD_KOD_ID", 10),
    str("PWD_NAZWA", 240), str("PWD_EFS_DO_KOGO", 500), boolean("Selected"),
};
constexpr FieldSpec kInt12[] = {
    integer("ID").mandatory(), integer("PARENT_ID"), str("KOD", 10),
    str("NAZWA", 240),         boolean("Selected"),
};
constexpr FieldSpec kInt3[] = {
    integer("ID").mandatory(),
    integer("PARENT_ID"),
    str("KOD", 10),
    str("NAZWA", 240),
};
// The flat code lists: a code and its text.
constexpr FieldSpec kFlat[] = {str("WARTOSC", 5), str("ZNACZENIE", 200)};
constexpr FieldSpec kZat[] = {str("WARTOSC", 20), str("ZNACZENIE", 200)};
constexpr FieldSpec kZas[] = {integer("zws_pwd_id"), integer("zws_dws_id")};
constexpr FieldSpec kKwd[] = {
    integer("ID"), integer("KWD_ID"), str("NAZWA", 240), str("CZY_KWALIFIKOWALNA", 1),
    str("KOD", 4),
};
constexpr FieldSpec kKwp[] = {integer("kwp_pwd_id"), integer("kwp_kwd_id")};

constexpr TableSpec kDictionaries[] = {
    {"sl_NUTS1", Level::Base, kNuts1},  {"sl_NUTS2", Level::Base, kNuts2},
    {"sl_NUTS3", Level::Base, kNuts34}, {"sl_NUTS4", Level::Base, kNuts34},
    {"sl_PWD1", Level::Base, kPwd},     {"sl_PWD2", Level::Base, kPwd},
    {"sl_PWD3", Level::Base, kPwd},     {"sl_PWD4", Level::Base, kPwd},
    {"sl_INT1", Level::Base, kInt12},   {"sl_INT2", Level::Base, kInt12},
    {"sl_INT3", Level::Base, kInt3},    {"sl_FPR1", Level::Base, kFlat},
    {"sl_RPR1", Level::Base, kFlat},    {"sl_UPR1", Level::Base, kFlat},
    {"sl_WNS1", Level::Base, kFlat},    {"sl_RPC1", Level::Base, kFlat},
    {"sl_ZPU1", Level::Base, kFlat},    {"sl_ZAT1", Level::Base, kZat},
    {"sl_ZAS1", Level::Base, kZas},     {"sl_KWD1", Level::Base, kKwd},
    {"sl_KWP1", Level::Base, kKwp},
};

struct DeclaredFilter {
    const char* table;
    const char* filter;
};

// The filters the flat lists are created with; the dictionary gate later replaces some.
constexpr DeclaredFilter kDeclaredFilters[] = {
    {"sl_INT1", "KOD = '3' OR KOD = '4'"},
    {"sl_WNS1", "WARTOSC = 'PPS' or WARTOSC = 'POS' or WARTOSC = 'GPS'"},
    {"sl_RPC1", "WARTOSC = 'A' or WARTOSC = 'B' or WARTOSC = 'C'"},
    {"sl_ZPU1", "WARTOSC='PN' OR WARTOSC='PO' OR WARTOSC='NZO' OR WARTOSC='NBO' OR WARTOSC='ZOC' "
                "OR WARTOSC='ZWR' OR WARTOSC='AEL'"},
};

} // namespace

namespace Catalogue {

std::span<const TableSpec> dictionaryTables() {
    return kDictionaries;
}

const char* declaredDictionaryFilter(const char* table) {
    if (!table) return nullptr;
    for (const DeclaredFilter& f : kDeclaredFilters)
        if (qstricmp(f.table, table) == 0) return f.filter;
    return nullptr;
}

} // namespace Catalogue
