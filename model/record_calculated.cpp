// Calculated fields outside the yearly tables: full names and the deepest level set.
#include "model/dm_main.h"
#include "model/record_rules.h"

#include <initializer_list>

namespace {

// First name, one space, surname; nothing trimmed.
void fullName(DataSet& t, const char* target, const char* firstName, const char* surname) {
    t.field(QLatin1String(target))
        .setValue(t.field(QLatin1String(firstName)).asString() + QLatin1Char(' ') +
                  t.field(QLatin1String(surname)).asString());
}

// The deepest of the levels that is set, from the deepest down; null when none is.
QVariant deepestSet(const DataSet& t, std::initializer_list<const char*> deepestFirst) {
    for (const char* name : deepestFirst) {
        const QVariant v = t.field(QLatin1String(name)).value();
        if (v.isValid()) return v;
    }
    return {};
}

} // namespace

void RecordRules::attachCalculatedFields() {
    table("dsBeneficjent").events.onCalcFields = [](DataSet& t) {
        fullName(t, "cal_osk_imie_naz", "osk_imie", "osk_nazwisko");
        fullName(t, "cal_osup_imie_naz", "osup_imie", "osup_nazwisko");
    };
    table("dsInstytucje").events.onCalcFields = [](DataSet& t) {
        fullName(t, "cal_osk_imie_naz", "osk_imie", "osk_nazwisko");
    };
    table("dsOsobyUpow").events.onCalcFields = [](DataSet& t) {
        fullName(t, "calc_osup_imie_nazwisko", "osup_imie", "osup_nazwisko");
    };
    table("dsPozWdr").events.onCalcFields = [](DataSet& t) {
        t.field(QStringLiteral("PWD_ID"))
            .setValue(deepestSet(t, {"PWD_ID4", "PWD_ID3", "PWD_ID2", "PWD_ID1"}));
    };
    table("dsKatInt").events.onCalcFields = [](DataSet& t) {
        t.field(QStringLiteral("ID")).setValue(deepestSet(t, {"ID3", "ID2", "ID1"}));
    };
    // Without any region the location is the whole country: the current row of sl_NUTS1.
    DataSet* country = &table("sl_NUTS1");
    table("dsLokalizacja").events.onCalcFields = [country](DataSet& t) {
        QVariant id = deepestSet(t, {"Gm_ID", "Pow_ID", "WOJ_ID"});
        if (!id.isValid()) id = country->field(QStringLiteral("ID")).value();
        t.field(QStringLiteral("JGE_ID")).setValue(id);
    };
}
