#pragma once

class QWidget;

namespace editor {

// Leads the user to a control: every enclosing tab page becomes the current page of its
// tab widget (from the outside in), a hidden control is made visible, every enclosing
// scroll box scrolls it into view, and it gets the focus. False when it cannot take the
// focus (disabled, or its window cannot be activated).
bool focusControl(QWidget* control);

} // namespace editor
