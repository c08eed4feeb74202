#pragma once

#include "validation/input_handlers.h"

#include <functional>

class QEvent;
class QWidget;
class UserInterface;

namespace editor {

// What a cell editor does with a text its column refuses, shared by the grids' delegates.
// Enter or Tab shows the message once and the cell stays open with the text; the focus
// going to a message box (the refusal's own) or to another window changes nothing; the
// focus going elsewhere in the window shows the message and comes back. Esc still cancels.
enum class CellEvent {
    PassOn,   // the delegate's own handling goes on
    Consumed, // the event is done with
    Withheld, // the delegate must not see it (it would commit and close the cell)
};
CellEvent checkCellEvent(QWidget* cellEditor, QEvent* event,
                         const std::function<InputVerdict()>& verdict, UserInterface& ui);
// Whether a refusal of this editor has been shown already (then the delegate's commit of
// the same text does not show it again).
bool refusalShown(const QWidget* cellEditor);

} // namespace editor
