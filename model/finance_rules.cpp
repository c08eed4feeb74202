#include "model/finance_rules.h"

#include "model/dm_main.h"

FinanceRules::FinanceRules(TdmDataSets& dm) : dm_(dm) {}

DataSet& FinanceRules::table(const char* name) const {
    return dm_.table(QString::fromUtf8(name));
}

void FinanceRules::attach() {
    attachFinanceTrees();
    attachExpenditureLists();
    attachPlannedExpenditure();
    attachStages();
    attachIndicators();
    attachRenumbering();
    WlaczZdarzeniaEtapow();
}

void FinanceRules::WylaczZdarzeniaEtapow() {
    table("dsPlanWydatki").events.beforeInsert = nullptr;
    table("dsEtapyRealizacji").events.beforePost = nullptr;
}

void FinanceRules::WlaczZdarzeniaEtapow() {
    table("dsPlanWydatki").events.beforeInsert = [this](DataSet& t) {
        return expenditureBeforeInsert(t);
    };
    table("dsEtapyRealizacji").events.beforePost = [this](DataSet& t) {
        return stageBeforePost(t);
    };
}
