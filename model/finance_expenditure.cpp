// Planned expenditure dsPlanWydatki: rows grouped by stage (Etap) ascending and, within a
// stage, the qualified ("T") rows before the non-qualified ("N") ones; every stage keeps
// at least one row of each kind.
#include "model/dm_main.h"
#include "model/finance_hook_pause.h"
#include "model/finance_rules.h"
#include "model/finance_years.h"
#include "model/numbering.h"
#include "platform/ui/userinterface.h"
#include "platform/utils/datasetscanscope.h"

using namespace FinanceYears;

namespace {

const QString kNoStageText = QStringLiteral("Aby dodać planowane wydatki, należy najpierw wypełnić "
                                            "punkt 3 w Harmonogramie realizacji Projektu (6k) "
                                            "niniejszego wniosku.");
const QString kNoStageCaption = QStringLiteral("Dodawanie planowanych wydatków");
const QString kQualified = QStringLiteral("T");
const QString kNotQualified = QStringLiteral("N");

const QString kEtap = QStringLiteral("Etap");
const QString kFlag = QStringLiteral("CZY_KWALIFIKOWANE");
const QString kKategoria = QStringLiteral("Kategoria");

// The rows of the current row's stage and kind.
int groupSize(const DataSet& plan) {
    const Field& etap = plan.field(kEtap);
    const Field& flag = plan.field(kFlag);
    const QVariant stage = etap.value();
    const QString kind = flag.asString();
    int n = 0;
    for (int rec = 1; rec <= plan.recordCount(); ++rec) {
        const QVariant e = plan.valueAt(rec, etap);
        if (e.isValid() == stage.isValid() && e.toLongLong() == stage.toLongLong() &&
            plan.valueAt(rec, flag).toString() == kind)
            ++n;
    }
    return n;
}

// The row's category and year values, to rebuild it elsewhere.
struct ExpenditureContent {
    QVariant kategoria;
    std::array<QVariant, kYearCount> years;
};

ExpenditureContent contentOf(const DataSet& plan, int rec, const YearFields& years) {
    ExpenditureContent c;
    c.kategoria = plan.valueAt(rec, plan.field(kKategoria));
    for (size_t i = 0; i < years.size(); ++i)
        c.years[i] = plan.valueAt(rec, *years[i]);
    return c;
}

} // namespace

void FinanceRules::attachPlannedExpenditure() {
    DataSet& plan = table("dsPlanWydatki");
    // The before-insert rule is attached by WlaczZdarzeniaEtapow.
    plan.events.onNewRecord = [this](DataSet& t) {
        t.field(QStringLiteral("Id")).setValue(t.recordCount() + 1);
        t.field(kFlag).setValue(dm_.KwalifikacjaNowegoWydatku);
        const Visibility shown(dm_, QStringLiteral("tab6m"));
        zeroNewRowYears(t, &shown);
    };
    plan.events.beforePost = [this](DataSet& t) {
        dm_.WstawianieWydatku = t.state() == DataSetState::Insert;
        return true;
    };
    plan.events.afterPost = [this](DataSet&) {
        if (dm_.WstawianieWydatku) PrzesunWstawionyWydatek();
    };
    // The last row of a stage's kind is emptied, not deleted.
    plan.events.beforeDelete = [this](DataSet& t) {
        if (groupSize(t) > 1) return true;
        CzyscOstatniWydatek();
        return false;
    };
    plan.events.afterDelete = [this](DataSet& t) {
        NumerujPonownie(t, QStringLiteral("Id"));
        // Re-binding makes the editor's grouped grid rebuild its groups.
        if (DataSource* source = dm_.findDataSource(QStringLiteral("dsrPlanWydatki"))) {
            source->setDataSet(nullptr);
            source->setDataSet(&t);
        }
    };
    plan.events.onCalcFields = [years = yearFields(plan),
                                razem = &plan.field(QStringLiteral("RAZEM")),
                                flag = &plan.field(kFlag),
                                kind = &plan.field(QStringLiteral("clcKwalifikowane"))](DataSet&) {
        razem->setValue(sumOfYears(years));
        kind->setValue(flag->asString() == kQualified ? QStringLiteral("Kwalifikowane")
                                                      : QStringLiteral("Niekwalifikowane"));
    };
}

// A new row takes the kind of the row the user stands on; without any stage there is
// nowhere to put it.
bool FinanceRules::expenditureBeforeInsert(DataSet& plan) {
    if (plan.isEmpty()) {
        dm_.ui().messageBox(kNoStageText, kNoStageCaption, MessageIcon::Information,
                            MessageButtons::Ok);
        return false;
    }
    dm_.KwalifikacjaNowegoWydatku = plan.field(kFlag).asString();
    return true;
}

void FinanceRules::DodajWydatkiEtapu(int stage) {
    DataSet& plan = table("dsPlanWydatki");
    FinanceHooks::HookPause noStageCheck(plan.events.beforeInsert);
    for (const QString& kind : {kQualified, kNotQualified}) {
        dm_.KwalifikacjaNowegoWydatku = kind;
        plan.append();
        plan.field(kEtap).setValue(stage);
        plan.post();
    }
}

void FinanceRules::PrzesunWstawionyWydatek() {
    DataSet& plan = table("dsPlanWydatki");
    Field& etap = plan.field(kEtap);
    Field& flag = plan.field(kFlag);
    const qint64 e = etap.asInteger();
    const QString q = flag.asString();
    const int r = plan.recNo();
    if (etap.isNull() || e == 0 || q.isEmpty()) return;

    Utils::ControlsDisabledScope quiet(plan);
    // Find t: the first row after the place where the row belongs.
    plan.first();
    if (q == kQualified) {
        while (!plan.eof() &&
               (etap.asInteger() < e || (etap.asInteger() == e && flag.asString() == kQualified)))
            plan.next();
    } else if (q == kNotQualified) {
        while (!plan.eof() && plan.recNo() < r && etap.asInteger() <= e)
            plan.next();
    }
    const int t = plan.recNo();
    if (plan.eof() || t >= r) {
        plan.setRecNo(r);
        return;
    }

    const YearFields years = yearFields(plan);
    const ExpenditureContent moved = contentOf(plan, r, years);
    {
        // A move is no deletion by the user: the row goes even when it is the only one of
        // its kind in its stage.
        FinanceHooks::HookPause noGroupCheck(plan.events.beforeDelete);
        plan.setRecNo(r);
        plan.deleteRecord();
    }
    plan.setRecNo(t);
    plan.insert();
    etap.setValue(e);
    flag.setValue(q);
    plan.field(kKategoria).setValue(moved.kategoria);
    for (size_t i = 0; i < years.size(); ++i)
        years[i]->setValue(moved.years[i]);
    plan.post(); // already in place: its own after-post leaves it there
    plan.setRecNo(t);
}

void FinanceRules::CzyscOstatniWydatek() {
    DataSet& plan = table("dsPlanWydatki");
    plan.edit();
    plan.field(kKategoria).clear();
    for (Field* year : yearFields(plan))
        year->setValue(0.0);
    plan.post();
}
