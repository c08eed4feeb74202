#pragma once

#include "editor/grid/grid_description.h"
#include "editor/grid/year_switch.h"

#include <QWidget>

class QTreeView;
class TdmDataSets_t;

namespace editor {

class BandedHeaderView;
class YearGridModel;

// One year grid with its navigator (Insert, Delete, Post, Cancel): a tree view over a
// YearGridModel with a banded header and amount editors. The view is named after the
// control ("e615001"), the navigator's buttons after the navigator.
class YearGrid : public QWidget {
    Q_OBJECT
public:
    YearGrid(TdmDataSets_t& dm, YearGridDescription description, QWidget* parent = nullptr);
    ~YearGrid() override;

    const YearGridDescription& description() const;
    QTreeView* view() const { return view_; }
    YearGridModel* model() const { return model_; }
    BandedHeaderView* header() const { return header_; }

    // The table this grid's year switches rewrite; empty dataSet when it has none.
    SwitchedYearTable switchedTable() const;
    // Shows the year columns (for a tree also their bands) the switches of dsWniosek name;
    // an empty switch leaves the design: 2004-2008 shown, later years hidden.
    void restoreYearColumns();
    void showYear(int year, bool shown);
    bool isYearShown(int year) const;
    // Opens every group and every tree node.
    void expandAll();
    void setReadOnly(bool readOnly);

    // The navigator's actions, also reachable from code. Insert adds a row (in a finance
    // tree always below "inne") and puts the cursor into it.
    bool insertRecord();
    bool deleteRecord();
    void postRecord();
    void cancelRecord();

private:
    void buildNavigator(QWidget* bar);
    int currentRecord() const;
    void focusRecord(int recNo);
    void takeFocusForInsert();
    bool insertIntoTree();
    void closeOpenEditor(bool commit);

    TdmDataSets_t& dm_;
    QTreeView* view_;
    BandedHeaderView* header_;
    YearGridModel* model_;
    bool readOnly_ = false;
};

} // namespace editor
