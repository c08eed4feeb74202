#pragma once

#include <QStringList>

class TdmDataSets_t;
struct FileTable;

// The application tables whose rows a file supplies: those named by an ATRYBUT of the
// file's first TABELA (at any depth) at a record number above 0. Names as the data module
// spells them, in component order.
QStringList tablesSuppliedBy(const TdmDataSets_t& dm, const FileTable& table);

// Empties those tables before the file is read into them.
void emptyTablesSuppliedBy(TdmDataSets_t& dm, const FileTable& table);
