#pragma once

#include <QString>
#include <QStringList>

// A command never writes over a file it reads: the output may not be one of its inputs,
// whether named by the same path, through a symbolic link or as a hard link of it.
namespace OutputGuard {

// The Polish reason why `output` may not be written (it is one of `inputs`), else empty.
QString clash(const QString& output, const QStringList& inputs);

// As clash(), but tells the user on standard error; true when the output may be written.
bool allowed(const QString& output, const QStringList& inputs);

} // namespace OutputGuard
