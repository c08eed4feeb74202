#include "editor/grid/year_grid.h"

#include "editor/grid/amount_delegate.h"
#include "editor/grid/banded_header_view.h"
#include "editor/grid/year_grid_model.h"
#include "model/dm_main_tmpl.h"
#include "model/finance_tree_rows.h"
#include "platform/dataset/dataset.h"
#include "platform/utils/datasetscanscope.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace editor {

namespace {

using FinanceTreeRows::kGrandTotalId;
using FinanceTreeRows::kOwnSourcesId;

int defaultWidth(const GridColumn& c) {
    switch (c.kind) {
    case GridColumnKind::Text:
        return std::max(c.minWidth, 200);
    case GridColumnKind::PickText:
        return 70;
    case GridColumnKind::Percent:
        return 70;
    default:
        return 95;
    }
}

} // namespace

YearGrid::YearGrid(TdmDataSets_t& dm, YearGridDescription description, QWidget* parent)
    : QWidget(parent), dm_(dm), view_(new QTreeView(this)), header_(new BandedHeaderView(view_)) {
    const GridShape shape = description.shape;
    const QString navigator = description.navigatorName;
    DataSet& table = dm.table(description.dataSet);
    model_ = new YearGridModel(std::move(description), table, this);

    view_->setObjectName(this->description().name);
    view_->setAccessibleName(this->description().caption);
    view_->setHeader(header_);
    view_->setModel(model_);
    view_->setItemDelegate(new AmountDelegate(dm.ui(), view_));
    view_->setSelectionBehavior(QAbstractItemView::SelectItems);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    // No editing on a click on the current cell: the view would wait a double-click interval
    // before opening the editor and drop every key typed meanwhile.
    view_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    view_->setRootIsDecorated(shape != GridShape::Flat);
    view_->setItemsExpandable(shape != GridShape::Flat);
    view_->setWordWrap(true);
    view_->setAllColumnsShowFocus(false);
    header_->setStretchLastSection(false);
    header_->setSectionResizeMode(QHeaderView::Interactive);

    const auto& columns = this->description().columns;
    for (int i = 0; i < int(columns.size()); ++i) {
        // Wide enough for the caption too: the header is never cut.
        view_->setColumnWidth(
            i, std::max(defaultWidth(columns[size_t(i)]), header_->sectionSizeHint(i)));
        if (columns[size_t(i)].kind == GridColumnKind::Hidden) view_->setColumnHidden(i, true);
    }

    // Wrapped texts take their height from the column's width.
    view_->setUniformRowHeights(false);
    connect(header_, &QHeaderView::sectionResized, view_, [this] { view_->doItemsLayout(); });
    // The band titles are centred on what is in view, so sideways scrolling redraws them.
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, header_,
            &BandedHeaderView::repaintBands);
    if (shape != GridShape::Flat)
        connect(model_, &QAbstractItemModel::modelReset, this, &YearGrid::expandAll);
    connect(model_, &YearGridModel::insertStarted, this, &YearGrid::takeFocusForInsert);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    if (!navigator.isEmpty()) {
        auto* bar = new QWidget(this);
        bar->setObjectName(navigator);
        buildNavigator(bar);
        layout->addWidget(bar);
    }
    restoreYearColumns();
    expandAll();
}

YearGrid::~YearGrid() = default;

const YearGridDescription& YearGrid::description() const {
    return model_->description();
}

void YearGrid::buildNavigator(QWidget* bar) {
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    auto add = [&](const char* suffix, const QString& text, const QString& tip, auto action) {
        auto* b = new QToolButton(bar);
        b->setObjectName(bar->objectName() + QLatin1String(suffix));
        b->setText(text);
        b->setToolTip(tip);
        b->setAccessibleName(tip);
        // Tab reaches it; a click leaves the focus in the cell being typed in.
        b->setFocusPolicy(Qt::TabFocus);
        connect(b, &QToolButton::clicked, this, action);
        row->addWidget(b);
    };
    add("Insert", QStringLiteral("+"), QStringLiteral("Wstaw rekord"), [this] { insertRecord(); });
    add("Delete", QStringLiteral("−"), QStringLiteral("Usuń rekord"), [this] { deleteRecord(); });
    add("Post", QStringLiteral("✓"), QStringLiteral("Zatwierdź"), [this] { postRecord(); });
    add("Cancel", QStringLiteral("✕"), QStringLiteral("Anuluj"), [this] { cancelRecord(); });
    row->addStretch();
}

SwitchedYearTable YearGrid::switchedTable() const {
    const YearGridDescription& d = description();
    if (d.flagPrefix.isEmpty()) return {};
    return {d.dataSet, d.flagPrefix, d.shape == GridShape::Tree};
}

void YearGrid::restoreYearColumns() {
    const QString prefix = description().flagPrefix;
    if (prefix.isEmpty()) return;
    for (int year = kFirstGridYear; year <= kLastGridYear; ++year)
        showYear(year, yearSwitch(dm_, prefix, year).value_or(year <= kLastDesignYear));
}

