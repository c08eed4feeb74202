#include "editor/forms/controls/dataset_model.h"

#include "platform/dataset/dataset.h"
#include "platform/ui/userinterface.h"

namespace editor {

DataSetModel::DataSetModel(DataSet& table, std::vector<ColumnRow> columns, UserInterface& ui,
                           QObject* parent)
    : QAbstractTableModel(parent), table_(&table), columns_(std::move(columns)), ui_(ui) {
    rows_ = rowCount();
    table_->addObserver(this);
}

DataSetModel::~DataSetModel() {
    if (table_) table_->removeObserver(this);
}

void DataSetModel::dataSetDestroyed(DataSet&) {
    beginResetModel();
    table_ = nullptr;
    rows_ = 0;
    endResetModel();
}

// Same number of rows: values changed in place; otherwise the rows are laid out again.
void DataSetModel::changed() {
    const int now = rowCount();
    if (now != rows_) {
        beginResetModel();
        rows_ = now;
        endResetModel();
    } else if (now > 0) {
        emit dataChanged(index(0, 0), index(now - 1, columnCount() - 1));
    }
}

const Field* DataSetModel::fieldOf(int column) const {
    return table_ ? table_->findField(QLatin1String(columns_[size_t(column)].field)) : nullptr;
}

const Field* DataSetModel::keyFieldOf(int column) const {
    const Field* f = fieldOf(column);
    if (!f || f->kind() != FieldKind::Lookup) return nullptr;
    return table_->findField(f->definition().keyField);
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !table_ || !table_->isActive()) return 0;
    return table_->recordCount() + (table_->state() == DataSetState::Insert ? 1 : 0);
}

int DataSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

// The row being inserted or edited shows its edit buffer.
QVariant DataSetModel::value(int row, const Field& f) const {
    const bool inserting = table_->state() == DataSetState::Insert && row == table_->recordCount();
    const bool editing = table_->state() == DataSetState::Edit && row + 1 == table_->recNo();
    if (inserting || editing) return f.value();
    return table_->valueAt(row + 1, f);
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !table_ || index.row() >= rowCount()) return {};
    const Field* f = fieldOf(index.column());
    if (!f) return {};
    if (role == Qt::DisplayRole) return FieldText::format(f->type(), value(index.row(), *f));
    // A text that a narrow column cuts can still be read whole.
    if (role == Qt::ToolTipRole) {
        const QString text = FieldText::format(f->type(), value(index.row(), *f));
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    if (role == Qt::EditRole) {
        const Field* key = keyFieldOf(index.column());
        return FieldText::format((key ? key : f)->type(), value(index.row(), key ? *key : *f));
    }
    return {};
}

QVariant DataSetModel::headerData(int section, Qt::Orientation o, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Horizontal) return QString::fromUtf8(columns_[size_t(section)].title);
    return section + 1;
}

Qt::ItemFlags DataSetModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && !readOnly_ && !columns_[size_t(index.column())].readOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DataSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !table_ || !table_->isActive() || readOnly_) return false;
    const Field* key = keyFieldOf(index.column());
    const Field* f = key ? key : fieldOf(index.column());
    if (!f) return false;
    try {
        const bool insertRow =
            table_->state() == DataSetState::Insert && index.row() == table_->recordCount();
        if (!insertRow && index.row() + 1 != table_->recNo()) table_->setRecNo(index.row() + 1);
        if (!table_->isEditing()) table_->edit();
        const QString text = value.toString();
        if (f->asString() == text) return true;
        table_->field(f->name()).setAsString(text);
    } catch (const DataSetError& e) {
        ui_.errorDialog(QString::fromStdString(e.what()));
        return false;
    }
    return true;
}

} // namespace editor
