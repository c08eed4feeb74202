#include "editor/forms/controls/year_grids_control.h"

#include "editor/grid/year_grid_panel.h"

#include <QVBoxLayout>

namespace editor {

YearGridsControl::YearGridsControl(const ControlRow& row, TdmDataSets_t& dm,
                                   const QString& frameClass, UserInterface& ui, QWidget* parent)
    : DataControl(row, ui, parent),
      panel_(new YearGridPanel(dm, yearGridPanelFor(frameClass), this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel_);
}

void YearGridsControl::setViewOnly(bool on) {
    DataControl::setViewOnly(on);
    setYearGridsReadOnly(this, on); // looks for the panel below this control
}

} // namespace editor
