// topaz_q import end to end: the sample application into a real SQLite file and into a
// throwaway PostgreSQL cluster, read back through Qt SQL.
#include "platform/xmldom/xmldocument.h"
#include "tests/test_support.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using TestSupport::readAll;
using TestSupport::Run;

namespace {

const QString kSample = QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml");

// What the sample file itself says: rows per table, the title, the sum of the amounts.
struct FileFacts {
    QMap<QString, int> rows;
    QString title;
    double sourceAmounts = 0;

    void walk(const XmlElement& tabela) {
        const QString table = tabela.attribute("nazwa");
        for (XmlElement w = tabela.firstChildElement("WIERSZ"); !w.isNull();
             w = w.nextSiblingElement()) {
            ++rows[table];
            for (const XmlElement child : w.childElements()) {
                if (child.nameIs("TABELA")) walk(child);
                const QString column = child.attribute("nazwa");
                if (column == QLatin1String("WNI_TYTUL_PROJEKTU")) title = child.text();
                if (column == QLatin1String("ZFP_KWOTA"))
                    sourceAmounts +=
                        child.text().replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
            }
        }
    }
};

FileFacts factsOf(const QString& path) {
    const XmlDocument doc = XmlDocument::parseFile(path);
    FileFacts facts;
    facts.walk(doc.root().firstChildElement("DANE").firstChildElement("TABELA"));
    return facts;
}

// A database opened by the test to look at what the import wrote.
class Peek {
public:
    explicit Peek(const std::function<void(QSqlDatabase&)>& setUp, const QString& driver) {
        db_ = QSqlDatabase::addDatabase(driver, name_);
        setUp(db_);
        if (!db_.open()) qFatal("cannot open: %s", qPrintable(db_.lastError().text()));
    }
    ~Peek() {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }
    bool exec(const QString& sql) {
        QSqlQuery q(db_);
        if (q.exec(sql)) return true;
        qWarning("%s", qPrintable(q.lastError().text()));
        return false;
    }
    QVariant value(const QString& sql) {
        QSqlQuery q(db_);
        if (!q.exec(sql) || !q.next()) return QVariant();
        return q.value(0);
    }
    int count(const QString& table) {
        return value("SELECT COUNT(*) FROM \"" + table + '"').toInt();
    }
    // Rows of the table whose parent key leads nowhere.
    int orphans(const QString& table, const QString& parent) {
        return value(QStringLiteral("SELECT COUNT(*) FROM \"%1\" c WHERE NOT EXISTS (SELECT 1 FROM "
                                    "\"%2\" p WHERE p.id = c.parent_id)")
                         .arg(table, parent))
            .toInt();
    }

private:
    QString name_ = QStringLiteral("peek_%1").arg(quintptr(this));
    QSqlDatabase db_;
};

const QStringList kChildTables{"PLO_UDZIELONE_POMOCE",
                               "PLO_PRZEWIDYWANE_PRZYCHODY",
                               "PLO_ZRODLA_FINANSOWANIA_PROJ",
                               "PLO_UDZIALY_ZRODEL_FINANS",
                               "PLO_ETAPY_REALIZACJI_PROJEKTOW",
                               "PLO_LOKALIZACJE_PROJEKTOW",
                               "PLO_INSTYTUCJE",
                               "PLO_WSKAZNIKI_CELOW_PROJEKTOW",
                               "PLO_ZAMOWIENIA_PUBLICZNE"};

int freePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(s);
    return port;
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private:
    Run topaz(const QStringList& args) {
        return TestSupport::runProgram(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q"),
                                       QStringList{QStringLiteral("import"),
                                                   QStringLiteral("--bin"),
                                                   QStringLiteral(TOPAZ_EXAMPLES)} +
                                           args,
                                       work_.filePath(QStringLiteral("registry.ini")), {}, 300000);
    }
    QString path(const QString& name) const { return work_.filePath(name); }
    QString sqlite(const QString& name) { return path(name); }
    std::unique_ptr<Peek> peekSqlite(const QString& file) {
        return std::make_unique<Peek>([&](QSqlDatabase& db) { db.setDatabaseName(file); },
                                      QStringLiteral("QSQLITE"));
    }

