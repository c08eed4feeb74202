#pragma once

#include "editor/forms/description/frame_description.h"

#include <QColor>

#include <vector>

class QGridLayout;
class DataSet;
class QWidget;
class TdmDataSets;

namespace editor {

class DataControl;

// Lays a frame out from its description and binds its controls: one coloured panel per
// section point with its bold heading, italic hints and help button (F1 anywhere on the
// panel opens the same topic), then the rows in a label column and a control column.
// makeControl holds the only switch over the control kinds.
class FrameBuilder {
public:
    // Binders for the tables are made under `bindingOwner` (one per table).
    FrameBuilder(TdmDataSets& dm, QWidget* bindingOwner);

    QWidget* build(const FrameDescription& frame, QWidget* parent);
    DataControl* makeControl(const ControlRow& row, QWidget* parent);

private:
    QWidget* buildPanel(const FramePanel& panel, QWidget* parent);
    void layRows(const std::vector<ControlRow>& rows, int helpTopic, QGridLayout* grid,
                 QWidget* parent);
    void layColumnHeads(const ColumnHeads& heads, QGridLayout* grid, QWidget* parent);
    // The rows of one block of a repeating panel.
    void layBlock(const std::vector<ControlRow>& rows, QWidget* block);
    void bind(DataControl* control);
    void attachBehaviour(DataControl* control);
    void alignLabelColumns();

    TdmDataSets& dm_;
    QWidget* bindingOwner_;
    QString frameClass_;
    std::vector<QGridLayout*> panelGrids_; // of the frame being built
    DataSet* copyTable_ = nullptr;         // binds a panel's second block instead of its table
};

// The background of the frames' panels.
QColor panelColour();

} // namespace editor
