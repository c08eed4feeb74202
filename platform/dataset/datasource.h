#pragma once

#include <QString>

#include <functional>

class DataSet;
class Field;

// Fine-grained notifications of a table. Nothing is sent while the table's controls
// are disabled; enabling them again sends dataSetReset once.
class DataSetObserver {
public:
    virtual ~DataSetObserver() = default;
    virtual void dataSetOpened(DataSet&) {}
    virtual void dataSetClosed(DataSet&) {}
    virtual void dataSetReset(DataSet&) {} // filter, sort, emptying, controls enabled again
    virtual void recordAppended(DataSet&, int /*recNo*/) {}
    virtual void recordInserted(DataSet&, int /*recNo*/) {}
    virtual void recordDeleted(DataSet&, int /*recNo*/) {}
    virtual void recordChanged(DataSet&, int /*recNo*/) {} // an edited row was posted
    virtual void fieldChanged(DataSet&, Field&) {}         // a value of the edit buffer
    virtual void currentMoved(DataSet&) {}
    virtual void stateChanged(DataSet&) {}
    virtual void updateData(DataSet&) {} // a post is about to write the edited row
    virtual void dataSetDestroyed(DataSet&) {}
};

// The link between a table and the controls bound to it ("dsr" + table name). It carries
// the module's two reactions: on update (a post writes edited values) and on data change
// (the current row or one of its values changed).
class DataSource : public DataSetObserver {
public:
    explicit DataSource(QString name, DataSet* dataSet = nullptr);
    ~DataSource() override;
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    const QString& name() const { return name_; }
    DataSet* dataSet() const { return dataSet_; }
    void setDataSet(DataSet* ds); // detaches from the previous table

    std::function<void(DataSource&)> onUpdateData;
    std::function<void(DataSource&, Field*)> onDataChange; // field null: row or position
    std::function<void(DataSource&)> onStateChange;

    void dataSetOpened(DataSet&) override { dataChanged(nullptr); }
    void dataSetClosed(DataSet&) override { dataChanged(nullptr); }
    void dataSetReset(DataSet&) override { dataChanged(nullptr); }
    void recordAppended(DataSet&, int) override { dataChanged(nullptr); }
    void recordInserted(DataSet&, int) override { dataChanged(nullptr); }
    void recordDeleted(DataSet&, int) override { dataChanged(nullptr); }
    void recordChanged(DataSet&, int) override { dataChanged(nullptr); }
    void fieldChanged(DataSet&, Field& f) override { dataChanged(&f); }
    void currentMoved(DataSet&) override { dataChanged(nullptr); }
    void stateChanged(DataSet&) override;
    void updateData(DataSet&) override;
    void dataSetDestroyed(DataSet&) override { dataSet_ = nullptr; }

private:
    void dataChanged(Field* f);

    QString name_;
    DataSet* dataSet_ = nullptr;
};
