// The finance trees dsZrodlaFin and dsProfilWyd: fixed rows, sums up the tree and shares
// of the grand total. Rows point at their parent through par_id = the parent's Id.
#include "model/dm_main.h"
#include "model/finance_hook_pause.h"
#include "model/finance_percent.h"
#include "model/finance_rules.h"
#include "model/finance_tree_rows.h"
#include "model/finance_years.h"
#include "platform/utils/datasetscanscope.h"

using namespace FinanceYears;

namespace {

using namespace FinanceTreeRows;

const QString kGrandTotal = name(kGrandTotalId);

// The year switches of each tree.
QString familyOf(const DataSet& tree) {
    return tree.name().compare(QLatin1String("dsProfilWyd"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("tab6o")
               : QStringLiteral("tab6n");
}

struct TreeColumns {
    explicit TreeColumns(const DataSet& t)
        : years(yearFields(t)), percents(yearFields(t, "_pr")),
          razem(&t.field(QStringLiteral("RAZEM"))), razemPr(&t.field(QStringLiteral("Razem_pr"))),
          id(&t.field(QStringLiteral("Id"))), parId(&t.field(QStringLiteral("par_id"))),
          zrodlo(&t.field(QStringLiteral("Zrodlo"))) {}
    YearFields years, percents;
    Field *razem, *razemPr, *id, *parId, *zrodlo;
};

struct Sums {
    std::array<double, kYearCount> years{};
    double total = 0.0;
};

// Sums the shown years and RAZEM of the rows whose par_id passes the test.
template <typename ParentTest>
Sums sumRows(const DataSet& t, const TreeColumns& c, const Visibility& shown, ParentTest isChild) {
    Sums s;
    for (int rec = 1; rec <= t.recordCount(); ++rec) {
        if (!isChild(t.valueAt(rec, *c.parId))) continue;
        for (int year = kFirstYear; year <= kLastYear; ++year) {
            const size_t i = size_t(year - kFirstYear);
            if (shown.shown(year)) s.years[i] += amount(t.valueAt(rec, *c.years[i]));
        }
        s.total += amount(t.valueAt(rec, *c.razem));
    }
    return s;
}

// Writes the sums into the current row; hidden years keep what the row holds.
void writeSums(DataSet& t, const TreeColumns& c, const Visibility& shown, const Sums& s) {
    t.edit();
    for (int year = kFirstYear; year <= kLastYear; ++year)
        if (shown.shown(year))
            c.years[size_t(year - kFirstYear)]->setValue(s.years[size_t(year - kFirstYear)]);
    c.razem->setValue(s.total);
    t.post();
}

// The rec number of the grand total row, or 0 without one.
int grandTotalRow(const DataSet& t, const TreeColumns& c) {
    for (int rec = 1; rec <= t.recordCount(); ++rec)
        if (t.valueAt(rec, *c.zrodlo).toString() == kGrandTotal) return rec;
    return 0;
}

// Counts the nesting of the after-post rule while its sums climb the tree.
struct DepthGuard {
    explicit DepthGuard(int& depth) : depth_(++depth) {}
    ~DepthGuard() { --depth_; }
    int& depth_;
};

} // namespace

void FinanceRules::attachFinanceTrees() {
    attachFinanceTree(table("dsZrodlaFin"));
    attachFinanceTree(table("dsProfilWyd"));
}

void FinanceRules::attachFinanceTree(DataSet& tree) {
    const QString family = familyOf(tree);
    tree.events.afterOpen = [this](DataSet& t) { fillFixedRows(t); };
    tree.events.onNewRecord = [this, family](DataSet& t) {
        t.field(QStringLiteral("Id")).setValue(t.recordCount() + 1);
        const Visibility shown(dm_, family);
        zeroNewRowYears(t, &shown, true);
    };
    // The profile keeps the loaded totals on screen while a load runs.
    const bool skipWhileLoading = family == QLatin1String("tab6o");
    tree.events.onCalcFields = [this, skipWhileLoading, years = yearFields(tree),
                                razem = &tree.field(QStringLiteral("RAZEM"))](DataSet&) {
        if (skipWhileLoading && dm_.Wczytywanie) return;
        razem->setValue(sumOfYears(years));
    };
    tree.events.afterPost = [this](DataSet& t) { treeAfterPost(t); };
    // Rules that restructure a tree delete with its controls disabled; the user may only
    // delete the rows added under "inne". Refused silently.
    tree.events.beforeDelete = [](DataSet& t) {
        return t.controlsDisabled() ||
               t.field(QStringLiteral("par_id")).asInteger() == kOwnSourcesId;
    };
    tree.events.afterDelete = [this](DataSet& t) { treeAfterDelete(t); };
}

void FinanceRules::fillFixedRows(DataSet& tree) {
    FinanceHooks::HookPause quiet(tree.events.afterPost);
    Field& zrodlo = tree.field(QStringLiteral("Zrodlo"));
    Field& parId = tree.field(QStringLiteral("par_id"));
    for (const FixedRow& row : kFixedRows) {
        tree.append();
        zrodlo.setValue(QString::fromUtf8(row.zrodlo));
        if (row.parent != 0) parId.setValue(row.parent);
        tree.post();
    }
    tree.first();
}

void FinanceRules::treeAfterPost(DataSet& tree) {
    if (dm_.Wczytywanie) return;
    {
        DepthGuard climbing(sumDepth_);
        PrzeliczSumy(tree);
    }
    if (sumDepth_ == 0) PrzeliczProcenty(tree);
}

void FinanceRules::treeAfterDelete(DataSet& tree) {
    const int remembered = tree.recNo();
    if (tree.locate(QStringLiteral("par_id"), kOwnSourcesId)) {
        PrzeliczSumy(tree);
    } else if (tree.locate(QStringLiteral("Id"), kOwnSourcesId)) {
        // Its last sub-row is gone: "inne" holds nothing any more.
        const Visibility shown(dm_, familyOf(tree));
        tree.edit();
        for (int year = kFirstYear; year <= kLastYear; ++year)
            if (shown.shown(year)) tree.field(columnName(year)).setValue(0.0);
        tree.post();
    }
    if (tree.recNo() != remembered) tree.setRecNo(remembered);
}

void FinanceRules::PrzeliczSumy(DataSet& tree) {
    if (!tree.isActive()) return;
    const TreeColumns c(tree);
    const Visibility shown(dm_, familyOf(tree));
    Utils::DataSetScanScope scope(tree);

    const QVariant parentId = c.parId->value();
    if (parentId.isValid() && tree.locate(QStringLiteral("Id"), parentId)) {
        const int parentRow = tree.recNo();
        const qint64 p = c.id->asInteger();
        const Sums s = sumRows(
            tree, c, shown, [p](const QVariant& v) { return v.isValid() && v.toLongLong() == p; });
        tree.setRecNo(parentRow);
        writeSums(tree, c, shown, s); // its after-post carries the sums further up
        return;
    }
    if (parentId.isValid() && (parentId.toLongLong() == -1 || parentId.toLongLong() == -2)) return;

    // A top-level row (or one whose parent is missing): the grand total.
    const Sums s = sumRows(tree, c, shown, [](const QVariant& v) { return !v.isValid(); });
    if (tree.locate(QStringLiteral("Zrodlo"), kGrandTotal)) writeSums(tree, c, shown, s);
}

void FinanceRules::PrzeliczProcenty(DataSet& tree) {
    if (!tree.isActive()) return;
    FinanceHooks::HookPause quiet(tree.events.afterPost);
    Utils::DataSetScanScope scope(tree);
    const TreeColumns c(tree);
    const Visibility shown(dm_, familyOf(tree));

    // The grand total; hidden years have none.
    std::array<double, kYearCount> totalOfYear{};
    double total = 0.0;
    if (const int g = grandTotalRow(tree, c)) {
        total = amount(tree.valueAt(g, *c.razem));
        for (int year = kFirstYear; year <= kLastYear; ++year) {
            const size_t i = size_t(year - kFirstYear);
            if (shown.shown(year)) totalOfYear[i] = amount(tree.valueAt(g, *c.years[i]));
        }
    }
    // With no grand total (or none in a year) every share is 0.
    auto percent = [total](double part, double whole) {
        return total == 0.0 || whole == 0.0 ? 0.0 : FinancePercent::share(part, whole);
    };

    for (int rec = 1; rec <= tree.recordCount(); ++rec) {
        tree.setRecNo(rec);
        tree.edit();
        for (int year = kFirstYear; year <= kLastYear; ++year) {
            const size_t i = size_t(year - kFirstYear);
            if (shown.shown(year))
                c.percents[i]->setValue(percent(amount(c.years[i]->value()), totalOfYear[i]));
        }
        c.razemPr->setValue(percent(amount(c.razem->value()), total));
        tree.post();
    }
}
