#pragma once

#include "platform/dataset/datasource.h"

class DataSet;
class QLineEdit;

namespace editor {

// Shows dsWniosek.suma_kontrolna in the checksum page's edit and follows every change of
// the stored value (the edit itself is disabled: the checksum is never typed).
class ChecksumEditLink : public DataSetObserver {
public:
    ChecksumEditLink(DataSet& table, QLineEdit* edit);
    ~ChecksumEditLink() override;
    ChecksumEditLink(const ChecksumEditLink&) = delete;
    ChecksumEditLink& operator=(const ChecksumEditLink&) = delete;

    void refresh();

    void dataSetOpened(DataSet&) override { refresh(); }
    void dataSetReset(DataSet&) override { refresh(); }
    void recordAppended(DataSet&, int) override { refresh(); }
    void recordChanged(DataSet&, int) override { refresh(); }
    void fieldChanged(DataSet&, Field&) override { refresh(); }
    void currentMoved(DataSet&) override { refresh(); }
    void dataSetDestroyed(DataSet&) override { table_ = nullptr; }

private:
    DataSet* table_;
    QLineEdit* edit_;
};

} // namespace editor
