#include "file/supplied_tables.h"

#include "file/application_tables.h"
#include "file/file_rows.h"
#include "model/dm_main_tmpl.h"

#include <QSet>

// Loading replaces the rows of every application table the file supplies. The reader
// finds records by number and appends only while a table has fewer, so the rows the
// module made at creation (the twelve fixed rows of each finance tree, the main record,
// the special-fields row, the implementation path set by the dictionary gate) would
// otherwise stay under or after the file's rows, keeping values the file never wrote.
// A table the file does not name keeps what the module gave it at creation. The special
// fields (POLE) are not rows of a table but values of the one row made at creation: a
// POLE without text is skipped and its field keeps that row's value, so the row is never
// emptied. Dictionary and mapping tables are never touched, whatever a file names.

namespace {

bool positiveRecord(const QString& number) {
    bool ok = false;
    const int n = number.trimmed().toInt(&ok);
    return ok && n > 0;
}

void collectFromTable(const FileTable& table, QSet<QString>& names) {
    for (const FileRow& row : table.rows) {
        for (const FileItem& item : row.items) {
            if (item.table)
                collectFromTable(*item.table, names);
            else if (positiveRecord(item.number))
                names.insert(item.names->dataSet.toLower());
        }
    }
}

} // namespace

QStringList tablesSuppliedBy(const TdmDataSets_t& dm, const FileTable& table) {
    QSet<QString> named;
    collectFromTable(table, named);

    QStringList supplied;
    for (const QString& name : applicationTableNames())
        if (named.contains(name.toLower()) && dm.findTable(name))
            supplied << dm.findTable(name)->name();
    return supplied;
}

void emptyTablesSuppliedBy(TdmDataSets_t& dm, const FileTable& table) {
    for (const QString& name : tablesSuppliedBy(dm, table))
        dm.table(name).emptyTable();
}
