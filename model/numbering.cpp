#include "model/numbering.h"

#include "platform/dataset/dataset.h"

void NumerujPonownie(DataSet& table, const QString& fieldName) {
    const int remembered = table.recNo();
    Field& field = table.field(fieldName);
    table.disableControls();
    struct Restore {
        DataSet& t;
        int recNo;
        ~Restore() {
            t.setRecNo(recNo);
            t.enableControls();
        }
    } restore{table, remembered};
    for (int i = 1; i <= table.recordCount(); ++i) {
        table.setRecNo(i);
        if (field.isNull() || field.asInteger() != i) {
            table.edit();
            field.setValue(i);
            table.post();
        }
    }
}
