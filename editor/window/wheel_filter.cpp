#include "editor/window/wheel_filter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace editor {

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
    if (event->type() == QEvent::Wheel && swallowsWheel(QApplication::focusWidget())) return true;
    return QObject::eventFilter(watched, event);
}

} // namespace editor
