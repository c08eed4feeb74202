#include "model/catalogue/mapping_rows.h"

#include "model/dm_main_tmpl.h"

namespace {

const QString kMappingTable = QStringLiteral("tabMapowanie");

// The person tables whose "_kodRT" code fields are written; names the module does not
// have are skipped.
const char* const kCodeFieldTables[] = {"dsBeneficjent", "dsInstytucje",   "dsOsobyUp",
                                        "dsOsobyUpow",   "dsPodwykonawcy", "dsAdresKores"};

// The first mapping row of the dataset, made current; false when there is none.
bool locateFirstRow(DataSet& mapping, const QString& dsname) {
    const Field& name = mapping.field(QStringLiteral("dsname"));
    for (int i = 1; i <= mapping.recordCount(); ++i) {
        if (mapping.valueAt(i, name).toString() == dsname) {
            mapping.setRecNo(i);
            return true;
        }
    }
    return false;
}

void appendToNonBase(DataSet& mapping, const QString& dsname, const QString& text) {
    if (text.isEmpty() || !locateFirstRow(mapping, dsname)) return;
    Field& nonBase = mapping.field(QStringLiteral("niebazowe"));
    const QString current = nonBase.asString();
    if (current.endsWith(text)) return;
    mapping.edit();
    nonBase.setValue(current + text);
    mapping.post();
}

} // namespace

void fillMappingTable(TdmDataSets_t& dm) {
    DataSet& mapping = dm.table(kMappingTable);
    if (!mapping.isActive()) mapping.open();
    if (mapping.recordCount() > 0) return;
    Field& dsname = mapping.field(QStringLiteral("dsname"));
    Field& table = mapping.field(QStringLiteral("plo_tabela"));
    Field& newRow = mapping.field(QStringLiteral("nowy_wiersz"));
    Field& columns = mapping.field(QStringLiteral("plo_kolumny"));
    Field& constants = mapping.field(QStringLiteral("plo_wartosci"));
    Field& nonBase = mapping.field(QStringLiteral("niebazowe"));
    Field& parent = mapping.field(QStringLiteral("plo_nadrzedna"));
    Field& condition = mapping.field(QStringLiteral("warunek"));
    mapping.disableControls();
    for (const MappingRow& r : declaredMappingRows()) {
        mapping.append();
        dsname.setValue(r.dsname);
        table.setValue(r.plo_tabela);
        newRow.setValue(r.nowy_wiersz);
        columns.setValue(r.plo_kolumny);
        constants.setValue(r.plo_wartosci);
        nonBase.setValue(r.niebazowe);
        parent.setValue(r.plo_nadrzedna);
        condition.setValue(r.warunek);
        mapping.post();
    }
    mapping.first();
    mapping.enableControls();
}

void extendMappingTable(TdmDataSets_t& dm) {
    DataSet& mapping = dm.table(kMappingTable);
    if (!mapping.isActive()) return;
    for (const char* name : kCodeFieldTables) {
        const DataSet* t = dm.findTable(QLatin1String(name));
        if (!t) continue;
        QString codes;
        for (const auto& f : t->fields())
            if (f->name().contains(QLatin1String("_kodRT"))) codes += QLatin1Char(';') + f->name();
        appendToNonBase(mapping, QLatin1String(name), codes);
    }
    appendToNonBase(mapping, QStringLiteral("dsLokalizacja"),
                    QStringLiteral(";gm_kod;pow_kod;woj_kod"));
    mapping.first();
}
