#pragma once

#include "editor/forms/controls/data_control.h"

class TdmDataSets_t;

namespace editor {

class YearGrid;
class YearGridPanel;

// The year-column grids of one frame with their year spinner and buttons, as a row of the
// frame. The grids bind themselves to their tables; the control only places them and
// passes view mode on.
class YearGridsControl : public DataControl {
    Q_OBJECT
public:
    YearGridsControl(const ControlRow& row, TdmDataSets_t& dm, const QString& frameClass,
                     UserInterface& ui, QWidget* parent);

    YearGridPanel* panel() const { return panel_; }
    void setViewOnly(bool on) override;

protected:
    QString shownText() const override { return {}; }
    void showText(const QString&) override {}
    void applyReadOnly(bool) override {}

private:
    YearGridPanel* panel_;
};

} // namespace editor
