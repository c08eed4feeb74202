#pragma once

#include "editor/forms/description/frame_description.h"
#include "platform/dataset/datasource.h"

#include <QAbstractTableModel>

#include <vector>

class DataSet;
class UserInterface;

namespace editor {

// The rows of a table as an item model, one column per grid column of the description.
// A record being inserted shows as the last row; the record being edited shows its edit
// buffer. Writing a cell moves the table to the row, puts it into edit and sets the
// field (a lookup column sets the key behind it); posting is left to the grid.
class DataSetModel : public QAbstractTableModel, public DataSetObserver {
    Q_OBJECT
public:
    // Edit role of a lookup column: the key; display role: the looked-up name.
    DataSetModel(DataSet& table, std::vector<ColumnRow> columns, UserInterface& ui,
                 QObject* parent);
    ~DataSetModel() override;

    DataSet* table() const { return table_; }
    const ColumnRow& column(int c) const { return columns_[size_t(c)]; }
    // The key field a lookup column writes, or nullptr for other columns.
    const Field* keyFieldOf(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    void dataSetOpened(DataSet&) override { changed(); }
    void dataSetClosed(DataSet&) override { changed(); }
    void dataSetReset(DataSet&) override { changed(); }
    void recordAppended(DataSet&, int) override { changed(); }
    void recordInserted(DataSet&, int) override { changed(); }
    void recordDeleted(DataSet&, int) override { changed(); }
    void recordChanged(DataSet&, int) override { changed(); }
    void fieldChanged(DataSet&, Field&) override { changed(); }
    void stateChanged(DataSet&) override { changed(); }
    void dataSetDestroyed(DataSet&) override;

private:
    void changed();
    const Field* fieldOf(int column) const;
    QVariant value(int row, const Field& f) const;

    DataSet* table_;
    std::vector<ColumnRow> columns_;
    UserInterface& ui_;
    int rows_ = 0;
    bool readOnly_ = false;

public:
    void setReadOnly(bool on) { readOnly_ = on; }
};

} // namespace editor
