#include "file/application_file.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"
#include "tests/sample_file.h"
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

#include <functional>
#include <unistd.h>

using TestSupport::readAll;
using TestSupport::Run;

namespace {

const QString kSample = QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml");
const QString kTitle =
    QStringLiteral("Przebudowa drogi krajowej nr 30 na odcinku Nowogrodziec – Zebrzydowa");

using Change = std::function<void(TdmDataSets&)>;

// The sample changed through the data module, its rules running, and saved as the editor
// saves it (so with a checksum that holds).
bool writeChanged(const QString& path, const Change& change) {
    return TestSupport::withOpenedSample([&](TdmDataSets& dm, ApplicationFile& file) {
        change(dm);
        return file.saveAs(path);
    });
}

void setValue(DataSet& t, int row, const char* field, const QVariant& value) {
    t.setRecNo(row);
    t.edit();
    t.field(QLatin1String(field)).setValue(value);
    t.post();
}

} // namespace

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
    void diffNamesWhatChanged_data();
    void diffNamesWhatChanged();
    void diffStatesAndErrors();

    void initTestCase() {
        QVERIFY(bin_.isValid() && work_.isValid());
        QVERIFY(QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/slowniki.xml"),
                            bin_.filePath(QStringLiteral("slowniki.xml"))));
        QVERIFY(QFile::exists(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q")));
    }

    // A new file verifies, in words and in JSON, and saving it again changes nothing; a
    // value changed by hand fails.
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
        const QJsonArray files = QJsonDocument::fromJson(r.out.toUtf8()).array();
        QCOMPARE(files.size(), 2);
        const QJsonObject o = files.at(1).toObject();
        QCOMPARE(o.value(QStringLiteral("file")).toString(), twice);
        QCOMPARE(o.value(QStringLiteral("stored")).toString().size(), 19);
        QCOMPARE(o.value(QStringLiteral("computed")), o.value(QStringLiteral("stored")));
        for (const char* flag : {"held", "verified", "loaded"})
            QVERIFY2(o.value(QLatin1String(flag)).toBool(), flag);

        // "Whole country" enters the checksum; a new application has its default "N".
        QString text = QString::fromLatin1(readAll(file));
        const QRegularExpression value(QStringLiteral("(dsK=\"lok_caly_kraj\"[^>]*>)N<"));
        QVERIFY(text.contains(value));
        QVERIFY(
            TestSupport::writeAll(file, text.replace(value, QStringLiteral("\\1T<")).toLatin1()));
        r = topaz({QStringLiteral("checksum"), file});
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

// topaz_q diff over every kind of table: the lines name the section and the caption as the
// editor shows them, the row of a list table, the old and the new value.
void TestCli::diffNamesWhatChanged_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("lines"); // each must be printed
    QTest::addColumn<int>("count");         // differences; -1: more than the lines
    QTest::newRow("main record")
        << Change([](TdmDataSets& dm) {
               setValue(dm.table("dsWniosek"), 1, "tytul_projektu", QStringLiteral("Nowy tytuł"));
           })
        << QStringList{QStringLiteral("6. Projekt — Tytuł Projektu: „%1” → „Nowy tytuł”")
                           .arg(kTitle)}
        << 1;
    QTest::newRow("special fields")
        << Change([](TdmDataSets& dm) {
               setValue(dm.table("dsPolaSpec"), 1, "ZALWYKINNEDOK", QStringLiteral("Mapa terenu"));
               setValue(dm.table("dsPolaSpec"), 1, "ZALMAPYDT", QStringLiteral("T"));
           })
        << QStringList{QStringLiteral("Lista załączników — Proszę o wyszczególnienie poniżej w "
                                      "tabeli dołączonych dodatkowo dokumentów: „” → „Mapa "
                                      "terenu”"),
                       QStringLiteral("Lista załączników — 7. Mapy, szkice lokalizacyjne — "
                                      "Dostawy: „N” → „T”")}
        << -1;
    // Inserted before the first place: one insertion, the row after it is no change.
    QTest::newRow("list table, row inserted") << Change([](TdmDataSets& dm) {
        DataSet& t = dm.table("dsLokalizacja");
        t.first();
        t.insert();
        t.field("Miejscowosc").setValue(QStringLiteral("Bolesławiec"));
        t.post();
    }) << QStringList{QStringLiteral("6d. Miejsce realizacji Projektu — wiersz 1 dodany — ")}
                                              << 1;
    QTest::newRow("year tree")
        << Change([](TdmDataSets& dm) {
               DataSet& t = dm.table("dsZrodlaFin");
               t.locate(QStringLiteral("Id"), 4);
               setValue(t, t.recNo(), "2005", t.field("2005").asFloat() + 1000);
           })
        << QStringList{QStringLiteral("wiersz 4 „budżet państwa” — 2005 zł: „"),
                       QStringLiteral("wiersz 11 „OGÓŁEM” — 2005 zł: „800000” → „801000”")}
        << -1;
}

