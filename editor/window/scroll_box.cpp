#include "editor/window/scroll_box.h"

#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace editor {

ScrollBox::ScrollBox(QWidget* parent) : QScrollArea(parent), panel_(new QWidget) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The page change gives the focus to the scroll box; the tab key does not stop here.
    setFocusPolicy(Qt::ClickFocus);
    auto* layout = new QVBoxLayout(panel_);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    setWidget(panel_);
}

void ScrollBox::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() - event->angleDelta().y() / 3);
    event->accept();
}

} // namespace editor
