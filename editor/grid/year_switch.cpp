#include "editor/grid/year_switch.h"

#include "model/dm_main.h"
#include "model/finance_rules.h"
#include "platform/dataset/dataset.h"

namespace editor {

namespace {

QString switchName(const QString& prefix, int year) {
    return prefix + QString::number(year) + QLatin1Char('v');
}

// Raises the module's bulk flag for its lifetime, so the rules of a finance tree do not
// recompute sums for every rewritten row.
class BulkScope {
public:
    BulkScope(TdmDataSets_t& dm, bool on) : dm_(dm), saved_(dm.Wczytywanie) {
        if (on) dm_.Wczytywanie = true;
    }
    ~BulkScope() { dm_.Wczytywanie = saved_; }
    BulkScope(const BulkScope&) = delete;
    BulkScope& operator=(const BulkScope&) = delete;

private:
    TdmDataSets_t& dm_;
    bool saved_;
};

// Writes the year's value into every row of the table, the controls quiet meanwhile.
void rewriteYear(TdmDataSets_t& dm, DataSet& t, const SwitchedYearTable& table, int year,
                 bool shown) {
    Field& amount = t.field(QString::number(year));
    Field* share =
        table.financeTree ? &t.field(QString::number(year) + QStringLiteral("_pr")) : nullptr;
    const QVariant value = shown ? QVariant(0.0) : QVariant();
    if (t.isEditing() && !t.post()) t.cancel();
    const int remembered = t.recNo();
    t.disableControls();
    try {
        BulkScope bulk(dm, table.financeTree);
        for (int rec = 1; rec <= t.recordCount(); ++rec) {
            t.setRecNo(rec);
            t.edit();
            amount.setValue(value);
            if (share) share->setValue(value);
            if (!t.post()) t.cancel(); // a row a rule refuses keeps what it had
        }
        if (remembered >= 1) t.setRecNo(remembered);
    } catch (...) {
        t.cancel();
        t.enableControls();
        throw;
    }
    t.enableControls();
}

} // namespace

std::optional<bool> yearSwitch(const TdmDataSets_t& dm, const QString& flagPrefix, int year) {
    const DataSet* wniosek = dm.findTable(QStringLiteral("dsWniosek"));
    const Field* flag = wniosek ? wniosek->findField(switchName(flagPrefix, year)) : nullptr;
    if (!flag) return std::nullopt;
    const QString value = flag->asString();
    if (value == QLatin1String("T")) return true;
    if (value == QLatin1String("N")) return false;
    return std::nullopt;
}

void switchYear(TdmDataSets_t& dm, const SwitchedYearTable& table, int year, bool shown) {
    DataSet& wniosek = dm.table(QStringLiteral("dsWniosek"));
    Field* flag = wniosek.findField(switchName(table.flagPrefix, year));
    if (!flag) return; // a year without a switch (outside 2004-2016)
    wniosek.edit();
    flag->setValue(shown ? QStringLiteral("T") : QStringLiteral("N"));
    wniosek.post();
    dm.Zmieniony = true;
    DataSet& t = dm.table(table.dataSet);
    if (!t.isActive()) return;
    rewriteYear(dm, t, table, year, shown);
    // The year's amounts left every row's total, so the shares of the grand total change
    // with it; reopening the saved file would compute them anew.
    if (auto* module = dynamic_cast<TdmDataSets*>(&dm); module && table.financeTree)
        module->finance().PrzeliczProcenty(t);
}

} // namespace editor