void TestCli::diffNamesWhatChanged() {
    QFETCH(Change, change);
    QFETCH(QStringList, lines);
    QFETCH(int, count);
    const QString changed = path(QStringLiteral("zmieniony.xml"));
    QVERIFY(writeChanged(changed, change));
    const Run r = topaz({QStringLiteral("diff"), kSample, changed});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.out.startsWith(QStringLiteral("Stary: %1: suma kontrolna poprawna\nNowy: %2: suma "
                                             "kontrolna poprawna\n")
                                  .arg(kSample, changed)),
             qPrintable(r.out));
    for (const QString& line : lines)
        QVERIFY2(r.out.contains(line), qPrintable(line + QStringLiteral("\n in:\n") + r.out));
    const int found = int(r.out.count(QLatin1Char('\n'))) - 3;
    if (count >= 0) QCOMPARE(found, count);
    QVERIFY2(r.out.endsWith(QStringLiteral("Różnice: %1\n").arg(found)), qPrintable(r.out));
    // Both ways: what one calls inserted the other calls deleted, the values swap.
    const Run back = topaz({QStringLiteral("diff"), QStringLiteral("--json"), changed, kSample});
    QCOMPARE(back.exitCode, 1);
    const QJsonObject o = QJsonDocument::fromJson(back.out.toUtf8()).object();
    QCOMPARE(o.value(QStringLiteral("differences")).toArray().size(), found);
    QCOMPARE(o.value(QStringLiteral("equal")).toBool(), false);
    if (QTest::currentDataTag() == QLatin1String("list table, row inserted")) {
        QVERIFY2(r.out.contains(QStringLiteral("Miejscowość: Bolesławiec")), qPrintable(r.out));
        QCOMPARE(o.value(QStringLiteral("differences"))
                     .toArray()
                     .at(0)
                     .toObject()
                     .value(QStringLiteral("kind")),
                 QStringLiteral("deleted"));
    }
}

// Equal files, a file changed by hand (its checksum no longer holds) and files that cannot be
// compared.
void TestCli::diffStatesAndErrors() {
    Run r = topaz({QStringLiteral("diff"), kSample, kSample});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.endsWith(QStringLiteral("Wnioski się nie różnią.\n")), qPrintable(r.out));
    QByteArray bytes = readAll(kSample);
    const QString byHand = path(QStringLiteral("reka.xml"));
    QVERIFY(TestSupport::writeAll(byHand, bytes.replace("Zebrzydowa</", "Zebrzydowa!</")));
    r = topaz({QStringLiteral("diff"), QStringLiteral("--json"), kSample, byHand});
    QCOMPARE(r.exitCode, 1);
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    QCOMPARE(o.value(QStringLiteral("new")).toObject().value(QStringLiteral("checksum")).toString(),
             QStringLiteral("suma kontrolna niepoprawna"));
    const QJsonArray list = o.value(QStringLiteral("differences")).toArray();
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.at(0).toObject().value(QStringLiteral("control")).toString(),
             QStringLiteral("tytul_projektu"));
    for (const QString& bad : {path(QStringLiteral("brak.xml")), path(QStringLiteral("zly.xml"))}) {
        QVERIFY(TestSupport::writeAll(path(QStringLiteral("zly.xml")), bytes.left(1000)));
        r = topaz({QStringLiteral("diff"), kSample, bad});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(bad), qPrintable(r.err));
    }
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
