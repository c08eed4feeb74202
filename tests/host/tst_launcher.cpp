// The host stand-in driven as a user would: its command line, the module it loads, the
// folder it publishes and the exports' answers and messages; and the lifecycle of one export
// in this process: common start, gate, common end with nothing left behind.
#include "host/invocation.h"
#include "tests/test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

using TestSupport::Run;

namespace {

const QString kGateMessage =
    QString::fromUtf8("Słownik zawiera niepoprawne dane dla tego wniosku.\n"
                      "Proszę dokonać aktualizacji lub zainstalowac najnowszą wersję programu.");

// A host folder: the module under wn_typy/ and a dictionary, optionally altered.
struct HostFolder {
    QTemporaryDir dir;
    QString registry = dir.filePath(u"registry.ini"_s);
    explicit HostFolder(bool withModule = true, const QByteArray& spotCode = "SPOT") {
        if (withModule) {
            QDir(dir.path()).mkpath(u"wn_typy"_s);
            QFile::link(QStringLiteral(TOPAZ_BIN_DIR "/wn_typy/TOPAZ_Q.so"),
                        dir.filePath(u"wn_typy/TOPAZ_Q.so"_s));
        }
        TestSupport::writeAll(dir.filePath(u"slowniki.xml"_s),
                              TestSupport::readAll(QStringLiteral(TOPAZ_EXAMPLES "/slowniki.xml"))
                                  .replace("<ATRYBUT nazwa=\"PWD_KOD_ID\">SPOT<",
                                           "<ATRYBUT nazwa=\"PWD_KOD_ID\">" + spotCode + "<"));
    }
    // The exports that show the editor run offscreen with the scripted user, who answers
    // every message box with its default button and closes the editor (`closeWith`:
    // "1" through acZamknij, "closebox" through the close box).
    Run zelgor(const QStringList& args, const QString& closeWith = u"1"_s) const {
        const TestSupport::ScopedEnv offscreen("QT_QPA_PLATFORM", "offscreen"),
            close("TOPAZ_AUTOCLOSE", closeWith.toUtf8());
        return TestSupport::runProgram(QStringLiteral(TOPAZ_BIN_DIR "/zelgor"),
                                       QStringList{u"--bin"_s, dir.path()} + args, registry, {},
                                       60000);
    }
};

} // namespace

