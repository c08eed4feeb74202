#pragma once

#include <QList>
#include <QString>

#include <utility>

// A PostgreSQL connection URI taken apart into the keyword parameters of the client library:
//   postgresql://[user[:password]@][host][:port][/database][?keyword=value&...]
// (also "postgres://"). Host and database may be left out, a host may be a socket folder
// (percent-encoded, or given as ?host=/var/run/postgresql), and every query parameter is a
// keyword of the client library (sslmode, port, user, password, connect_timeout, ...). What the
// URI leaves out the client library takes from PGHOST, PGPORT, PGUSER, PGDATABASE,
// PGPASSWORD, PGSSLMODE, ... and the password from ~/.pgpass (PGPASSFILE), as psql does.
struct PgTarget {
    QList<std::pair<QString, QString>> parameters; // in the order given, keys unique

    QString value(const QString& key) const;
    // The URI again without its password, for messages.
    QString display;
};

// Whether the text names a PostgreSQL server rather than an SQLite file.
bool isPostgresTarget(const QString& target);

// Throws std::runtime_error with a Polish message when the URI is malformed: a bad port, a
// bad percent escape, a query piece without "=".
PgTarget parsePgTarget(const QString& uri);
