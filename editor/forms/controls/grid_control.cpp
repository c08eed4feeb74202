#include "editor/forms/controls/grid_control.h"

#include "editor/forms/binding/binder.h"
#include "editor/forms/controls/dataset_model.h"
#include "editor/forms/controls/grid_delegate.h"
#include "editor/window/focus_control.h"
#include "platform/dataset/dataset.h"
#include "platform/ui/userinterface.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

namespace editor {

GridControl::GridControl(const ControlRow& row, TdmDataSets_t& dm, UserInterface& ui,
                         QWidget* parent)
    : DataControl(row, ui, parent), dm_(dm), view_(new QTableView(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    view_->setObjectName(objectName() + QStringLiteral("_view"));
    view_->setSelectionBehavior(QAbstractItemView::SelectItems);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    view_->setTabKeyNavigation(true);
    view_->setMinimumHeight(row.height > 0 ? row.height : 140);
    view_->verticalHeader()->setDefaultSectionSize(22);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->setItemDelegate(new GridDelegate(*this));
    setEditor(view_);
}

void GridControl::bind(Binder* binder) {
    DataControl::bind(binder);
    DataSet* t = binder->table();
    if (!t) return;
    model_ = new DataSetModel(*t, row().columns, ui(), this);
    view_->setModel(model_);
    for (int c = 0; c < int(row().columns.size()); ++c) {
        view_->setColumnWidth(c, row().columns[size_t(c)].width);
        view_->setColumnHidden(c, row().columns[size_t(c)].hidden);
    }
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                DataSet* table = model_->table();
                if (!table || !current.isValid() || !table->isActive()) return;
                const bool onInsertRow =
                    table->state() == DataSetState::Insert && current.row() == table->recordCount();
                if (onInsertRow || current.row() + 1 == table->recNo()) return;
                try {
                    table->setRecNo(current.row() + 1); // posts the record left
                } catch (const DataSetError& e) {
                    ui().errorDialog(QString::fromStdString(e.what()));
                }
                followTable();
            });
    connect(model_, &QAbstractItemModel::modelReset, this, &GridControl::followTable);
    // Leaving the grid, from the grid or from one of its cell editors, posts the record.
    leaveWatch_ =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            const auto inside = [this](const QWidget* w) {
                return w && (w == view_ || view_->isAncestorOf(w));
            };
            if (!inside(old) || inside(now) || !now) return;
            // A message box (also the one a refused post opens) or another window takes the
            // focus only for a while; posting then would refuse again at every answer.
            if (now->window() != view_->window()) return;
            // Nor when a refusal takes the focus back to its control.
            if (refusalTakesFocusTo(now)) return;
            DataSet* table = model_->table();
            if (!table || !table->isActive() || !table->isEditing()) return;
            try {
                table->post();
            } catch (const DataSetError& e) {
                ui().errorDialog(QString::fromStdString(e.what()));
            }
        });
    followTable();
}

// The view is deleted with the children, after this destructor and before the connection
// would end by itself; its focus then moves, and the watch must not look at it any more.
GridControl::~GridControl() {
    disconnect(leaveWatch_);
}

// The grid's current row shows the table's current record.
void GridControl::followTable() {
    DataSet* t = model_ ? model_->table() : nullptr;
    if (!t || !t->isActive() || model_->rowCount() == 0) return;
    const int row = t->state() == DataSetState::Insert ? t->recordCount() : t->recNo() - 1;
    const QModelIndex current = view_->currentIndex();
    if (current.isValid() && current.row() == row) return;
    const int column = current.isValid() ? current.column() : 0;
    {
        const QSignalBlocker block(view_->selectionModel());
        view_->selectionModel()->setCurrentIndex(model_->index(std::max(0, row), column),
                                                 QItemSelectionModel::ClearAndSelect);
    }
    view_->viewport()->update();
    if (t->state() == DataSetState::Insert) takeFocusForInsert();
}

// A record just inserted (by the navigator, by Down) is typed into at once: the grid takes
// the focus in its first editable column, unless it has it already or cannot take it.
void GridControl::takeFocusForInsert() {
    QWidget* focus = QApplication::focusWidget();
    if (!view_->isVisible() || !view_->isEnabled() || !window()->isActiveWindow() || isViewOnly() ||
        (focus && (focus == view_ || view_->isAncestorOf(focus))))
        return;
    const int row = view_->currentIndex().row();
    for (int c = 0; c < model_->columnCount(); ++c) {
        const QModelIndex cell = model_->index(row, c);
        if (view_->isColumnHidden(c) || !(model_->flags(cell) & Qt::ItemIsEditable)) continue;
        const QSignalBlocker block(view_->selectionModel());
        view_->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
        break;
    }
    view_->setFocus(Qt::OtherFocusReason);
}

void GridControl::refresh(const Field* changed) {
    DataControl::refresh(changed);
    if (model_) followTable();
}

void GridControl::setViewOnly(bool on) {
    DataControl::setViewOnly(on);
    // The grid itself stays enabled so that it scrolls.
    if (model_) model_->setReadOnly(on);
    QPalette p = view_->palette();
    p.setColor(QPalette::Base, on ? readOnlyColour() : palette().color(QPalette::Base));
    view_->setPalette(p);
}

void GridControl::focusColumn(const QString& field) {
    if (!model_) return;
    for (int c = 0; c < model_->columnCount(); ++c) {
        if (field.compare(QLatin1String(model_->column(c).field), Qt::CaseInsensitive) != 0)
            continue;
        const QModelIndex current = view_->currentIndex();
        view_->setCurrentIndex(model_->index(current.isValid() ? current.row() : 0, c));
    }
    view_->setFocus(Qt::OtherFocusReason);
}

bool GridControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && model_ && model_->table()) {
        DataSet* t = model_->table();
        if (event->type() == QEvent::KeyPress && !isViewOnly()) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QModelIndex current = view_->currentIndex();
            const bool onLast = !current.isValid() || current.row() == model_->rowCount() - 1;
            // Down past the last row appends a record, as the grid's own feature.
            if (key->key() == Qt::Key_Down && onLast && t->isActive() &&
                t->state() != DataSetState::Insert) {
                try {
                    t->append();
                } catch (const DataSetError& e) {
                    ui().errorDialog(QString::fromStdString(e.what()));
                }
                followTable();
                return true;
            }
        }
    }
    return DataControl::eventFilter(watched, event);
}

} // namespace editor
