#include "editor/window/focus_control.h"

#include <QApplication>
#include <QList>
#include <QPointer>
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

// The control a refusal sends the focus to, until the focus is there. The focus may
// arrive later than the call (the window is activated again after the message box).
QPointer<QWidget>& refusalTarget() {
    static QPointer<QWidget> target;
    return target;
}

bool inside(const QWidget* w, const QWidget* control) {
    return w && control && (w == control || control->isAncestorOf(w));
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

// Ends the mark once the handlers of the focus change that brought the focus there ran.
static void endMarkLater() {
    QPointer<QWidget> target = refusalTarget();
    QMetaObject::invokeMethod(
        qApp,
        [target] {
            if (refusalTarget() == target) refusalTarget() = nullptr;
        },
        Qt::QueuedConnection);
}

bool focusControlAfterRefusal(QWidget* control) {
    static bool watching = false;
    if (!watching) {
        watching = true;
        QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
            if (inside(now, refusalTarget())) endMarkLater();
        });
    }
    refusalTarget() = control;
    const bool done = focusControl(control);
    if (!done)
        refusalTarget() = nullptr;
    else if (inside(QApplication::focusWidget(), control))
        endMarkLater();
    return done;
}

bool refusalTakesFocusTo(const QWidget* now) {
    return inside(now, refusalTarget());
}

} // namespace editor
