#include "editor/window/wheel_filter.h"

#include "editor/window/scroll_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>
#include <QWheelEvent>

namespace editor {

ScrollBox* WheelFilter::pageOf(const QWidget* w) {
    for (QWidget* up = w ? w->parentWidget() : nullptr; up && !up->isWindow();
         up = up->parentWidget()) {
        auto* box = qobject_cast<ScrollBox*>(up);
        if (!box) continue;
        // The box's own viewport and scroll bars are the page itself.
        return w == box->widget() || box->widget()->isAncestorOf(w) ? box : nullptr;
    }
    return nullptr;
}

bool WheelFilter::swallowsWheel(const QWidget* focused) {
    // The drop-down list of a combo box is a list view of its own pop-up: it scrolls.
    if (!focused || focused->window()->windowType() == Qt::Popup) return false;
    for (const QWidget* w = focused; w; w = w->parentWidget()) {
        if (qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
            qobject_cast<const QTextEdit*>(w))
            return true;
        if (w->isWindow()) break;
    }
    return false;
}

bool WheelFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* target = static_cast<QWidget*>(watched);
    const QWidget* focused = QApplication::focusWidget();
    if (focused && focused->window() == target->window() && pageOf(focused) &&
        swallowsWheel(focused))
        return true;
    ScrollBox* box = pageOf(target);
    if (!box) return QObject::eventFilter(watched, event);
    // The page scrolls as if the wheel were over its empty part.
    const auto* wheel = static_cast<QWheelEvent*>(event);
    QWidget* viewport = box->viewport();
    const QPointF at = viewport->mapFromGlobal(wheel->globalPosition());
    QWheelEvent forPage(at, wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(),
                        wheel->buttons(), wheel->modifiers(), wheel->phase(), wheel->inverted(),
                        wheel->source());
    QApplication::sendEvent(viewport, &forPage);
    return true;
}

} // namespace editor