void YearGrid::showYear(int year, bool shown) {
    const auto& columns = description().columns;
    for (int i = 0; i < int(columns.size()); ++i)
        if (columns[size_t(i)].year == year) view_->setColumnHidden(i, !shown);
    header_->repaintBands();
}

bool YearGrid::isYearShown(int year) const {
    const int section = model_->columnOfField(QString::number(year));
    return section >= 0 && !view_->isColumnHidden(section);
}

void YearGrid::expandAll() {
    if (description().shape != GridShape::Flat) view_->expandAll();
}

void YearGrid::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    model_->setReadOnly(readOnly);
    if (QWidget* bar = findChild<QWidget*>(description().navigatorName)) bar->setEnabled(!readOnly);
}

// ---------------------------------------------------------------- navigator

void YearGrid::closeOpenEditor(bool commit) {
    QWidget* focus = QApplication::focusWidget();
    while (focus && focus->parentWidget() != view_->viewport())
        focus = focus->parentWidget();
    if (!focus) return;
    // The view listens to its delegate's signals: the same road as Enter or Esc in the cell.
    QAbstractItemDelegate* delegate = view_->itemDelegate();
    if (commit) emit delegate->commitData(focus);
    emit delegate->closeEditor(focus, commit ? QAbstractItemDelegate::NoHint
                                             : QAbstractItemDelegate::RevertModelCache);
}

int YearGrid::currentRecord() const {
    QModelIndex index = view_->currentIndex().siblingAtColumn(0);
    // On a group row: its first record.
    while (index.isValid() && model_->recNoOf(index) == 0 && model_->rowCount(index) > 0)
        index = model_->index(0, 0, index);
    return model_->recNoOf(index);
}

void YearGrid::focusRecord(int recNo) {
    QModelIndex row = model_->indexOfRecord(recNo);
    if (!row.isValid()) return;
    for (int c = 0; c < model_->columnCount(); ++c) {
        const QModelIndex cell = row.siblingAtColumn(c);
        if (!view_->isColumnHidden(c) && (model_->flags(cell) & Qt::ItemIsEditable)) {
            row = cell;
            break;
        }
    }
    for (QModelIndex p = row.parent(); p.isValid(); p = p.parent())
        view_->expand(p);
    view_->setCurrentIndex(row);
    view_->scrollTo(row);
    takeFocusForInsert();
}

void YearGrid::takeFocusForInsert() {
    if (view_->isVisible() && view_->isEnabled() && view_->focusPolicy() != Qt::NoFocus &&
        !view_->hasFocus())
        view_->setFocus(Qt::OtherFocusReason);
}

bool YearGrid::insertRecord() {
    DataSet* t = model_->table();
    if (readOnly_ || !t || !t->isActive()) return false;
    closeOpenEditor(true);
    try {
        if (description().shape == GridShape::Tree) return insertIntoTree();
        // Without a current row in the view (a rebuilt model has none) the row the table
        // stands on places the new one; a row added inside a stage's group belongs to that
        // stage.
        const int rec = currentRecord() ? currentRecord() : qMax(0, t->recNo());
        QVariant stage;
        if (description().shape == GridShape::Grouped && rec > 0)
            stage = t->valueAt(rec, t->field(description().groups.at(0).field));
        if (rec > 0) t->setRecNo(rec);
        if (!t->insert()) return false;
        if (stage.isValid()) t->field(description().groups.at(0).field).setValue(stage);
        if (!t->post()) return false;
        focusRecord(t->recNo());
        return true;
    } catch (const DataSetError&) {
        t->cancel();
        return false;
    }
}

bool YearGrid::insertIntoTree() {
    DataSet& t = *model_->table();
    {
        Utils::ControlsDisabledScope quiet(t);
        t.locate(description().keyField, kGrandTotalId);
        if (!t.insert()) return false;
        t.field(description().parentField).setValue(kOwnSourcesId);
    }
    if (!t.post()) return false;
    focusRecord(t.recNo());
    return true;
}

bool YearGrid::deleteRecord() {
    DataSet* t = model_->table();
    if (readOnly_ || !t || !t->isActive()) return false;
    closeOpenEditor(false);
    const int rec = currentRecord();
    if (rec == 0) return false;
    try {
        t->setRecNo(rec);
        return t->deleteRecord(); // no question asked; the table's rules may refuse
    } catch (const DataSetError&) {
        return false;
    }
}

void YearGrid::postRecord() {
    closeOpenEditor(true);
    DataSet* t = model_->table();
    try {
        if (t && t->isEditing()) t->post();
    } catch (const DataSetError&) {
        t->cancel();
    }
}

void YearGrid::cancelRecord() {
    closeOpenEditor(false);
    if (DataSet* t = model_->table()) t->cancel();
}

} // namespace editor
