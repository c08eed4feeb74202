#include "editor/grid/year_grid_panel.h"

#include "editor/grid/year_grid.h"
#include "editor/grid/year_switch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>

namespace editor {

YearGridPanelDescription yearGridPanelFor(const QString& frameClass) {
    YearGridPanelDescription d;
    if (frameClass == QLatin1String("Tfr_wsk_celow_topaz_q")) {
        d.grids = {{productIndicatorGrid(), QStringLiteral("1. Wskaźniki planowanych produktów")},
                   {resultIndicatorGrid(), QStringLiteral("2. Wskaźniki planowanych rezultatów")}};
        d.spinnerArrowsOnly = true;
    } else if (frameClass == QLatin1String("Tfr_typ_proj_kat_zysk_topaz_q")) {
        d.grids = {{profitCategoryGrid(),
                    QStringLiteral("a) Planowany zysk generowany w trakcie realizacji Projektu")},
                   {profitAfterGrid(),
                    QStringLiteral("b) Średnioroczny, planowany zysk generowany przez 5 lat po "
                                   "zakończeniu jego realizacji w roku \"n\".")}};
    } else if (frameClass == QLatin1String("Tfr_planowane_wydatki_topaz_q")) {
        d.grids = {{plannedExpenditureGrid(), {}}};
    } else if (frameClass == QLatin1String("Tfr_zr_finans_topaz_q")) {
        d.grids = {{financeSourcesGrid(), {}}};
    } else if (frameClass == QLatin1String("Tfr_profil_wyd_topaz_q")) {
        d.grids = {{spendingProfileGrid(), {}}};
    }
    return d;
}

YearGridPanel::YearGridPanel(TdmDataSets_t& dm, const YearGridPanelDescription& description,
                             QWidget* parent)
    : QWidget(parent), dm_(dm) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    bool switchable = false;
    for (const auto& entry : description.grids)
        switchable = switchable || !entry.grid.flagPrefix.isEmpty();
    // The year bar stands above the grids and is made first, so Tab reaches it first.
    if (switchable) {
        auto* bar = new QHBoxLayout;
        spinner_ = new QSpinBox(this);
        spinner_->setObjectName(QStringLiteral("dxseRok"));
        spinner_->setAccessibleName(QStringLiteral("Rok"));
        spinner_->setRange(kFirstAddableYear, kLastGridYear);
        spinner_->setValue(kFirstAddableYear);
        if (description.spinnerArrowsOnly)
            if (auto* text = spinner_->findChild<QLineEdit*>()) text->setReadOnly(true);
        auto* add = new QPushButton(QStringLiteral("Dodaj rok"), this);
        add->setObjectName(QStringLiteral("btDodajRok"));
        auto* remove = new QPushButton(QStringLiteral("Usuń rok"), this);
        remove->setObjectName(QStringLiteral("btUsunRok"));
        connect(add, &QPushButton::clicked, this, &YearGridPanel::addYear);
        connect(remove, &QPushButton::clicked, this, &YearGridPanel::removeYear);
        bar->addWidget(spinner_);
        bar->addWidget(add);
        bar->addWidget(remove);
        bar->addStretch();
        layout->addLayout(bar);
    }
    for (const auto& entry : description.grids) {
        if (!entry.heading.isEmpty()) {
            auto* heading = new QLabel(entry.heading, this);
            heading->setWordWrap(true);
            layout->addWidget(heading);
        }
        auto* grid = new YearGrid(dm, entry.grid, this);
        grid->setMinimumHeight(entry.grid.shape == GridShape::Tree ? 360 : 200);
        // A screen reader names the grid by its caption, else its heading, else the
        // caption of its first column.
        QString name = entry.heading;
        for (const GridColumn& c : entry.grid.columns)
            if (name.isEmpty() && c.kind == GridColumnKind::Text) name = c.caption;
        if (grid->view()->accessibleName().isEmpty()) grid->view()->setAccessibleName(name);
        layout->addWidget(grid);
        grids_.push_back(grid);
    }
}

YearGrid* YearGridPanel::grid(const QString& name) const {
    for (YearGrid* g : grids_)
        if (g->description().name == name) return g;
    return nullptr;
}

void YearGridPanel::addYear() {
    switchSpinnerYear(true);
}

void YearGridPanel::removeYear() {
    switchSpinnerYear(false);
}

void YearGridPanel::switchSpinnerYear(bool shown) {
    if (!spinner_) return;
    spinner_->interpretText(); // a year typed but not yet confirmed counts
    const int year = spinner_->value();
    // One grid after the other: switch, rewrite its table, show or hide its columns.
    for (YearGrid* g : grids_) {
        const SwitchedYearTable table = g->switchedTable();
        if (table.dataSet.isEmpty()) continue;
        g->postRecord();
        switchYear(dm_, table, year, shown);
        g->showYear(year, shown);
    }
}

void restoreYearGrids(QWidget* root) {
    for (YearGrid* g : root->findChildren<YearGrid*>())
        g->restoreYearColumns();
}

void expandYearGrids(QWidget* root) {
    for (YearGrid* g : root->findChildren<YearGrid*>())
        g->expandAll();
}

void setYearGridsReadOnly(QWidget* root, bool readOnly) {
    for (YearGrid* g : root->findChildren<YearGrid*>())
        g->setReadOnly(readOnly);
    for (YearGridPanel* p : root->findChildren<YearGridPanel*>()) {
        if (p->yearSpinner()) p->yearSpinner()->setEnabled(!readOnly);
        for (const char* name : {"btDodajRok", "btUsunRok"})
            if (auto* b = p->findChild<QPushButton*>(QLatin1String(name))) b->setEnabled(!readOnly);
    }
}

} // namespace editor
