#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// Where the editor keeps the recovery copy of an application with unsaved changes. Each
// application file has one copy of its own, named after the file's full path; each new,
// not yet saved application has one of its own too. The copy is an ordinary application
// file. The folder is the user's alone (0700) and so is every copy (0600): an application
// holds PESEL and identity card numbers. A copy belongs to the editor that holds its lock
// ("<copy>.lock"); no other editor offers, writes or removes it while that editor lives.
namespace RecoveryCopy {

// $XDG_STATE_HOME/Zelgor/odzyskiwanie, else ~/.local/state/Zelgor/odzyskiwanie.
QString folder();
// Creates the folder (0700, also when it was there with wider rights); why not, else empty.
QString prepareFolder();

// The copy that belongs to an application file.
QString pathFor(const QString& applicationFile);
// A copy name for a new application that no other copy has.
QString newApplicationPath();
// Copies of new applications whose editors are gone, the newest first.
QStringList orphanedNewApplicationCopies();

// The time the copy was written. Nothing when there is no copy, or when the copy is not
// newer than its application file: such a copy has nothing to give and is removed.
std::optional<QDateTime> offered(const QString& copy, const QString& applicationFile);

// The question asked before the copy is restored.
QString question(const QDateTime& written);

// The lock that makes a copy the editor's own; empty when another living editor has it or
// the lock cannot be written (then `error` says why, else it is left alone).
std::unique_ptr<QLockFile> own(const QString& copy, QString* error = nullptr);

// Takes a lock without waiting; a lock file that names no process (its writing failed) is
// no owner's and is taken over like a dead one's.
bool tryLock(QLockFile& lock);

// Makes a written copy readable by its owner alone.
void restrict(const QString& path);

} // namespace RecoveryCopy
