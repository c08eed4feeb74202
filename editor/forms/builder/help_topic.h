#pragma once

#include <QString>

#include <functional>

class TdmDataSets_t;

namespace editor {

// The module's help file: set by the window, else the instruction's index
// "wn_typy/pomoc/index.html" in the host's folder (where the dictionary was read).
void setHelpFile(const QString& path);
QString helpFile(const TdmDataSets_t& dm);

// Opens the help file at a topic; false when it could not be opened. The default is the
// module's help window over the instruction.
using HelpViewer = std::function<bool(const QString& file, int topic)>;
void setHelpViewer(HelpViewer viewer);

// What the help buttons and F1 do: the topic in the help file, or a message saying why
// there is no help.
void showHelpTopic(const TdmDataSets_t& dm, int topic);

} // namespace editor
