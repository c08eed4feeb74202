#pragma once

#include <QStringList>

// The application's own tables in the data module's component order: the base module's
// tables first, then those this application type adds. Dictionary and mapping tables are
// not among them. The checksum visits them in this order; loading a file replaces their
// rows.
const QStringList& applicationTableNames();
