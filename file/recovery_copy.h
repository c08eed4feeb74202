#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Where the editor keeps the recovery copy of an application with unsaved changes. Each
// application file has one copy of its own, named after the file's full path; a new,
// not yet saved application has one too. The copy is an ordinary application file.
namespace RecoveryCopy {

// $XDG_STATE_HOME/Zelgor/odzyskiwanie, else ~/.local/state/Zelgor/odzyskiwanie.
QString folder();

// The copy that belongs to an application file; an empty name means a new application.
QString pathFor(const QString& applicationFile);

// The time the copy was written, when it exists and is newer than the application file
// (for a new application: when it exists). Nothing when there is nothing to offer.
std::optional<QDateTime> offered(const QString& applicationFile);

// The question asked before the copy is restored.
QString question(const QDateTime& written);

// Removes the copy of the application file, if there is one.
void remove(const QString& applicationFile);

} // namespace RecoveryCopy
