#pragma once

#include "validation/input_handlers.h"

#include <QString>

#include <functional>

using InputHandler = std::function<InputVerdict(const QString& text)>;

// The input check that a section frame's control runs when the user leaves it, found by
// the frame's class name and the control's name (the same control name carries different
// checks in different frames). An empty function for a control without a text check.
// The schedule's "e1000115" gets the plain month check here; its cross-field warnings
// need the data module (date_order_warnings.h). The date editors all carry
// DataEditValidateDate instead.
InputHandler inputHandlerFor(const QString& frame, const QString& control);
