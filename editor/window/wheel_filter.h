#pragma once

#include <QObject>

class QWidget;

namespace editor {

// Installed on the application while an editor exists: a mouse-wheel event is discarded
// while a grid or a memo has the focus, so the wheel never scrolls their contents (and
// never changes a row or a text position the user did not mean to).
class WheelFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // A grid (item view, also while one of its cells is being edited) or a memo.
    static bool swallowsWheel(const QWidget* focused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace editor
