#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace editor {

// The save dialog of save-as: application files ("Wnioski - XML"), default extension
// "xml", a question before replacing a file, opened in `folder` on the proposed name.
// No value when the user cancels.
std::optional<QString> chooseSavePath(QWidget* parent, const QString& folder,
                                      const QString& proposed);

} // namespace editor
