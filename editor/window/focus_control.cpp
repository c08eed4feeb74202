#include "editor/window/focus_control.h"

#include <QList>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>

namespace editor {

namespace {

// The tab widget whose page `page` is (a tab widget keeps its pages in a stacked widget).
QTabWidget* tabWidgetOfPage(QWidget* page) {
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

} // namespace

bool focusControl(QWidget* control) {
    if (!control) return false;
    QList<QWidget*> chain;
    for (QWidget* w = control; w; w = w->parentWidget()) {
        chain.prepend(w);
        if (w->isWindow()) break;
    }
    for (QWidget* w : chain) {
        if (QTabWidget* tabs = tabWidgetOfPage(w)) tabs->setCurrentWidget(w);
    }
    if (control->isHidden()) control->setVisible(true);
    for (QWidget* w = control->parentWidget(); w; w = w->parentWidget()) {
        // The viewport's parent is the scroll area.
        if (auto* area = qobject_cast<QScrollArea*>(w)) area->ensureWidgetVisible(control);
        if (w->isWindow()) break;
    }
    // A data control hands the focus to its inner editor.
    QWidget* target = control;
    while (target->focusProxy())
        target = target->focusProxy();
    if (!target->isEnabled() || !control->isVisible() || target->focusPolicy() == Qt::NoFocus)
        return false;
    QWidget* window = control->window();
    window->raise();
    window->activateWindow();
    control->setFocus(Qt::OtherFocusReason);
    return true;
}

} // namespace editor
