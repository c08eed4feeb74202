// Region, level and category cascades: a parent key that changes empties its child.
#include "model/dm_main.h"
#include "model/record_hooks.h"
#include "model/record_rules.h"

using namespace RecordHooks;

namespace {

struct Cascade {
    const char* table;
    const char* parent;
    const char* child;
};

// The emptied child's own rule empties the grandchild in turn. PWD_ID2 has a further
// rule of its own (afterPriorityChanged).
constexpr Cascade kCascades[] = {
    {"dsBeneficjent", "adr_woj_id", "adr_pow_id"},
    {"dsBeneficjent", "adr_pow_id", "adr_gm_id"},
    {"dsBeneficjent", "pod_adr_woj_id", "pod_adr_pow_id"},
    {"dsBeneficjent", "pod_adr_pow_id", "pod_adr_gm_id"},
    {"dsBeneficjent", "osk_adr_woj_id", "osk_adr_pow_id"},
    {"dsBeneficjent", "osk_adr_pow_id", "osk_adr_gm_id"},
    {"dsBeneficjent", "osup_adr_woj_id", "osup_adr_pow_id"},
    {"dsBeneficjent", "osup_adr_pow_id", "osup_adr_gm_id"},
    {"dsLokalizacja", "WOJ_ID", "Pow_ID"},
    {"dsLokalizacja", "Pow_ID", "Gm_ID"},
    {"dsLokalizacja", "Gm_ID", "Miejscowosc"},
    {"dsPozWdr", "PWD_ID1", "PWD_ID2"},
    {"dsPozWdr", "PWD_ID3", "PWD_ID4"},
    {"dsKatInt", "ID1", "ID2"},
    {"dsKatInt", "ID2", "ID3"},
};

const char* const kRprWithOther = "WARTOSC='RB' OR WARTOSC='S' OR WARTOSC='DS' OR WARTOSC='IN'";
const char* const kRprWithoutOther = "WARTOSC='RB' OR WARTOSC='S' OR WARTOSC='DS'";

} // namespace

void RecordRules::attachRegionCascades() {
    for (const Cascade& c : kCascades) {
        Field* child = &field(c.table, c.child);
        onChange(c.table, c.parent, [this, child](Field&) { ZerujZalezne(*child); });
    }
    // The further authorised persons only assign the empty text: their row is always
    // being edited when a key changes.
    Field* pow = &field("dsOsobyUpow", "osup_adr_pow_id");
    Field* gm = &field("dsOsobyUpow", "osup_adr_gm_id");
    onChange("dsOsobyUpow", "osup_adr_woj_id",
             [pow](Field&) { pow->setAsString(QStringLiteral("")); });
    onChange("dsOsobyUpow", "osup_adr_pow_id",
             [gm](Field&) { gm->setAsString(QStringLiteral("")); });
}

void RecordRules::attachImplementationPath() {
    onChange("dsPozWdr", "PWD_ID2", [this](Field& f) { afterPriorityChanged(f); });
    onChange("dsPozWdr", "PWD_KOD_ID2", [](Field&) {});
    onChange("dsWniosek", "pwd_nie_dot_4poz", [this](Field& f) {
        const bool notApplicable = isYes(f);
        DataSet& poz = table("dsPozWdr");
        if (notApplicable && poz.isActive()) {
            if (poz.state() == DataSetState::Browse) poz.edit();
            poz.field(QStringLiteral("PWD_ID4")).clear();
            poz.post();
        }
        enableControl("dsPozWdr", "lkp_pwd4", !notApplicable);
    });
}

// A new priority empties the project kind (it is chosen again under the priority) and
// offers the kind "IN" only under the priority with code "3".
void RecordRules::afterPriorityChanged(Field& pwdId2) {
    DataSet& poz = *pwdId2.dataSet();
    ZerujZalezne(poz.field(QStringLiteral("PWD_ID3")));
    if (!dm_.Wczytywanie) {
        DataSet& wniosek = table("dsWniosek");
        if (wniosek.state() == DataSetState::Browse) wniosek.edit();
        wniosek.field(QStringLiteral("rodz_proj")).clear();
        wniosek.post();
    }
    const bool other = poz.field(QStringLiteral("PWD_KOD_ID2")).asString() == QLatin1String("3");
    DataSet& kinds = table("sl_RPR1");
    kinds.setFiltered(false);
    kinds.setFilter(QLatin1String(other ? kRprWithOther : kRprWithoutOther));
    kinds.setFiltered(true);
}
