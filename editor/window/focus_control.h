#pragma once

class QWidget;

namespace editor {

// Leads the user to a control: every enclosing tab page becomes the current page of its
// tab widget (from the outside in), a hidden control is made visible, every enclosing
// scroll box scrolls it into view, and it gets the focus. False when it cannot take the
// focus (disabled, or its window cannot be activated).
bool focusControl(QWidget* control);

// focusControl for a refusal: the control that refused takes the focus back, or a refused
// post sends it to the control it names. The control left on the way is not left by the
// user: it must neither check its text nor post its record, or the two would refuse in
// turn without end. The mark lasts until the focus has arrived.
bool focusControlAfterRefusal(QWidget* control);

// True while the focus is moving to `now` because of a refusal (see above).
bool refusalTakesFocusTo(const QWidget* now);

} // namespace editor
