#include "tests/test_support.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using TestSupport::readAll;
using TestSupport::Run;

class TestCli : public QObject {
    Q_OBJECT

private:
    // topaz_q with --bin pointing to a host folder that holds only the dictionary.
    Run topaz(const QStringList& args, const QString& bin = QString()) {
        QStringList full = args;
        full.insert(1, bin.isEmpty() ? bin_.path() : bin);
        full.insert(1, QStringLiteral("--bin"));
        return run(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q"), full);
    }
    // topaz_q with exactly these words.
    Run run(const QString& program, const QStringList& words) {
        return TestSupport::runProgram(program, words,
                                       work_.filePath(QStringLiteral("registry.ini")));
    }
    QString path(const QString& name) const { return work_.filePath(name); }
    QString newApplication(const QString& name) {
        const Run r = topaz({QStringLiteral("new"), path(name)});
        return r.exitCode == 0 ? path(name) : QString();
    }

    QTemporaryDir bin_;
    QTemporaryDir work_;

private slots:
    void initTestCase() {
        QVERIFY(bin_.isValid() && work_.isValid());
        QVERIFY(QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/slowniki.xml"),
                            bin_.filePath(QStringLiteral("slowniki.xml"))));
        QVERIFY(QFile::exists(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q")));
    }

    // A new file verifies, in words and in JSON, and saving it again changes nothing.
    void newFileVerifiesAndResavesStably() {
        const QString file = newApplication(QStringLiteral("a.xml"));
        QVERIFY(!file.isEmpty());
        Run r = topaz({QStringLiteral("checksum"), file});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.startsWith(file + QStringLiteral(": zapisana ")), qPrintable(r.out));
        QVERIFY2(r.out.contains(QStringLiteral("suma kontrolna poprawna")), qPrintable(r.out));

        const QString once = path(QStringLiteral("raz.xml")),
                      twice = path(QStringLiteral("dwa.xml"));
        QCOMPARE(topaz({QStringLiteral("resave"), file, once}).exitCode, 0);
        QCOMPARE(topaz({QStringLiteral("resave"), once, twice}).exitCode, 0);
        QVERIFY(!readAll(once).isEmpty());
        QCOMPARE(readAll(twice), readAll(once));

        r = topaz({QStringLiteral("checksum"), QStringLiteral("--json"), file, twice});
        QCOMPARE(r.exitCode, 0);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
        QCOMPARE(doc.array().size(), 2);
        const QJsonObject o = doc.array().at(1).toObject();
        QCOMPARE(o.value(QStringLiteral("file")).toString(), twice);
        QCOMPARE(o.value(QStringLiteral("stored")).toString().size(), 19);
        QCOMPARE(o.value(QStringLiteral("computed")).toString(),
                 o.value(QStringLiteral("stored")).toString());
        for (const char* flag : {"held", "verified", "loaded"})
            QVERIFY2(o.value(QLatin1String(flag)).toBool(), flag);
    }

    void tamperedFileFails() {
        const QString file = newApplication(QStringLiteral("zmieniony.xml"));
        QVERIFY(!file.isEmpty());
        // "Whole country" of the main record is a value that enters the checksum; a new
        // application has its default "N".
        QString text = QString::fromLatin1(readAll(file));
        const QRegularExpression value(QStringLiteral("(dsK=\"lok_caly_kraj\"[^>]*>)N<"));
        QVERIFY(text.contains(value));
        text.replace(value, QStringLiteral("\\1T<"));
        QVERIFY(TestSupport::writeAll(file, text.toLatin1()));

        const Run r = topaz({QStringLiteral("checksum"), file});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.out.contains(QStringLiteral("suma kontrolna niepoprawna")), qPrintable(r.out));
    }

