#pragma once

#include "platform/dataset/field.h"
#include "platform/dataset/filter.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class DataSetObserver;

enum class DataSetState { Inactive, Browse, Edit, Insert };

// The table's event hooks. A before-hook cancels its operation silently by returning
// false (an abort, not an error). Hooks are plain members: a rule that restructures the
// table detaches a hook by saving and emptying it, and re-attaches it by restoring it.
struct DataSetEvents {
    using Hook = std::function<void(DataSet&)>;
    using BeforeHook = std::function<bool(DataSet&)>;

    Hook afterOpen;
    BeforeHook beforeInsert; // append and insert
    Hook onNewRecord;        // after the defaults, before afterInsert: the insert rules
    Hook afterInsert;
    BeforeHook beforePost;
    Hook afterPost;
    BeforeHook beforeDelete;
    Hook afterDelete;
    Hook onCalcFields; // fills the calculated fields of the row being read
};

// A table's rows, cursor, filter and changeable field settings at rest, to put the table
// back as it was: one module then reads many files in turn without being rebuilt.
struct DataSetSnapshot {
    std::vector<std::vector<QVariant>> rows;
    std::vector<int> view;
    int current = -1;
    bool eof = true;
    bool bof = true;
    DataSetState state = DataSetState::Inactive;
    QString filterText;
    bool filtered = false;
    std::vector<bool> readOnly; // by field index
    std::vector<QString> displayFormats;
    quint64 rowsVersion = 0;
};

// An in-memory table: typed fields, rows, a current row, states browse / edit / insert,
// filters, locate, lookup, sort, event hooks and observers (data sources, item models).
class DataSet {
public:
    explicit DataSet(QString name);
    ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    const QString& name() const { return name_; }

    // ---- fields
    // Fields may be added while the table is closed or empty of rows.
    Field& addField(const FieldDef& def);
    Field& field(const QString& name) const; // case-insensitive; throws DataSetError
    Field* findField(const QString& name) const;
    int fieldCount() const { return int(fields_.size()); }
    Field& fieldAt(int i) const { return *fields_[size_t(i)]; }
    const std::vector<std::unique_ptr<Field>>& fields() const { return fields_; }
    // Resolves the table a lookup field reads; the data module installs it.
    using TableResolver = std::function<DataSet*(const QString&)>;
    void setTableResolver(TableResolver r) { resolver_ = std::move(r); }

    // ---- open / close
    void open();  // runs afterOpen
    void close(); // a closed table holds no rows
    bool isActive() const { return state_ != DataSetState::Inactive; }
    DataSetState state() const { return state_; }
    bool isEditing() const {
        return state_ == DataSetState::Edit || state_ == DataSetState::Insert;
    }

    // ---- navigation (over the rows the filter lets through)
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    int recNo() const;    // 1-based; -1 without a current row
    void setRecNo(int n); // moves when 1 <= n <= recordCount
    void first();
    void last();
    void next(); // past the last row sets eof()
    void prior();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }

    // ---- editing. Each returns false when a before-hook cancelled the operation.
    bool append();
    bool insert(); // at the current row
    void edit();   // no-op without a current row; throws when closed
    bool post();   // throws DataSetError when a required field is empty
    void cancel();
    bool deleteRecord();
    void emptyTable(); // deletes every row without the delete hooks
    // Replaces the rows by those of a table with the same fields (a dictionary already
    // loaded elsewhere); no hooks run. Throws DataSetError when the fields differ.
    void copyRowsFrom(const DataSet& source);
    // The state to restore later; throws DataSetError while a row is being edited.
    DataSetSnapshot snapshot() const;
    // Puts back a snapshot of this table: no hooks run; rows left untouched since are not
    // copied again (the dictionaries).
    void restore(const DataSetSnapshot& snapshot);

    // ---- search
    // Moves to the first row whose field equals the value; false when none does.
    bool locate(const QString& fieldName, const QVariant& value);
    // The value of resultField in the first row whose keyField equals keyValue, without
    // moving; null when there is none.
    QVariant lookup(const QString& keyField, const QVariant& keyValue,
                    const QString& resultField) const;

    // ---- filter and sort
    void setFilter(const QString& text); // parsed at once; throws DataSetError
    const QString& filter() const { return filterText_; }
    void setFiltered(bool on);
    bool isFiltered() const { return filtered_; }
    void sortOn(const QString& fieldName); // stable, ascending; Polish collation for text

    // ---- notification of bound controls
    void disableControls() { ++disableCount_; }
    void enableControls();
    bool controlsDisabled() const { return disableCount_ > 0; }

    DataSetEvents events;

    // ---- observers (data sources, item models)
    void addObserver(DataSetObserver* o);
    void removeObserver(DataSetObserver* o);

    // ---- access for fields and item models
    QVariant valueAt(int recNo, const Field& f) const; // 1-based row of the filtered view
    QVariant currentValue(const Field& f) const;
    void assign(Field& f, const QVariant& coerced);
    quint64 version() const { return version_; } // grows with every change of rows

private:
    friend class Field;
    using Row = std::vector<QVariant>;

    void requireActive(const char* op) const;
    void rebuildView();
    bool rowVisible(const Row& r) const;
    Row newRowWithDefaults() const;
    bool startInsert(int physicalPos);
    void moveTo(int viewIndex);
    QVariant lookupValue(const Field& f, const Row& row) const;
    QVariant calculatedValue(const Row& row, const Field& f) const;
    int physicalIndex(int viewIndex) const;
    void touch();
    void touchView() { ++version_; } // the rows are the same, the filter shows others
    const Row* currentRow() const;

    // notifications (suppressed while controls are disabled)
    template <typename Fn> void notify(Fn fn);

    QString name_;
    std::vector<std::unique_ptr<Field>> fields_;
    QHash<QString, Field*> byName_;         // lower-case names
    QHash<QString, Field*> byDeclaredName_; // names as declared
    TableResolver resolver_;

    std::vector<Row> rows_; // physical order
    std::vector<int> view_; // physical indices visible through the filter
    int current_ = -1;      // index into view_
    bool eof_ = true;
    bool bof_ = true;

    DataSetState state_ = DataSetState::Inactive;
    Row buffer_;         // the row being edited or inserted
    int insertPos_ = -1; // physical position of an inserted row

    QString filterText_;
    FilterExpression filterExpr_;
    bool filtered_ = false;

    int disableCount_ = 0;
    std::vector<DataSetObserver*> observers_;
    quint64 version_ = 0;
    // Names the stored rows: a new number, unique in the process, at every change of them,
    // and a snapshot's number again when its rows are put back.
    quint64 rowsVersion_ = 0;
    mutable const Row* calcTarget_ = nullptr; // row whose calculated fields are being read
    mutable Row calcScratch_;
};
