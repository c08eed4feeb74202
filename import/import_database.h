#pragma once

#include "import/import_schema.h"
#include "import/imported_application.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <stdexcept>

// A failure of the database or of its layout, in Polish, for the user.
class ImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What became of one application.
enum class ImportOutcome { Imported, Replaced, Skipped };

// The database that receives applications, through Qt SQL: an SQLite file for a path, a
// PostgreSQL server for a "postgresql://" URI as psql takes it (pg_target.h). Table and
// column names come from the schema only and are quoted by the driver; every value is a
// bound parameter. One object per thread; any number of importers, in threads or processes,
// may write to one database at once: an application (its checksum) is stored once.
class ImportDatabase {
public:
    // Opens the target and brings its layout to the schema under a lock: missing tables
    // and columns are created, and import_log with them, and the finance views
    // "wnioski_finansowanie" and "wnioski_profil_wydatkow" (per application and year:
    // ogolem, ue, krajowe_publiczne, prywatne). Throws ImportError when the target cannot
    // be opened or a present column has a kind the schema cannot store in it.
    ImportDatabase(const QString& target, const ImportSchema& schema);
    ~ImportDatabase();
    ImportDatabase(const ImportDatabase&) = delete;
    ImportDatabase& operator=(const ImportDatabase&) = delete;

    // Whether an application with this checksum is in the database.
    bool contains(const QString& checksum);

    // Writes the application and its import_log row in one transaction: a failure rolls
    // everything of it back (ImportError with the database's reason). An application
    // whose checksum is already there, or arrives meanwhile from another importer, is
    // skipped, or with replace its rows are deleted in the same transaction first.
    ImportOutcome write(const ImportedApplication& app, bool replace);

    // The database's engine name, for messages: "SQLite" or "PostgreSQL".
    QString engine() const;

private:
    void open(const QString& target);
    void prepareLayout();
    void prepareViews();
    // A transaction that holds the write lock (SQLite) and, on PostgreSQL, the lock the
    // statement takes until it ends.
    void begin(const QString& lockStatement, const QVariantList& values = {});
    void commit();
    void rollback();
    void prepareTable(const QString& name, const QList<std::pair<QString, QString>>& keyColumns,
                      const QList<ImportColumn>& columns);
    QString sqlType(ColumnKind kind) const;
    QHash<QString, QString> presentColumns(const QString& table); // lower-case name -> type
    QString quoted(const QString& identifier) const;
    QSqlQuery run(const QString& sql, const QVariantList& values = {});
    qint64 insertRow(const ImportedRow& row, qint64 importId, qint64 parentId);
    void deleteImports(const QString& checksum);

    const ImportSchema& schema_;
    QString connection_;
    QString shown_; // the target for messages, without a password
    QSqlDatabase db_;
    bool postgres_ = false;
    QHash<int, QSqlQuery> inserts_; // prepared once per table
};
