#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void newFileVerifies();
    void tamperedFileFails();
    void missingFileIsAnError();
    void unusableDictionaryIsAnError();
    void usageErrors_data();
    void usageErrors();
    void helpAndVersion_data();
    void helpAndVersion();
    void progressOnlyOnTerminal();
    void resaveIsStable();
    void resaveRefusesDamagedFile();
    void jsonReport();

private:
    // topaz_q with --bin pointing to a host folder that holds only the dictionary.
    Run topaz(const QStringList& args, const QString& bin = QString());
    // topaz_q with exactly these words.
    Run run(const QString& program, const QStringList& words);
    QString path(const QString& name) const { return work_.filePath(name); }
    QString newApplication(const QString& name);

    QTemporaryDir bin_;
    QTemporaryDir work_;
};

void TestCli::initTestCase() {
    QVERIFY(bin_.isValid() && work_.isValid());
    QVERIFY(QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/slowniki.xml"),
                        bin_.filePath(QStringLiteral("slowniki.xml"))));
    QVERIFY(QFile::exists(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q")));
}

Run TestCli::topaz(const QStringList& args, const QString& bin) {
    QStringList full = args;
    full.insert(1, bin.isEmpty() ? bin_.path() : bin);
    full.insert(1, QStringLiteral("--bin"));
    return run(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q"), full);
}

Run TestCli::run(const QString& program, const QStringList& words) {
    QProcess p;
    // Saves remember the file in the registry: a private one for the test.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZELGR_REGISTRY"), work_.filePath(QStringLiteral("registry.ini")));
    p.setProcessEnvironment(env);
    p.start(program, words);
    Run r;
    if (!p.waitForFinished(120000)) return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString TestCli::newApplication(const QString& name) {
    const Run r = topaz({QStringLiteral("new"), path(name)});
    return r.exitCode == 0 ? path(name) : QString();
}

void TestCli::newFileVerifies() {
    const QString file = newApplication(QStringLiteral("a.xml"));
    QVERIFY(!file.isEmpty());
    const Run r = topaz({QStringLiteral("checksum"), file});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.startsWith(file + QStringLiteral(": zapisana ")), qPrintable(r.out));
    QVERIFY2(r.out.contains(QStringLiteral("suma kontrolna poprawna")), qPrintable(r.out));
}

void TestCli::tamperedFileFails() {
    const QString file = newApplication(QStringLiteral("zmieniony.xml"));
    QVERIFY(!file.isEmpty());
    // "Whole country" of the main record is a value that enters the checksum; a new
    // application has its default "N".
    QString text = QString::fromLatin1(readAll(file));
    const QRegularExpression value(QStringLiteral("(dsK=\"lok_caly_kraj\"[^>]*>)N<"));
    QVERIFY(text.contains(value));
    text.replace(value, QStringLiteral("\\1T<"));
    const QByteArray bytes = text.toLatin1();
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();

    const Run r = topaz({QStringLiteral("checksum"), file});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.out.contains(QStringLiteral("suma kontrolna niepoprawna")), qPrintable(r.out));
}

void TestCli::missingFileIsAnError() {
    const Run r = topaz({QStringLiteral("checksum"), path(QStringLiteral("brak.xml"))});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(QStringLiteral("Nie znaleziono pliku wniosku")), qPrintable(r.err));
    QCOMPARE(topaz({QStringLiteral("resave"), path(QStringLiteral("brak.xml")),
                    path(QStringLiteral("b.xml"))})
                 .exitCode,
             2);
    QVERIFY(!QFile::exists(path(QStringLiteral("b.xml"))));
}

void TestCli::unusableDictionaryIsAnError() {
    QTemporaryDir emptyBin;
    const Run r =
        topaz({QStringLiteral("new"), path(QStringLiteral("bez_slownika.xml"))}, emptyBin.path());
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(QStringLiteral("Słownik zawiera niepoprawne dane dla tego wniosku.")),
             qPrintable(r.err));
    QVERIFY(!QFile::exists(path(QStringLiteral("bez_slownika.xml"))));
}

void TestCli::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("reason");
    // Rows after "--bin DIR" is put behind the command.
    QTest::newRow("unknown command")
        << QStringList{"walidacja", "a.xml"} << "Nieznane polecenie: walidacja";
    QTest::newRow("resave without output")
        << QStringList{"resave", "a.xml"} << "Niewłaściwa liczba plików dla polecenia resave.";
    QTest::newRow("unknown option")
        << QStringList{"checksum", "--szybko", "a.xml"} << "Nieznana opcja: --szybko";
    QTest::newRow("option of another command")
        << QStringList{"resave", "--json", "a.xml", "b.xml"} << "Nieznana opcja: --json";
    QTest::newRow("no threads") << QStringList{"validate", "-j", "0", "a.xml"}
                                << "Opcja -j wymaga liczby wątków od 1 do 256.";
    QTest::newRow("threads not a number") << QStringList{"validate", "--jobs=dwa", "a.xml"}
                                          << "Opcja -j wymaga liczby wątków od 1 do 256.";
    QTest::newRow("folder missing")
        << QStringList{"validate", "a.xml", "--bin"} << "Opcja --bin wymaga nazwy katalogu.";
    QTest::newRow("flag with a value")
        << QStringList{"validate", "--json=tak", "a.xml"} << "Opcja --json nie przyjmuje wartości.";
}