    QTemporaryDir work_;
    FileFacts facts_;

private slots:
    void initTestCase() {
        QVERIFY(work_.isValid());
        QVERIFY(QFile::exists(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q")));
        facts_ = factsOf(kSample);
        QCOMPARE(facts_.rows.value(QStringLiteral("PLO_WNIOSKI")), 1);
        QVERIFY(facts_.sourceAmounts > 0);
    }

    void sampleIntoSqlite() {
        const QString db = sqlite(QStringLiteral("jeden.sqlite"));
        const Run r = topaz({QStringLiteral("--db"), db, kSample});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.contains(QStringLiteral("zaimportowany (wiersze: 400)")),
                 qPrintable(r.out + r.err));
        auto peek = peekSqlite(db);
        for (auto it = facts_.rows.cbegin(); it != facts_.rows.cend(); ++it)
            QCOMPARE(peek->count(it.key()), it.value());
        QCOMPARE(peek->value("SELECT WNI_TYTUL_PROJEKTU FROM PLO_WNIOSKI").toString(),
                 facts_.title);
        for (const QString& t : kChildTables)
            QCOMPARE(peek->orphans(t, QStringLiteral("PLO_WNIOSKI")), 0);
        QCOMPARE(peek->orphans("PLO_WYDATKI_W_RAMACH_PROJEKTOW", "PLO_ETAPY_REALIZACJI_PROJEKTOW"),
                 0);
        QCOMPARE(peek->orphans("PLO_WARTOSCI_WCP", "PLO_WSKAZNIKI_CELOW_PROJEKTOW"), 0);
        // Amounts are numbers, dates are dates, the log says what was imported.
        QCOMPARE(peek->value("SELECT COUNT(*) FROM PLO_ZRODLA_FINANSOWANIA_PROJ WHERE "
                             "typeof(ZFP_KWOTA) NOT IN ('integer', 'real', 'null')")
                     .toInt(),
                 0);
        QCOMPARE(peek->value("SELECT SUM(ZFP_KWOTA) FROM PLO_ZRODLA_FINANSOWANIA_PROJ").toDouble(),
                 facts_.sourceAmounts);
        QCOMPARE(peek->value("SELECT WNI_PLAN_TERMIN_ROZPOCZECIA FROM PLO_WNIOSKI").toString(),
                 QStringLiteral("2005-01-01"));
        QCOMPARE(
            peek->value("SELECT file_name || ' ' || checksum || ' ' || module_version || ' ' || "
                        "outcome FROM import_log")
                .toString(),
            kSample + QStringLiteral(" 61ad-842d-239c-b689 1.0.0.0 zaimportowany"));
    }

    void againSkippedReplaceKeepsOneCopy() {
        const QString db = sqlite(QStringLiteral("dwa.sqlite"));
        QCOMPARE(topaz({QStringLiteral("--db"), db, kSample}).exitCode, 0);
        const Run again = topaz({QStringLiteral("--db"), db, QStringLiteral("-j"),
                                 QStringLiteral("2"), kSample, kSample});
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(again.out.count(QStringLiteral("pominięty")), 2);
        const Run replaced = topaz({QStringLiteral("--db"), db, QStringLiteral("--replace"),
                                    QStringLiteral("--json"), kSample});
        QCOMPARE(replaced.exitCode, 0);
        QVERIFY2(replaced.out.contains(QStringLiteral("\"outcome\": \"replaced\"")),
                 qPrintable(replaced.out));
        auto peek = peekSqlite(db);
        QCOMPARE(peek->count("PLO_WNIOSKI"), 1);
        QCOMPARE(peek->count("PLO_WYDATKI_W_RAMACH_PROJEKTOW"),
                 facts_.rows.value("PLO_WYDATKI_W_RAMACH_PROJEKTOW"));
        QCOMPARE(peek->value("SELECT COUNT(*) || outcome FROM import_log").toString(),
                 QStringLiteral("1zastąpiony"));
    }

    void refusedFilesLeaveTheDatabaseAsItWas_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("reason");
        QTest::newRow("tampered") << QByteArray(">800000<") << QByteArray(">800001<")
                                  << "niepoprawna suma kontrolna";
        QTest::newRow("damaged") << QByteArray("</WNIOSEK>") << QByteArray("</WNIOS")
                                 << "plik uszkodzony";
        QTest::newRow("other form type")
            << QByteArray("plik=\"TOPAZ_Q\"") << QByteArray("plik=\"TOPAZ_X\"")
            << "plik innego typu wniosku (TOPAZ_X)";
    }