    // Files that cannot be read or written: an error, and nothing is written. Names are
    // files of the work folder; "zly.xml" is damaged.
    void refusals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("withDictionary");
        QTest::addColumn<QString>("reason");
        QTest::newRow("checksum of a missing file")
            << QStringList{"checksum", "brak.xml"} << true << "Nie znaleziono pliku wniosku";
        QTest::newRow("resave of a missing file")
            << QStringList{"resave", "brak.xml", "b.xml"} << true << "Nie znaleziono pliku wniosku";
        QTest::newRow("resave of a damaged file")
            << QStringList{"resave", "zly.xml", "b.xml"} << true << "Uszkodzony plik Wniosku.";
        QTest::newRow("no dictionary") << QStringList{"new", "b.xml"} << false
                                       << "Słownik zawiera niepoprawne dane dla tego wniosku.";
    }
    void refusals() {
        QFETCH(QStringList, args);
        QFETCH(bool, withDictionary);
        QFETCH(QString, reason);
        QVERIFY(TestSupport::writeAll(path(QStringLiteral("zly.xml")), "<WNIOSEK><INFO_DLL"));
        for (qsizetype i = 1; i < args.size(); ++i)
            args[i] = path(args[i]);
        QTemporaryDir emptyBin;
        const Run r = topaz(args, withDictionary ? QString() : emptyBin.path());
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(reason), qPrintable(r.err));
        QVERIFY(!QFile::exists(path(QStringLiteral("b.xml"))));
    }

    // No command writes over a file it reads, whatever name reaches it: "A" is the
    // application; "L" a symbolic link to it, "H" a hard link, "P" a copy named .pdf.
    void noCommandWritesOverItsInput_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("input");
        QTest::newRow("resave onto itself") << QStringList{"resave", "A.xml", "A.xml"} << "A.xml";
        QTest::newRow("resave, .xml added") << QStringList{"resave", "A.xml", "A"} << "A.xml";
        QTest::newRow("resave onto a symlink")
            << QStringList{"resave", "A.xml", "L.xml"} << "A.xml";
        QTest::newRow("resave onto a hard link")
            << QStringList{"resave", "H.xml", "A.xml"} << "H.xml";
        QTest::newRow("print --pdf onto itself")
            << QStringList{"print", "--pdf", "A.xml", "A.xml"} << "A.xml";
        QTest::newRow("print --pdf onto a hard link")
            << QStringList{"print", "--pdf", "H.xml", "A.xml"} << "A.xml";
        QTest::newRow("print, default name is the input")
            << QStringList{"print", "P.pdf"} << "P.pdf";
        QTest::newRow("import --db onto an application")
            << QStringList{"import", "--db", "L.xml", "B.xml", "A.xml"} << "A.xml";
    }
    void noCommandWritesOverItsInput() {
        QFETCH(QStringList, args);
        QFETCH(QString, input);
        QTemporaryDir dir;
        const auto in = [&](const QString& name) { return dir.filePath(name); };
        QVERIFY(QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml"), in("A.xml")));
        QVERIFY(QFile::copy(in("A.xml"), in("B.xml")) && QFile::copy(in("A.xml"), in("P.pdf")));
        QVERIFY(QFile::link(in("A.xml"), in("L.xml")));
        QCOMPARE(::link(QFile::encodeName(in("A.xml")).constData(),
                        QFile::encodeName(in("H.xml")).constData()),
                 0);
        const QByteArray before = readAll(in(input));
        for (QString& word : args)
            if (word.contains(QLatin1Char('.')) || word == QLatin1String("A")) word = in(word);
        const Run r = topaz(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(QStringLiteral("jest plikiem wejściowym")), qPrintable(r.err));
        QVERIFY(readAll(in(input)) == before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 5); // nothing new, no temp
    }

    // Every output replaces an existing file by a rename: another hard link of the old file
    // keeps the old bytes, and no temporary file is left beside the new one.
    void outputsReplaceByRename_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("new") << QStringList{"new", "O.xml"};
        QTest::newRow("resave") << QStringList{"resave", "A.xml", "O.xml"};
        QTest::newRow("print") << QStringList{"print", "--pdf", "O.xml", "A.xml"};
    }
    void outputsReplaceByRename() {
        QFETCH(QStringList, args);
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml"),
                            dir.filePath(QStringLiteral("A.xml"))));
        QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("O.xml")), "stary"));
        QCOMPARE(::link(QFile::encodeName(dir.filePath(QStringLiteral("O.xml"))).constData(),
                        QFile::encodeName(dir.filePath(QStringLiteral("K.xml"))).constData()),
                 0);
        for (QString& word : args)
            if (word.contains(QLatin1Char('.'))) word = dir.filePath(word);
        const Run r = topaz(args);
        QVERIFY2(r.exitCode == 0 || r.exitCode == 1, qPrintable(r.err));
        QCOMPARE(readAll(dir.filePath(QStringLiteral("K.xml"))), QByteArray("stary"));
        QVERIFY(readAll(dir.filePath(QStringLiteral("O.xml"))).size() > 1000);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);
    }

    void usageErrors_data() {
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
        QTest::newRow("flag with a value") << QStringList{"validate", "--json=tak", "a.xml"}
                                           << "Opcja --json nie przyjmuje wartości.";
    }

    void usageErrors() {
        QFETCH(QStringList, args);
        QFETCH(QString, reason);
        const Run r = topaz(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.startsWith(reason + QLatin1Char('\n')), qPrintable(r.err));
        QVERIFY2(r.err.contains(QStringLiteral("Użycie:")), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    void helpAndVersion_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>(
            "expected"); // on standard output, or on standard error for exit 2
        QTest::newRow("no command") << QStringList{} << 2 << "Nie podano polecenia.";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "topaz_q validate [--bin KATALOG]";
        QTest::newRow("short help")
            << QStringList{"-h"} << 0 << "topaz_q new [--bin KATALOG] WYJŚCIE";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "topaz_q 1.";
        QTest::newRow("command help") << QStringList{"validate", "--help"} << 0 << "-j, --jobs N";
        QTest::newRow("command help among files") << QStringList{"resave", "a.xml", "-h"} << 0
                                                  << "Użycie: topaz_q resave [--bin KATALOG]";
        QTest::newRow("options before the command")
            << QStringList{"--json", "validate", "a.xml"} << 2 << "Nieznana opcja: --json";
    }

    void helpAndVersion() {
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
    void progressOnlyOnTerminal() {
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
        const Run onTerminal = run(script, {QStringLiteral("-qec"),
                                            (QStringList{program} + words).join(QLatin1Char(' ')),
                                            QStringLiteral("/dev/null")});
        QCOMPARE(onTerminal.exitCode, 0);
        QVERIFY2(onTerminal.out.contains(QStringLiteral("Sprawdzono 25 z 25 plików")),
                 qPrintable(onTerminal.out));
        // The results still reach the terminal, one line per file.
        QCOMPARE(onTerminal.out.count(file + QStringLiteral(": poprawny")), 25);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
