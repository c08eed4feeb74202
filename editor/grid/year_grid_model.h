#pragma once

#include "editor/grid/grid_description.h"
#include "platform/dataset/datasource.h"
#include "platform/utils/amount.h"

#include <QAbstractItemModel>
#include <QColor>

#include <vector>

class DataSet;
class Field;

namespace editor {

// A band of a banded header as the model reports it under YearGridModel::BandRole: the
// title and the run of leaf columns it spans, counted over all columns (hidden included).
struct HeaderBand {
    QString title;
    int firstLeaf = 0;
    int span = 1;
};

// One item model over a table of the table library for the flat, grouped and tree year
// grids. Columns are the description's leaf columns; rows are records, group rows and
// footers ("RAZEM" with the column sums). Edits go straight into the table and are posted,
// so the data module's rules (totals, sums up the tree, shares) run at once.
class YearGridModel : public QAbstractItemModel, private DataSetObserver {
    Q_OBJECT
public:
    enum Role {
        BandRole = Qt::UserRole + 1, // headerData: HeaderBand of the section
        RecNoRole,                   // data: the record number of the row; 0 for others
        RowKindRole,                 // data: RowKind
    };
    enum class RowKind { Record, Group, Footer };

    YearGridModel(YearGridDescription description, DataSet& table, QObject* parent = nullptr);
    ~YearGridModel() override;

    const YearGridDescription& description() const { return description_; }
    DataSet* table() const { return table_; }
    int columnOfField(const QString& field) const;
    const GridColumn& column(int section) const { return description_.columns[size_t(section)]; }
    QModelIndex indexOfRecord(int recNo, int column = 0) const;
    int recNoOf(const QModelIndex& index) const;
    RowKind rowKindOf(const QModelIndex& index) const;
    // Whether the cell takes input: the rules of the grid's shape and the read-only mode.
    bool isEditableCell(const QModelIndex& index) const;
    void setReadOnly(bool readOnly);

    // The background of cells the user cannot type into.
    static QColor readOnlyColour();

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // The table went into insert state (a navigator or a rule started a new row).
    void insertStarted();

private:
    QString cellDescription(const QModelIndex& index) const;
    struct Node {
        RowKind kind = RowKind::Record;
        int recNo = 0;   // records
        int parent = -1; // node index; -1: top level
        int row = 0;     // position among the parent's children
        std::vector<int> children;
        QString title;  // group rows
        int scope = -1; // footers: the group node whose records are summed; -1: all
        bool operator==(const Node& o) const {
            return kind == o.kind && recNo == o.recNo && parent == o.parent && row == o.row &&
                   children == o.children && title == o.title && scope == o.scope;
        }
    };

    // DataSetObserver
    void dataSetOpened(DataSet&) override { rebuild(); }
    void dataSetClosed(DataSet&) override { rebuild(); }
    void dataSetReset(DataSet&) override { rebuild(); }
    void recordAppended(DataSet&, int) override { rebuild(); }
    void recordInserted(DataSet&, int) override { rebuild(); }
    void recordDeleted(DataSet&, int) override { rebuild(); }
    void recordChanged(DataSet&, int) override { rebuild(); }
    void stateChanged(DataSet& ds) override;
    void fieldChanged(DataSet& ds, Field& f) override;
    void dataSetDestroyed(DataSet&) override;

    // Builds the rows again; when they come out the same, only their values are announced,
    // so views keep expansion, current cell and scroll position.
    void rebuild();
    std::vector<Node> buildNodes(std::vector<int>& roots) const;
    void buildFlat(std::vector<Node>& nodes, std::vector<int>& roots) const;
    void buildGrouped(std::vector<Node>& nodes, std::vector<int>& roots) const;
    void buildTree(std::vector<Node>& nodes, std::vector<int>& roots) const;
    void announceValues(const QModelIndex& parent);

    const Node* nodeOf(const QModelIndex& index) const;
    Field* fieldOf(int section) const;
    QVariant recordData(const Node& n, int section, int role) const;
    QVariant footerData(int node, int section, int role) const;
    double footerSum(int node, int section) const;
    void collectRecords(int node, std::vector<int>& out) const;
    bool treeRowEditable(const Node& n, const GridColumn& c) const;
    bool cellAcceptsInput(const Node& n, int section) const;
    QString nameOfRecord(int recNo) const;

    YearGridDescription description_;
    DataSet* table_;
    std::vector<Field*> fields_;               // per column; null for a field the table lacks
    std::vector<Utils::AmountFormat> formats_; // per column
    std::vector<Node> nodes_;
    std::vector<int> roots_;
    bool readOnly_ = false;
    bool wasInserting_ = false;
    bool announcePending_ = false;
    // Footer sums, valid for one version of the table's rows.
    mutable quint64 sumsVersion_ = ~quint64(0);
    mutable std::vector<std::vector<double>> sums_;
};

} // namespace editor

Q_DECLARE_METATYPE(editor::HeaderBand)
