#pragma once

#include <QString>

class QWidget;
class TdmDataSets;

namespace editor {

// What the window hands to the frames when it fills its pages.
struct FrameContext {
    TdmDataSets& dm;
};

// Stacks the section frames registered for one page into the panel of that page's scroll box.
// `pageCaption` is the caption of the inner page exactly as on its tab ("&Objaśnienia",
// "&1 - 4", ...) or, for a main page without inner pages, the main page's caption
// ("Z&ałączniki"). Returns how many frames were placed.
int fillPage(const QString& pageCaption, QWidget* panel, FrameContext& context);

// The data control bound to table.field inside `root`, else the view of a year grid over
// the table, or nullptr: findings and the rules reach controls through it.
QWidget* findControlForField(QWidget* root, const QString& table, const QString& field);

// Read-only mode: every data control below `root` stops accepting input (actions stay).
void setDataControlsReadOnly(QWidget* root, bool readOnly);

} // namespace editor
