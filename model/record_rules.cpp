#include "model/record_rules.h"

#include "model/dm_main.h"
#include "model/numbering.h"
#include "model/record_hooks.h"
#include "platform/ui/userinterface.h"
#include "platform/utils/monthtext.h"

#include <QDate>

using namespace RecordHooks;

RecordRules::RecordRules(TdmDataSets& dm) : dm_(dm) {}

void RecordRules::attach() {
    attachRegionCascades();
    attachImplementationPath();
    attachMainRecord();
    attachProcurement();
    attachNumberedLists();
    attachCalculatedFields();
    attachSpecialFields();
}

void RecordRules::createMainRecord() {
    DataSet& wniosek = table("dsWniosek");
    wniosek.append();
    wniosek.field(QStringLiteral("typ_projektu")).setValue(no());
    wniosek.field(QStringLiteral("rodz_proj")).setValue(QStringLiteral("RB"));
    wniosek.field(QStringLiteral("zgod_zam_pub_rozp")).setValue(yes());
    wniosek.post();
}

void RecordRules::ZerujZalezne(Field& field) {
    DataSet* t = field.dataSet();
    if (t->state() == DataSetState::Browse) t->edit();
    if (!field.isReadOnly()) field.clear();
}

void RecordRules::MiesiacNaDate(Field& tmpField) {
    Field& twin = tmpField.dataSet()->field(tmpField.name().chopped(4));
    ChangeHookPause pause(twin);
    if (const auto date = Utils::monthTextToDate(tmpField.asString()))
        twin.setValue(*date);
    else
        twin.clear();
}

void RecordRules::LpOnInsert(DataSet& t) {
    t.field(QStringLiteral("Lp")).setValue(t.recordCount() + 1);
}

void RecordRules::LpOnDelete(DataSet& t) {
    NumerujPonownie(t, QStringLiteral("Lp"));
}

void RecordRules::IdOnDelete(DataSet& t) {
    NumerujPonownie(t, QStringLiteral("Id"));
}

// ---------------------------------------------------------------- helpers

DataSet& RecordRules::table(const char* name) const {
    return dm_.table(QLatin1String(name));
}

Field& RecordRules::field(const char* tableName, const char* fieldName) const {
    return table(tableName).field(QLatin1String(fieldName));
}

void RecordRules::onChange(const char* tableName, const char* fieldName, Field::ChangeHook hook) {
    field(tableName, fieldName).onChange = std::move(hook);
}

void RecordRules::enableControl(const Field& f, bool enabled) const {
    dm_.ui().enableControlForField(f, enabled);
}

void RecordRules::enableControl(const char* tableName, const char* fieldName, bool enabled) const {
    enableControl(field(tableName, fieldName), enabled);
}