void TestCli::usageErrors() {
    QFETCH(QStringList, args);
    QFETCH(QString, reason);
    const Run r = topaz(args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.startsWith(reason + QLatin1Char('\n')), qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("Użycie:")), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

void TestCli::helpAndVersion_data() {
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); // on standard output, or on standard error for exit 2
    QTest::newRow("no command") << QStringList{} << 2 << "Nie podano polecenia.";
    QTest::newRow("help") << QStringList{"--help"} << 0 << "topaz_q validate [--bin KATALOG]";
    QTest::newRow("short help") << QStringList{"-h"} << 0 << "topaz_q new [--bin KATALOG] WYJŚCIE";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "topaz_q 1.";
    QTest::newRow("command help") << QStringList{"validate", "--help"} << 0 << "-j, --jobs N";
    QTest::newRow("command help among files")
        << QStringList{"resave", "a.xml", "-h"} << 0 << "Użycie: topaz_q resave [--bin KATALOG]";
    QTest::newRow("options before the command")
        << QStringList{"--json", "validate", "a.xml"} << 2 << "Nieznana opcja: --json";
}

void TestCli::helpAndVersion() {
    QFETCH(QStringList, words);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);
    const Run r = run(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q"), words);
    QCOMPARE(r.exitCode, exitCode);
    const QString& text = exitCode == 0 ? r.out : r.err;
    QVERIFY2(text.contains(expected), qPrintable(text));
    if (exitCode == 0) QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
}

// A long batch shows "files done of all" on a terminal and nothing through a pipe.
void TestCli::progressOnlyOnTerminal() {
    const QString file = QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml");
    QStringList words{QStringLiteral("validate"), QStringLiteral("--bin"), bin_.path(),
                      QStringLiteral("-j"), QStringLiteral("2")};
    for (int i = 0; i < 25; ++i)
        words << file;
    const QString program = QStringLiteral(TOPAZ_BIN_DIR "/topaz_q");
    const Run piped = run(program, words);
    QCOMPARE(piped.exitCode, 0);
    QVERIFY2(!piped.err.contains(QStringLiteral("Sprawdzono")), qPrintable(piped.err));

    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty()) QSKIP("No \"script\" program to give topaz_q a terminal");
    const Run onTerminal =
        run(script, {QStringLiteral("-qec"), (QStringList{program} + words).join(QLatin1Char(' ')),
                     QStringLiteral("/dev/null")});
    QCOMPARE(onTerminal.exitCode, 0);
    QVERIFY2(onTerminal.out.contains(QStringLiteral("Sprawdzono 25 z 25 plików")),
             qPrintable(onTerminal.out));
    // The results still reach the terminal, one line per file.
    QCOMPARE(onTerminal.out.count(file + QStringLiteral(": poprawny")), 25);
}

void TestCli::resaveIsStable() {
    const QString original = newApplication(QStringLiteral("oryginal.xml"));
    QVERIFY(!original.isEmpty());
    const QString once = path(QStringLiteral("raz.xml"));
    const QString twice = path(QStringLiteral("dwa.xml"));
    QCOMPARE(topaz({QStringLiteral("resave"), original, once}).exitCode, 0);
    QCOMPARE(topaz({QStringLiteral("resave"), once, twice}).exitCode, 0);
    const QByteArray first = readAll(once);
    QVERIFY(!first.isEmpty());
    QCOMPARE(readAll(twice), first);
    QCOMPARE(topaz({QStringLiteral("checksum"), twice}).exitCode, 0);
}

void TestCli::resaveRefusesDamagedFile() {
    const QString damaged = path(QStringLiteral("uszkodzony.xml"));
    QFile f(damaged);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<WNIOSEK><INFO_DLL");
    f.close();
    const Run r =
        topaz({QStringLiteral("resave"), damaged, path(QStringLiteral("z_uszkodzonego.xml"))});
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains(QStringLiteral("Uszkodzony plik Wniosku.")), qPrintable(r.err));
    QVERIFY(!QFile::exists(path(QStringLiteral("z_uszkodzonego.xml"))));
}

void TestCli::jsonReport() {
    const QString good = newApplication(QStringLiteral("dobry.xml"));
    QVERIFY(!good.isEmpty());
    const Run r = topaz({QStringLiteral("checksum"), QStringLiteral("--json"), good, good});
    QCOMPARE(r.exitCode, 0);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QVERIFY(doc.isArray());
    QCOMPARE(doc.array().size(), 2);
    const QJsonObject o = doc.array().at(0).toObject();
    QCOMPARE(o.value(QStringLiteral("file")).toString(), good);
    QCOMPARE(o.value(QStringLiteral("stored")).toString().size(), 19);
    QCOMPARE(o.value(QStringLiteral("computed")).toString(),
             o.value(QStringLiteral("stored")).toString());
    for (const char* flag : {"held", "verified", "loaded"}) {
        QVERIFY2(o.value(QLatin1String(flag)).isBool(), flag);
        QVERIFY2(o.value(QLatin1String(flag)).toBool(), flag);
    }
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
