// Plain yearly lists: indicators (dsProdukty, dsRezultaty, dsOddz), revenue (dsKatPrzych),
// the base module's expenditure lists, and the renumbering of the numbered lists.
#include "model/dm_main.h"
#include "model/finance_rules.h"
#include "model/finance_years.h"
#include "model/numbering.h"
#include "platform/ui/userinterface.h"

using namespace FinanceYears;

namespace {

const QString kNegative = QStringLiteral("Wartość nie może być ujemna.");
const QString kLp = QStringLiteral("Lp.");

// The revenue of the five years after the project.
std::array<Field*, 5> yearsAfterProject(const DataSet& t) {
    std::array<Field*, 5> out{};
    for (int n = 1; n <= 5; ++n)
        out[size_t(n - 1)] = &t.field(QStringLiteral("n_%1").arg(n));
    return out;
}

} // namespace

// dsWydatkiKw and dsWydatkiNKw: the finance trees' insert rule for the base years only.
void FinanceRules::attachExpenditureLists() {
    for (const char* name : {"dsWydatkiKw", "dsWydatkiNKw"}) {
        table(name).events.onNewRecord = [](DataSet& t) {
            t.field(QStringLiteral("Id")).setValue(t.recordCount() + 1);
            zeroNewRowYears(t, nullptr);
        };
    }
}

void FinanceRules::attachIndicators() {
    const struct {
        const char* table;
        const char* family; // null: no year switches, 2009-2016 stay empty in new rows
    } lists[] = {{"dsProdukty", "tab6lprod"},
                 {"dsRezultaty", "tab6lrez"},
                 {"dsOddz", nullptr},
                 {"dsKatPrzych", "tab6ltyp"}};
    for (const auto& list : lists) {
        DataSet& t = table(list.table);
        const QString family = list.family ? QLatin1String(list.family) : QString();
        t.events.onNewRecord = [this, family](DataSet& row) {
            row.field(kLp).setValue(row.recordCount() + 1);
            if (family.isEmpty()) {
                zeroNewRowYears(row, nullptr);
            } else {
                const Visibility shown(dm_, family);
                zeroNewRowYears(row, &shown);
            }
        };
        t.events.onCalcFields = [years = yearFields(t), razem = &t.field(QStringLiteral("Razem"))](
                                    DataSet&) { razem->setValue(sumOfYears(years)); };
    }

    DataSet& revenue = table("dsKatPrzych");
    revenue.events.onCalcFields = [years = yearFields(revenue),
                                   razem = &revenue.field(QStringLiteral("Razem")),
                                   after = yearsAfterProject(revenue),
                                   razemN = &revenue.field(QStringLiteral("Razem_n"))](DataSet&) {
        razem->setValue(sumOfYears(years));
        double sum = 0.0;
        for (const Field* f : after)
            sum += amount(f->value());
        razemN->setValue(sum);
    };
    // No negative revenue: the first negative column, years before the years after the
    // project, gets the focus and the post is refused.
    revenue.events.beforePost = [this, years = yearFields(revenue),
                                 after = yearsAfterProject(revenue)](DataSet&) {
        if (dm_.Wczytywanie) return true;
        std::vector<Field*> columns(years.begin(), years.end());
        columns.insert(columns.end(), after.begin(), after.end());
        for (Field* f : columns) {
            if (amount(f->value()) >= 0.0) continue;
            dm_.ui().focusControlForField(*f);
            dm_.ui().errorDialog(kNegative);
            return false;
        }
        return true;
    };
}

void FinanceRules::attachRenumbering() {
    for (const char* name : {"dsProdukty", "dsRezultaty", "dsOddz", "dsKatPrzych", "dsPomocPub",
                             "dsLokalizacja", "dsInstytucje"})
        table(name).events.afterDelete = [](DataSet& t) { NumerujPonownie(t, kLp); };
}
