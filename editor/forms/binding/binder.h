#pragma once

#include "platform/dataset/datasource.h"

#include <QList>
#include <QObject>
#include <QPointer>

class DataSet;

namespace editor {

class DataControl;

// Watches one table for the data controls of one page and fans its notifications out:
// a changed value, a moved record, a new state or a reset repaints the bound controls
// (each repaints only what differs). The table's own data source, which carries the data
// module's reactions, is left alone.
class Binder : public QObject, public DataSetObserver {
    Q_OBJECT
public:
    Binder(DataSet& table, QObject* parent);
    ~Binder() override;

    // The one binder of `owner` for the table, made on first use.
    static Binder* forTable(QObject* owner, DataSet& table);

    DataSet* table() const { return table_; }
    void add(DataControl* control);

    void dataSetOpened(DataSet&) override { refreshAll(nullptr); }
    void dataSetClosed(DataSet&) override { refreshAll(nullptr); }
    void dataSetReset(DataSet&) override { refreshAll(nullptr); }
    void recordAppended(DataSet&, int) override { refreshAll(nullptr); }
    void recordInserted(DataSet&, int) override { refreshAll(nullptr); }
    void recordDeleted(DataSet&, int) override { refreshAll(nullptr); }
    void recordChanged(DataSet&, int) override { refreshAll(nullptr); }
    void fieldChanged(DataSet&, Field& f) override { refreshAll(&f); }
    void currentMoved(DataSet&) override { refreshAll(nullptr); }
    void stateChanged(DataSet&) override { refreshAll(nullptr); }
    void dataSetDestroyed(DataSet&) override;

private:
    void refreshAll(const Field* changed);

    DataSet* table_;
    QList<QPointer<DataControl>> controls_;
};

} // namespace editor
