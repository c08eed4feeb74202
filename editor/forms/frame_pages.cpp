#include "editor/forms/frame_pages.h"

#include "editor/forms/builder/frame_builder.h"
#include "editor/forms/controls/data_control.h"
#include "editor/forms/frames/frame_registry.h"
#include "editor/grid/year_grid.h"

#include <QLayout>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWidget>

namespace editor {

int fillPage(const QString& pageCaption, QWidget* panel, FrameContext& context) {
    const PageFrames* page = framesForPage(pageCaption);
    if (!page || !panel) return 0;
    auto* layout = qobject_cast<QVBoxLayout*>(panel->layout());
    if (!layout) {
        delete panel->layout();
        layout = new QVBoxLayout(panel);
    }
    FrameBuilder builder(context.dm, panel);
    for (const FrameDescription& frame : page->frames)
        layout->addWidget(builder.build(frame, panel));
    layout->addStretch();
    return int(page->frames.size());
}

// Children are visited in creation order, depth first, so the first frame that shows a
// field wins, as does a grid or a repeating panel over the field's table. A year grid
// stands for its whole table; its view carries the grid's name.
QWidget* findControlForField(QWidget* root, const QString& table, const QString& field) {
    if (!root) return nullptr;
    for (DataControl* c : root->findChildren<DataControl*>())
        if (c->isBoundTo(table, field)) return c;
    for (YearGrid* g : root->findChildren<YearGrid*>())
        if (g->description().dataSet.compare(table, Qt::CaseInsensitive) == 0) return g->view();
    return nullptr;
}

void setDataControlsReadOnly(QWidget* root, bool readOnly) {
    if (!root) return;
    for (DataControl* c : root->findChildren<DataControl*>())
        c->setViewOnly(readOnly);
}

} // namespace editor
