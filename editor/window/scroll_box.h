#pragma once

#include <QScrollArea>

namespace editor {

// The vertical scroll box of one page: its panel stacks the page's frames. One wheel notch
// (120) scrolls 40 pixels: a third of the wheel delta.
class ScrollBox : public QScrollArea {
    Q_OBJECT
public:
    explicit ScrollBox(QWidget* parent = nullptr);

    // The panel the frames are placed into (a vertical box layout, frames at the top).
    QWidget* panel() const { return panel_; }

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    QWidget* panel_;
};

} // namespace editor
