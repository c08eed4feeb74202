#include "import/pg_target.h"

#include <QByteArray>

#include <algorithm>
#include <stdexcept>

namespace {

[[noreturn]] void refuse(const QString& uri, const QString& why) {
    throw std::runtime_error(QStringLiteral("Niepoprawny adres bazy PostgreSQL %1: %2 (oczekiwano "
                                            "postgresql://[użytkownik[:hasło]@][host][:port]"
                                            "[/baza][?parametr=wartość&...]).")
                                 .arg(uri, why)
                                 .toStdString());
}

// Percent-decoding as the client library does it: "%2F" is "/", a "+" stays a "+".
QString decoded(const QString& uri, const QString& piece) {
    const QByteArray in = piece.toUtf8();
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] != '%') {
            out += in[i];
            continue;
        }
        bool ok = false;
        const int byte = i + 2 < in.size() ? in.mid(i + 1, 2).toInt(&ok, 16) : 0;
        if (!ok || byte == 0) refuse(uri, QStringLiteral("błędny znak %% w „%1”").arg(piece));
        out += char(byte);
        i += 2;
    }
    return QString::fromUtf8(out);
}

void set(PgTarget& t, const QString& key, const QString& value) {
    for (auto& [k, v] : t.parameters)
        if (k == key) {
            v = value;
            return;
        }
    t.parameters.append({key, value});
}

void checkPort(const QString& uri, const QString& port) {
    for (const QString& one : port.split(QLatin1Char(','))) {
        bool ok = false;
        const int p = one.toInt(&ok);
        if (!ok || p < 1 || p > 65535)
            refuse(uri, QStringLiteral("port „%1” nie jest liczbą od 1 do 65535").arg(one));
    }
}

} // namespace

QString PgTarget::value(const QString& key) const {
    for (const auto& [k, v] : parameters)
        if (k == key) return v;
    return {};
}

bool isPostgresTarget(const QString& target) {
    return target.startsWith(QLatin1String("postgresql://")) ||
           target.startsWith(QLatin1String("postgres://"));
}

PgTarget parsePgTarget(const QString& uri) {
    if (!isPostgresTarget(uri)) refuse(uri, QStringLiteral("brak przedrostka postgresql://"));
    PgTarget t;
    QString rest = uri.mid(uri.indexOf(QLatin1String("://")) + 3);
    QString query;
    if (const qsizetype q = rest.indexOf(QLatin1Char('?')); q >= 0) {
        query = rest.mid(q + 1);
        rest.truncate(q);
    }
    QString path;
    const bool hadPath = rest.contains(QLatin1Char('/'));
    if (const qsizetype slash = rest.indexOf(QLatin1Char('/')); slash >= 0) {
        path = rest.mid(slash + 1);
        rest.truncate(slash);
    }
    // The authority: [user[:password]@]hostspec; the last "@" ends the user part.
    QString shownAuthority = rest;
    if (const qsizetype at = rest.lastIndexOf(QLatin1Char('@')); at >= 0) {
        const QString userInfo = rest.left(at);
        const qsizetype colon = userInfo.indexOf(QLatin1Char(':'));
        const QString user = colon >= 0 ? userInfo.left(colon) : userInfo;
        if (!user.isEmpty()) set(t, QStringLiteral("user"), decoded(uri, user));
        if (colon >= 0) {
            set(t, QStringLiteral("password"), decoded(uri, userInfo.mid(colon + 1)));
            shownAuthority = user + QStringLiteral(":***@") + rest.mid(at + 1);
        }
        rest = rest.mid(at + 1);
    }
    // hostspec: host[:port][,host[:port]...]; a host may be [IPv6].
    QStringList hosts, ports;
    bool anyPort = false;
    if (!rest.isEmpty())
        for (const QString& spec : rest.split(QLatin1Char(','))) {
            QString host = spec, port;
            if (spec.startsWith(QLatin1Char('['))) {
                const qsizetype close = spec.indexOf(QLatin1Char(']'));
                if (close < 0) refuse(uri, QStringLiteral("brak „]” w adresie IPv6"));
                host = spec.mid(1, close - 1);
                if (close + 1 < spec.size()) {
                    if (spec[close + 1] != QLatin1Char(':'))
                        refuse(uri, QStringLiteral("po „]” oczekiwano „:port”"));
                    port = spec.mid(close + 2);
                }
            } else if (const qsizetype colon = spec.lastIndexOf(QLatin1Char(':')); colon >= 0) {
                host = spec.left(colon);
                port = spec.mid(colon + 1);
            }
            if (!port.isEmpty()) {
                checkPort(uri, port);
                anyPort = true;
            }
            hosts << decoded(uri, host);
            ports << port;
        }
    if (std::any_of(hosts.cbegin(), hosts.cend(), [](const QString& h) { return !h.isEmpty(); }))
        set(t, QStringLiteral("host"), hosts.join(QLatin1Char(',')));
    if (anyPort) set(t, QStringLiteral("port"), ports.join(QLatin1Char(',')));
    if (!path.isEmpty()) set(t, QStringLiteral("dbname"), decoded(uri, path));
    if (!query.isEmpty())
        for (const QString& piece : query.split(QLatin1Char('&'))) {
            const qsizetype eq = piece.indexOf(QLatin1Char('='));
            if (eq <= 0)
                refuse(uri, QStringLiteral("parametr „%1” bez „nazwa=wartość”").arg(piece));
            QString key = decoded(uri, piece.left(eq));
            const QString value = decoded(uri, piece.mid(eq + 1));
            if (key == QLatin1String("port")) checkPort(uri, value);
            // The JDBC spelling the client library accepts too.
            if (key == QLatin1String("ssl") && value == QLatin1String("true")) {
                set(t, QStringLiteral("sslmode"), QStringLiteral("require"));
                continue;
            }
            set(t, key, value);
        }
    QString shownQuery;
    for (const QString& piece : query.isEmpty() ? QStringList() : query.split(QLatin1Char('&')))
        shownQuery +=
            (shownQuery.isEmpty() ? QStringLiteral("?") : QStringLiteral("&")) +
            (piece.startsWith(QLatin1String("password=")) ? QStringLiteral("password=***") : piece);
    t.display = uri.left(uri.indexOf(QLatin1String("://")) + 3) + shownAuthority +
                (hadPath ? QStringLiteral("/") + path : QString()) + shownQuery;
    return t;
}
