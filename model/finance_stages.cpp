// Stages of the schedule dsEtapyRealizacji, numbered Lp 1..n. A new stage brings its two
// expenditure rows; deleting a stage takes its expenditure with it.
#include "model/dm_main.h"
#include "model/finance_hook_pause.h"
#include "model/finance_rules.h"
#include "model/finance_years.h"
#include "model/numbering.h"
#include "platform/ui/userinterface.h"

using namespace FinanceYears;

namespace {

const QString kBadStart = QStringLiteral("Nieprawidłowa data rozpoczęcia etapu.");
const QString kBadEnd = QStringLiteral("Nieprawidłowa data zakończenia etapu.");
const QString kDeleteQuestion =
    QStringLiteral("Usunięcie etapu spowoduje usunięcie wydatków (punkt 6m niniejszego wniosku) "
                   "przypisanych do tego etapu.\r\n"
                   "Czy na pewno chcesz usunąć etap?");
const QString kDeleteCaption = QStringLiteral("Usuwanie etapu harmonogramu");

const QString kEtap = QStringLiteral("Etap");

bool isStage(const QVariant& etap, int stage) {
    return etap.isValid() && etap.toLongLong() == stage;
}

} // namespace

void FinanceRules::attachStages() {
    DataSet& stages = table("dsEtapyRealizacji");
    // LpOnInsert: the next number after the rows already posted.
    stages.events.onNewRecord = [](DataSet& t) {
        t.field(QStringLiteral("Lp")).setValue(t.recordCount() + 1);
    };
    // The before-post rule is attached by WlaczZdarzeniaEtapow.
    stages.events.beforeDelete = [this](DataSet& t) { return stageBeforeDelete(t); };
    // LpOnDelete
    stages.events.afterDelete = [](DataSet& t) { NumerujPonownie(t, QStringLiteral("Lp")); };
}

bool FinanceRules::stageBeforePost(DataSet& stages) {
    if (dm_.Wczytywanie) return true;
    // Each date comes from its month text; the focus goes to that text's control.
    const struct {
        const char* date;
        const char* input;
        const QString& message;
    } checks[] = {{"TERMIN_ROZP", "TERMIN_ROZP_TMP", kBadStart},
                  {"TERMIN_ZAK", "TERMIN_ZAK_TMP", kBadEnd}};
    for (const auto& check : checks) {
        if (!stages.field(QLatin1String(check.date)).isNull()) continue;
        dm_.ui().focusControlForField(stages.field(QLatin1String(check.input)));
        dm_.ui().errorDialog(check.message);
        return false;
    }
    if (stages.state() == DataSetState::Insert) DodajWydatkiEtapu(stages.recordCount() + 1);
    return true;
}

bool FinanceRules::stageBeforeDelete(DataSet& stages) {
    const int stage = int(stages.field(QStringLiteral("Lp")).asInteger());
    if (EtapMaWydatki(stage) &&
        dm_.ui().messageBox(kDeleteQuestion, kDeleteCaption, MessageIcon::Question,
                            MessageButtons::YesNo) != MessageResult::Yes)
        return false;
    UsunWydatkiEtapu(stage);
    return true;
}

bool FinanceRules::WierszWydatkuPusty(int recNo) const {
    const DataSet& plan = table("dsPlanWydatki");
    if (!plan.valueAt(recNo, plan.field(QStringLiteral("Kategoria"))).toString().isEmpty())
        return false;
    for (const Field* year : yearFields(plan))
        if (amount(plan.valueAt(recNo, *year)) != 0.0) return false;
    return true;
}

// More than the two rows every stage starts with, or anything typed into them.
bool FinanceRules::EtapMaWydatki(int stage) const {
    const DataSet& plan = table("dsPlanWydatki");
    const Field& etap = plan.field(kEtap);
    int rows = 0;
    for (int rec = 1; rec <= plan.recordCount(); ++rec) {
        if (!isStage(plan.valueAt(rec, etap), stage)) continue;
        if (++rows > 2 || !WierszWydatkuPusty(rec)) return true;
    }
    return false;
}

void FinanceRules::UsunWydatkiEtapu(int stage) {
    DataSet& plan = table("dsPlanWydatki");
    FinanceHooks::HookPause wholeStage(plan.events.beforeDelete);
    Field& etap = plan.field(kEtap);
    for (int rec = 1; rec <= plan.recordCount();) {
        if (!isStage(plan.valueAt(rec, etap), stage)) {
            ++rec;
            continue;
        }
        plan.setRecNo(rec);
        plan.deleteRecord();
    }
    // The later stages move one number down, as the stages are renumbered next.
    for (int rec = 1; rec <= plan.recordCount(); ++rec) {
        plan.setRecNo(rec);
        if (etap.isNull() || etap.asInteger() < stage) continue;
        plan.edit();
        etap.setValue(etap.asInteger() - 1);
        plan.post();
    }
}
