// The host stand-in driven as a user would: its command line, the module it loads, the
// folder it publishes and the exports' results and messages.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kZelgor = QStringLiteral(TOPAZ_BIN_DIR "/zelgor");
const QString kGateMessage =
    QString::fromUtf8("Słownik zawiera niepoprawne dane dla tego wniosku.\n"
                      "Proszę dokonać aktualizacji lub zainstalowac najnowszą wersję programu.");

struct Run {
    int exitCode = -1;
    QString out, err;
};

// A host folder: the module under wn_typy/ and a dictionary, optionally altered.
struct HostFolder {
    QTemporaryDir dir;
    QString registry;
    explicit HostFolder(bool withModule = true, const QByteArray& spotCode = "SPOT") {
        if (withModule) {
            QDir(dir.path()).mkpath(QStringLiteral("wn_typy"));
            QFile::link(QStringLiteral(TOPAZ_BIN_DIR "/wn_typy/TOPAZ_Q.so"),
                        dir.filePath(QStringLiteral("wn_typy/TOPAZ_Q.so")));
        }
        QFile in(QStringLiteral(TOPAZ_EXAMPLES "/slowniki.xml"));
        in.open(QIODevice::ReadOnly);
        QByteArray d = in.readAll();
        d.replace("<ATRYBUT nazwa=\"PWD_KOD_ID\">SPOT<",
                  "<ATRYBUT nazwa=\"PWD_KOD_ID\">" + spotCode + "<");
        QFile out(dir.filePath(QStringLiteral("slowniki.xml")));
        out.open(QIODevice::WriteOnly);
        out.write(d);
        registry = dir.filePath(QStringLiteral("registry.ini"));
    }
    Run zelgor(const QStringList& args) const {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZELGR_REGISTRY"), registry);
        p.setProcessEnvironment(env);
        p.start(kZelgor, QStringList{QStringLiteral("--bin"), dir.path()} + args);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
};

} // namespace

class TestLauncher : public QObject {
    Q_OBJECT
private slots:
    void usageErrors();
    void moduleThatCannotBeLoaded();
    void moduleVersion();
    void publishesTheHostFolder();
    void silentExportWithoutProgrammeGivesZeroQuietly();
    void interactiveExportShowsTheGateMessage();
    void usableDictionaryPassesTheGate();
    void checksumExportsOnRealFiles();
};

void TestLauncher::usageErrors() {
    HostFolder host;
    QCOMPARE(host.zelgor({}).exitCode, 2);
    QCOMPARE(host.zelgor({"NieMaTakiego_", "a.xml"}).exitCode, 2);
    QCOMPARE(host.zelgor({"silentcrccheck_", "a.xml"}).exitCode, 2); // names are exact
    QCOMPARE(host.zelgor({"SilentCrcCheck_"}).exitCode, 2);          // path missing
    QCOMPARE(host.zelgor({"NowyWniosek_", "a.xml"}).exitCode, 2);    // takes none
    const Run r = host.zelgor({"EdytujWniosek_"});
    QVERIFY(r.err.contains(QStringLiteral("Użycie")));
    QVERIFY(r.out.isEmpty());
}

void TestLauncher::moduleThatCannotBeLoaded() {
    HostFolder host(false);
    const Run r = host.zelgor({"SilentCrcCheck_", "a.xml"});
    QCOMPARE(r.exitCode, 3);
    QVERIFY(r.err.contains(QStringLiteral("TOPAZ_Q.so")));
    QVERIFY(r.out.isEmpty());
}

void TestLauncher::moduleVersion() {
    HostFolder host;
    Run r = host.zelgor({"--module-version"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out.trimmed(), QStringLiteral("1.0.0.0"));
    HostFolder none(false); // no module: the version written into files falls back
    r = none.zelgor({"--module-version"});
    QCOMPARE(r.out.trimmed(), QStringLiteral("1.0.0.0"));
}

void TestLauncher::publishesTheHostFolder() {
    HostFolder host;
    host.zelgor({"SilentCrcCheck_", "a.xml"});
    QSettings reg(host.registry, QSettings::IniFormat);
    QCOMPARE(reg.value(QStringLiteral("Zelgr/bin")).toString(), host.dir.path());
    // A registry that already names a folder keeps it.
    reg.setValue(QStringLiteral("Zelgr/bin"), QStringLiteral("/inny/katalog"));
    reg.sync();
    host.zelgor({"SilentCrcCheck_", "a.xml"});
    QSettings again(host.registry, QSettings::IniFormat);
    QCOMPARE(again.value(QStringLiteral("Zelgr/bin")).toString(), QStringLiteral("/inny/katalog"));
}

void TestLauncher::silentExportWithoutProgrammeGivesZeroQuietly() {
    HostFolder host(true, "SPOX");
    for (const char* e : {"SilentCrcCheck_", "SprawdzSume_", "SilentValidate_",
                          "SilentValCrcCheck_", "SilentPreview_"}) {
        const Run r = host.zelgor({QString::fromLatin1(e), QStringLiteral("x.xml")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("0\n"));
        QVERIFY2(!r.err.contains(QStringLiteral("Słownik")), qPrintable(r.err));
    }
}

void TestLauncher::interactiveExportShowsTheGateMessage() {
    HostFolder host(true, "SPOX");
    for (const QStringList& args : QList<QStringList>{{"EdytujWniosek_", "x.xml"},
                                                      {"NowyWniosek_"},
                                                      {"PodgladWniosku_", "x.xml"},
                                                      {"DrukujWniosek_", "x.xml"}}) {
        const Run r = host.zelgor(args);
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("0\n"));
        QVERIFY2(r.err.contains(kGateMessage), qPrintable(r.err));
    }
}

void TestLauncher::usableDictionaryPassesTheGate() {
    HostFolder host;
    const Run r = host.zelgor({"EdytujWniosek_", "x.xml"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(!r.err.contains(kGateMessage), qPrintable(r.err));
}

void TestLauncher::checksumExportsOnRealFiles() {
    HostFolder host;
    const QString file = host.dir.filePath(QStringLiteral("wniosek.xml"));
    QProcess topaz;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZELGR_REGISTRY"), host.registry);
    topaz.setProcessEnvironment(env);
    topaz.start(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q"), {"new", "--bin", host.dir.path(), file});
    QVERIFY(topaz.waitForFinished(60000));
    QCOMPARE(topaz.exitCode(), 0);
    QCOMPARE(host.zelgor({"SprawdzSume_", file}).out, QStringLiteral("1\n"));
    QCOMPARE(host.zelgor({"SilentCrcCheck_", file}).out, QStringLiteral("1\n"));

    // A contributing value changed outside the module: the checksum no longer holds.
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QByteArray content = f.readAll();
    f.close();
    const QByteArray from = "dsK=\"typ_projektu\" nrW=\"1\">N<";
    QVERIFY(content.contains(from));
    content.replace(from, "dsK=\"typ_projektu\" nrW=\"1\">D<");
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
    f.close();
    Run r = host.zelgor({"SprawdzSume_", file});
    QCOMPARE(r.out, QStringLiteral("0\n"));
    r = host.zelgor({"SilentCrcCheck_", file});
    QCOMPARE(r.out, QStringLiteral("0\n"));
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err)); // silent: no message at all

    // A damaged file is not held to its checksum.
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("<WNIOSEK><DANE>");
    f.close();
    QCOMPARE(host.zelgor({"SilentCrcCheck_", file}).out, QStringLiteral("1\n"));
}

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
