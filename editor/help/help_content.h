#pragma once

// The instruction generated from what the program knows: the frame tables give every
// topic's sections, fields, captions and formats, the input checks give their refusal
// messages, the rule tables the validation messages that name each field; the hand-written
// explanations of help_texts.cpp head each topic.
#include "editor/help/help_book.h"

#include <map>

namespace editor {

// The number of the editor window's own topic: the overview of the whole form.
inline constexpr int kWindowHelpTopic = 1;

// The hand-written explanation of each topic (HTML paragraphs), by topic number.
const std::map<int, QString>& helpExplanations();

struct ControlRow;

// What the instruction says about a field's format and checks, also read out by screen
// readers as the control's description; empty when it says nothing.
QString fieldDescription(const QString& frameClass, const ControlRow& row);

// The whole instruction: the window's topic first, then one topic per help topic number
// of the frames in the order of the pages.
help::HelpBook generateHelpBook();

} // namespace editor
