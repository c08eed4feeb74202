// Numbered lists: public procurement, locations, institutions, public aid, authorised
// persons. New rows take the next number; deletions close the gaps.
#include "model/dm_main.h"
#include "model/numbering.h"
#include "model/record_hooks.h"
#include "model/record_rules.h"

using namespace RecordHooks;

namespace {

// The next number for a new row: rows already posted + 1.
void numberNewRow(DataSet& t, const QString& fieldName) {
    t.field(fieldName).setValue(t.recordCount() + 1);
}

} // namespace

void RecordRules::attachProcurement() {
    DataSet& zamPub = table("dsZamPub");
    zamPub.events.onNewRecord = [](DataSet& t) {
        numberNewRow(t, QStringLiteral("lp"));
        t.field(QStringLiteral("zgod_zam_pub_rozp")).setValue(yes());
    };
    onChange("dsZamPub", "zgod_zam_pub_rozp",
             [](Field& f) { clearByProcurementStart(*f.dataSet()); });
    zamPub.events.beforePost = [this](DataSet& t) {
        if (!dm_.Wczytywanie) clearByProcurementStart(t);
        return true;
    };
    zamPub.events.afterDelete = [](DataSet& t) { NumerujPonownie(t, QStringLiteral("lp")); };
}

// The renumbering after a deletion of dsLokalizacja, dsInstytucje and dsPomocPub is
// attached with the finance rules.
void RecordRules::attachNumberedLists() {
    for (const char* name : {"dsLokalizacja", "dsInstytucje"}) {
        table(name).events.onNewRecord = [](DataSet& t) {
            numberNewRow(t, t.findField(QStringLiteral("Lp")) ? QStringLiteral("Lp")
                                                              : QStringLiteral("Lp."));
        };
    }
    DataSet& pomocPub = table("dsPomocPub");
    pomocPub.events.onNewRecord = [](DataSet& t) {
        numberNewRow(t, QStringLiteral("Lp."));
        t.field(QStringLiteral("Kwota_pomocy")).setValue(0.0);
    };
    pomocPub.events.afterOpen = [](DataSet& t) {
        t.field(QStringLiteral("Data_udz_pom")).setDisplayFormat(QStringLiteral("yyyy.mm.dd"));
        t.field(QStringLiteral("Kwota_pomocy")).setDisplayFormat(QStringLiteral("#0.00"));
    };

    DataSet& osobyUpow = table("dsOsobyUpow");
    osobyUpow.events.onNewRecord = &RecordRules::LpOnInsert;
    osobyUpow.events.afterDelete = &RecordRules::LpOnDelete;
}
