#pragma once

#include <QObject>

class QWidget;

namespace editor {

class ScrollBox;

// Installed on the application while an editor exists. Over a page the wheel only scrolls
// the page: a wheel event over any control of a scroll box (lists, spin boxes, date edits,
// grids, memos) goes to the scroll box, so no turn of the wheel changes a value, a row or
// a year. While a grid or a memo of the same window has the focus, the wheel does nothing
// at all. Other windows (the validation window's findings, a drop-down list) keep their
// own wheel.
class WheelFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // A grid (item view, also while one of its cells is being edited) or a memo on a page.
    static bool swallowsWheel(const QWidget* focused);
    // The scroll box whose page holds `w` (not the box's own viewport or scroll bars).
    static ScrollBox* pageOf(const QWidget* w);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace editor
