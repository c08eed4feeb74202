#include "editor/forms/controls/cell_refusal.h"

#include "editor/window/focus_control.h"
#include "platform/ui/userinterface.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace editor {

namespace {
const char* const kShownProperty = "cellRefusalShown";
}

bool refusalShown(const QWidget* cellEditor) {
    return cellEditor->property(kShownProperty).toBool();
}

CellEvent checkCellEvent(QWidget* cellEditor, QEvent* event,
                         const std::function<InputVerdict()>& verdict, UserInterface& ui) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Tab &&
            key != Qt::Key_Backtab)
            return CellEvent::PassOn;
        const InputVerdict v = verdict();
        if (v.accept) return CellEvent::PassOn;
        ui.errorDialog(v.message);
        return CellEvent::Consumed;
    }
    if (event->type() != QEvent::FocusOut) return CellEvent::PassOn;
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // Another control's refusal taking the focus back does not finish the cell either.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        refusalTakesFocusTo(QApplication::focusWidget()))
        return CellEvent::Withheld;
    const InputVerdict v = verdict();
    if (v.accept) return CellEvent::PassOn;
    // The message waits until the focus change is over; the cell then takes the focus back.
    cellEditor->setProperty(kShownProperty, true);
    QPointer<QWidget> cell(cellEditor);
    QTimer::singleShot(0, [cell, &ui, message = v.message] {
        ui.errorDialog(message);
        if (!cell) return;
        cell->setProperty(kShownProperty, false);
        focusControlAfterRefusal(cell);
    });
    return CellEvent::Consumed;
}

} // namespace editor
