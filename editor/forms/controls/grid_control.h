#pragma once

#include "editor/forms/controls/data_control.h"

class QTableView;
class TdmDataSets_t;

namespace editor {

class DataSetModel;

// A table section as a grid: one row per record, editing in the cells, Tab through the
// cells, Down past the last row appends a record. The current row follows the table's
// current record both ways; leaving the grid posts the record. Lookup columns drop down
// their dictionary, filtered by the row's parent key while the cell is edited; month
// columns refuse texts that are no month.
class GridControl : public DataControl {
    Q_OBJECT
public:
    GridControl(const ControlRow& row, TdmDataSets_t& dm, UserInterface& ui, QWidget* parent);
    ~GridControl() override;
    void bind(Binder* binder) override;
    bool standsForTable() const override { return true; }
    void setViewOnly(bool on) override;
    void refresh(const Field* changed) override;

    QTableView* view() const { return view_; }
    DataSetModel* model() const { return model_; }
    TdmDataSets_t& dataModule() const { return dm_; }
    // Focuses the cell of the current record in the named column.
    void focusColumn(const QString& field);

protected:
    QString shownText() const override { return {}; }
    void showText(const QString&) override {}
    void applyReadOnly(bool) override {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followTable();
    void takeFocusForInsert();

    TdmDataSets_t& dm_;
    QTableView* view_;
    DataSetModel* model_ = nullptr;
    QMetaObject::Connection leaveWatch_;
};

} // namespace editor
