#pragma once

#include <QByteArray>
#include <QString>

// The host publishes its program folder in a named shared-memory block: a POSIX shared
// memory object of 500 bytes holding a zero-terminated UTF-8 path at its start.
namespace HostEnv {

inline constexpr const char* SharedFolderName = "/Zelgor_SciezkaDLL";
inline constexpr int SharedFolderSize = 500;

// Opens the block (creating it when absent, read and write), reads the text at its
// start and closes it again. A block created only for this read is removed afterwards,
// as a named mapping vanishes with its last handle. Empty when nothing is published or
// the block cannot be opened.
QString readSharedFolder(const QByteArray& name = SharedFolderName);

// Writes the folder into the block, creating it when absent. The text is cut to
// SharedFolderSize - 1 bytes at a character boundary; the rest of the block is zeroed.
// The block stays after the call, for readers in other processes.
bool publishSharedFolder(const QString& folder, const QByteArray& name = SharedFolderName);

// Removes the block; false when it did not exist or cannot be removed.
bool removeSharedFolder(const QByteArray& name = SharedFolderName);

} // namespace HostEnv