class TestLauncher : public QObject {
    Q_OBJECT
private slots:
    // One call of the host: its exit code, what it prints and what its messages say (the
    // scripted user answers them, and closes an editor through `closeWith`). The checksum
    // exports on real files are exercised with the validation of whole files.
    void calls_data() {
        QTest::addColumn<bool>("withModule");
        QTest::addColumn<QByteArray>("programme"); // the dictionary's programme code
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("errContains"); // empty: standard error holds nothing
        QTest::addColumn<QString>("closeWith");
        auto row = [](const char* name, bool module, const char* programme, const QStringList& args,
                      int exitCode, const char* out, const QString& err,
                      const char* closeWith = "1") {
            QTest::newRow(name) << module << QByteArray(programme) << args << exitCode
                                << QString::fromUtf8(out) << err << closeWith;
        };
        const QString usage = u"Użycie"_s;
        row("folder missing", true, "SPOT", {"--bin"}, 2, "", usage);
        row("help on standard output", true, "SPOT", {"--help"}, 0,
            "Użycie: zelgor [--bin KATALOG]…", {});
        row("unknown option", true, "SPOT", {"--pomoc"}, 2, "", "nieznana opcja: --pomoc");
        row("file that does not exist", true, "SPOT", {"brak.xml"}, 2, "",
            "plik brak.xml nie istnieje");
        row("names are exact", true, "SPOT", {"silentcrccheck_", "a.xml"}, 2, "", usage);
        row("path missing", true, "SPOT", {"SilentCrcCheck_"}, 2, "", usage);
        row("new takes no path", true, "SPOT", {"NowyWniosek_", "a.xml"}, 2, "", usage);
        row("module missing", false, "SPOT", {"SilentCrcCheck_", "a.xml"}, 3, "", "TOPAZ_Q.so");
        row("module version", true, "SPOT", {"--module-version"}, 0, "1.0.0.0\n", {});
        row("version without module", false, "SPOT", {"--module-version"}, 0, "1.0.0.0\n", {});
        // Without the programme the silent exports answer 0 quietly, the others after the
        // gate's message.
        for (const char* e : {"SilentCrcCheck_", "SprawdzSume_", "SilentValidate_",
                              "SilentValCrcCheck_", "SilentPreview_"})
            row(e, true, "SPOX", {e, "x.xml"}, 0, "0\n", {});
        for (const char* e : {"EdytujWniosek_", "PodgladWniosku_", "DrukujWniosek_"})
            row(e, true, "SPOX", {e, "x.xml"}, 0, "0\n", kGateMessage);
        row("NowyWniosek_", true, "SPOX", {"NowyWniosek_"}, 0, "0\n", kGateMessage);
        row("damaged file, not held to its checksum", true, "SPOT",
            {"SilentCrcCheck_", TOPAZ_TEST_DATA "/xml/truncated.xml"}, 0, "1\n", {});
        // The editor shown and closed: closing it asks the close question, and nothing else is
        // asked; the viewer's result is the validation after it closes (the sample passes).
        const QString sample = QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml");
        const QString closing =
            u"Edytor Wniosku: Czy na pewno chcesz zamknąć Edytor Wniosku? [Tak]"_s;
        row("edit, acZamknij", true, "SPOT", {"EdytujWniosek_", sample}, 0, "1\n", closing);
        row("edit, close box", true, "SPOT", {"EdytujWniosek_", sample}, 0, "2\n", closing,
            "closebox");
        row("new, acZamknij", true, "SPOT", {"NowyWniosek_"}, 0, "1\n", closing);
        row("view", true, "SPOT", {"PodgladWniosku_", sample}, 0, "1\n", closing);
    }
    void calls() {
        QFETCH(bool, withModule);
        QFETCH(QByteArray, programme);
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, errContains);
        QFETCH(QString, closeWith);
        HostFolder host(withModule, programme);
        const Run r = host.zelgor(args, closeWith);
        QCOMPARE(r.exitCode, exitCode);
        if (out.endsWith(u'…'))
            QVERIFY2(r.out.startsWith(out.chopped(1)), qPrintable(r.out));
        else
            QCOMPARE(r.out, out);
        if (errContains.isEmpty())
            QVERIFY2(!r.err.contains(u"Słownik"_s), qPrintable(r.err));
        else
            QVERIFY2(r.err.contains(errContains), qPrintable(r.err));
        QVERIFY2(!r.err.contains(u"Dane zawarte we wniosku zmieniły się"_s), qPrintable(r.err));
    }
    // Two host folders started one after the other on one registry: each publishes its own
    // folder every time, so each call reads its own dictionary (the second one's programme code
    // does not match: its checks answer 0), never the one a previous host left in the registry.
    void publishesTheHostFolder() {
        HostFolder good, other(true, "SPOX");
        other.registry = good.registry;
        const QString sample = QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml");
        for (const HostFolder* host : {&good, &other, &good}) {
            const Run r = host->zelgor({"SilentCrcCheck_", sample});
            QCOMPARE(r.out, host == &good ? u"1\n"_s : u"0\n"_s);
            QSettings reg(good.registry, QSettings::IniFormat);
            QCOMPARE(reg.value(u"Zelgr/bin"_s).toString(), host->dir.path());
        }
    }
    void everyExportFreesBothObjects_data() {
        QTest::addColumn<int>("kind");
        int kind = 0; // in the order of ExportKind
        for (const char* name :
             {"NowyWniosek_", "EdytujWniosek_", "PodgladWniosku_", "DrukujWniosek_", "SprawdzSume_",
              "SilentCrcCheck_", "SilentPreview_", "SilentValidate_", "SilentValCrcCheck_"})
            QTest::newRow(name) << kind++;
    }
    void everyExportFreesBothObjects() {
        QFETCH(int, kind);
        HostFolder host(false);
        QVERIFY(TestSupport::writeAll(host.registry,
                                      "[Zelgr]\nbin=" + QFile::encodeName(host.dir.path()) + '\n'));
        const TestSupport::ScopedEnv registry("ZELGR_REGISTRY", QFile::encodeName(host.registry));
        QVERIFY(invocationObjectsFreed());
        runExport(ExportKind(kind), host.dir.filePath(u"brak.xml"_s));
        QVERIFY(invocationObjectsFreed());
    }
};

QTEST_GUILESS_MAIN(TestLauncher)
#include "tst_launcher.moc"