    void refusedFilesLeaveTheDatabaseAsItWas() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, reason);
        const QString db = sqlite(QStringLiteral("odrzucone.sqlite"));
        if (!QFile::exists(db)) QCOMPARE(topaz({QStringLiteral("--db"), db, kSample}).exitCode, 0);
        QByteArray bytes = readAll(kSample);
        QVERIFY(bytes.contains(from));
        const QString bad = path(QStringLiteral("zly.xml"));
        QVERIFY(TestSupport::writeAll(bad, bytes.replace(from, to)));
        const QByteArray before = readAll(db);
        const Run r = topaz({QStringLiteral("--db"), db, QStringLiteral("--replace"), bad});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.out.contains(bad + QStringLiteral(": odrzucony: ") + reason),
                 qPrintable(r.out + r.err));
        QCOMPARE(QCryptographicHash::hash(readAll(db), QCryptographicHash::Sha256),
                 QCryptographicHash::hash(before, QCryptographicHash::Sha256));
    }

    // A database that refuses a row of a deep table half-way through the file: the whole file
    // is rolled back, the application imported before it stays.
    void failureMidFileLeavesNoRow() {
        const QString db = sqlite(QStringLiteral("awaria.sqlite"));
        const QString other = QStringLiteral(TOPAZ_TEST_DATA "/applications/no-finance.xml");
        QCOMPARE(topaz({QStringLiteral("--db"), db, other}).exitCode, 0);
        const QStringList tables = QStringList{"PLO_WNIOSKI", "PLO_WYDATKI_W_RAMACH_PROJEKTOW",
                                               "PLO_WARTOSCI_WCP", "import_log"} +
                                   kChildTables;
        QList<int> before;
        {
            auto peek = peekSqlite(db);
            for (const QString& t : tables)
                before << peek->count(t);
            QVERIFY(peek->exec("CREATE TRIGGER awaria BEFORE INSERT ON PLO_WARTOSCI_WCP BEGIN "
                               "SELECT RAISE(ABORT, 'awaria w polowie pliku'); END"));
        }
        const Run r = topaz({QStringLiteral("--db"), db, kSample});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("awaria w polowie pliku")), qPrintable(r.err));
        QVERIFY2(r.err.contains(QStringLiteral("nic z pliku nie zapisano")), qPrintable(r.err));
        auto peek = peekSqlite(db);
        for (qsizetype i = 0; i < tables.size(); ++i)
            QCOMPARE(peek->count(tables[i]), before[i]);
    }

    // A present table: a missing column is added, a column of another kind is an error.
    void presentTablesAreChecked() {
        for (const bool clash : {false, true}) {
            const QString db =
                sqlite(clash ? QStringLiteral("typ.sqlite") : QStringLiteral("kolumna.sqlite"));
            {
                auto peek = peekSqlite(db);
                QVERIFY(peek->exec(
                    QStringLiteral("CREATE TABLE PLO_WNIOSKI (id INTEGER PRIMARY KEY, "
                                   "import_id INTEGER%1)")
                        .arg(clash ? QStringLiteral(", WNI_PLAN_TERMIN_ROZPOCZECIA NUMERIC")
                                   : QString())));
            }
            const Run r = topaz({QStringLiteral("--db"), db, kSample});
            if (clash) {
                QCOMPARE(r.exitCode, 2);
                QVERIFY2(
                    r.err.contains(QStringLiteral("Kolumna PLO_WNIOSKI.WNI_PLAN_TERMIN_ROZPOCZECIA "
                                                  "ma w bazie danych typ NUMERIC, a import "
                                                  "zapisuje w niej daty.")),
                    qPrintable(r.err));
            } else {
                QCOMPARE(r.exitCode, 0);
                auto peek = peekSqlite(db);
                QCOMPARE(peek->value("SELECT WNI_TYTUL_PROJEKTU FROM PLO_WNIOSKI").toString(),
                         facts_.title);
            }
        }
    }

    // A throwaway cluster on a free port of 127.0.0.1, run by an unprivileged user.
    void sampleIntoPostgresql() {
        const QStringList bins =
            QDir(QStringLiteral("/usr/lib/postgresql"))
                .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
        QString binDir;
        for (const QString& v : bins)
            if (QFile::exists(QStringLiteral("/usr/lib/postgresql/%1/bin/initdb").arg(v))) {
                binDir = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(v);
                break;
            }
        if (binDir.isEmpty())
            QSKIP("PostgreSQL (initdb, pg_ctl) is not installed: the PostgreSQL import is not "
                  "tested");
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
            QSKIP("The Qt SQL driver QPSQL is not installed: the PostgreSQL import is not tested");
        QTemporaryDir cluster(QDir::tempPath() + QStringLiteral("/topaz_pg_XXXXXX"));
        QVERIFY(cluster.isValid());
        QFile::setPermissions(cluster.path(), QFileDevice::Permissions(0x7777));
        const QString data = cluster.filePath(QStringLiteral("data"));
        const int port = freePort();
        QVERIFY(port > 0);
        // As root the server must run as someone else.
        const QStringList asUser =
            ::geteuid() == 0 ? QStringList{QStringLiteral("runuser"), QStringLiteral("-u"),
                                           QStringLiteral("nobody"), QStringLiteral("--")}
                             : QStringList{};
        const auto pg = [&](const QString& tool, const QStringList& args) {
            QProcess p;
            const QStringList command =
                asUser + QStringList{binDir + QLatin1Char('/') + tool} + args;
            p.start(command.first(), command.mid(1));
            const bool ok = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit &&
                            p.exitCode() == 0;
            if (!ok) qWarning("%s: %s", qPrintable(tool), p.readAllStandardError().constData());
            return ok;
        };
        QVERIFY(pg(QStringLiteral("initdb"),
                   {QStringLiteral("-D"), data, QStringLiteral("-U"), QStringLiteral("postgres"),
                    QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8")}));
        const QString options = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -F")
                                    .arg(port)
                                    .arg(cluster.path());
        QVERIFY(pg(QStringLiteral("pg_ctl"),
                   {QStringLiteral("-D"), data, QStringLiteral("-o"), options, QStringLiteral("-l"),
                    cluster.filePath(QStringLiteral("log")), QStringLiteral("-w"),
                    QStringLiteral("start")}));
        struct Stop {
            std::function<void()> stop;
            ~Stop() { stop(); }
        } stop{[&] {
            pg(QStringLiteral("pg_ctl"),
               {QStringLiteral("-D"), data, QStringLiteral("-m"), QStringLiteral("fast"),
                QStringLiteral("-w"), QStringLiteral("stop")});
        }};

        const QString noFinance = QStringLiteral(TOPAZ_TEST_DATA "/applications/no-finance.xml");
        const QString procurement =
            QStringLiteral(TOPAZ_TEST_DATA "/applications/procurement-missing.xml");
        const QString url = QStringLiteral("postgresql://postgres@127.0.0.1:%1/postgres").arg(port);
        const QString lite = sqlite(QStringLiteral("porownanie.sqlite"));
        for (const QString& target : {url, lite}) {
            const Run r = topaz({QStringLiteral("--db"), target, QStringLiteral("-j"),
                                 QStringLiteral("2"), kSample, noFinance, procurement});
            QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));
        }
        auto inLite = peekSqlite(lite);
        Peek inPg(
            [&](QSqlDatabase& db) {
                db.setHostName(QStringLiteral("127.0.0.1"));
                db.setPort(port);
                db.setDatabaseName(QStringLiteral("postgres"));
                db.setUserName(QStringLiteral("postgres"));
            },
            QStringLiteral("QPSQL"));
        for (const QString& t : QStringList{"PLO_WNIOSKI", "PLO_WYDATKI_W_RAMACH_PROJEKTOW",
                                            "PLO_WARTOSCI_WCP", "import_log"} +
                                    kChildTables)
            QCOMPARE(inPg.count(t), inLite->count(t));
        QCOMPARE(
            inPg.value("SELECT SUM(\"ZFP_KWOTA\") FROM \"PLO_ZRODLA_FINANSOWANIA_PROJ\"")
                .toDouble(),
            inLite->value("SELECT SUM(ZFP_KWOTA) FROM PLO_ZRODLA_FINANSOWANIA_PROJ").toDouble());
        QCOMPARE(inPg.orphans("PLO_WARTOSCI_WCP", "PLO_WSKAZNIKI_CELOW_PROJEKTOW"), 0);
    }
};

QTEST_GUILESS_MAIN(TestImport)
#include "tst_import.moc"
