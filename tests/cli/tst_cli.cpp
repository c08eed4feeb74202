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

using namespace Qt::StringLiterals;

using TestSupport::readAll;
using TestSupport::Run;

namespace {

const QString kSample = QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml");
const QString kTopaz = QStringLiteral(TOPAZ_BIN_DIR "/topaz_q");
const QString kTitle = u"Przebudowa drogi krajowej nr 30 na odcinku Nowogrodziec – Zebrzydowa"_s;

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

// Changes a value of the first record.
Change put(const char* table, const char* field, const QString& value) {
    return [=](TdmDataSets& dm) { setValue(dm.table(table), 1, field, value); };
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private:
    // topaz_q with --bin pointing to a host folder that holds only the dictionary.
    Run topaz(const QStringList& args, const QString& bin = QString()) {
        QStringList full = args;
        full.insert(1, bin.isEmpty() ? bin_.path() : bin);
        full.insert(1, u"--bin"_s);
        return run(kTopaz, full);
    }
    // topaz_q with exactly these words.
    Run run(const QString& program, const QStringList& words) {
        return TestSupport::runProgram(program, words, work_.filePath(u"registry.ini"_s));
    }
    QString path(const QString& name) const { return work_.filePath(name); }

    QTemporaryDir bin_;
    QTemporaryDir work_;

private slots:
    void initTestCase() {
        QVERIFY(bin_.isValid() && work_.isValid());
        QVERIFY(QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/slowniki.xml"),
                            bin_.filePath(u"slowniki.xml"_s)));
    }

    // A new file verifies in JSON, and saving it again changes nothing; a value changed by
    // hand fails, in words.
    void newFileVerifiesAndResavesStably() {
        const QString file = path(u"a.xml"_s);
        QCOMPARE(topaz({u"new"_s, file}).exitCode, 0);
        const QString once = path(u"raz.xml"_s), twice = path(u"dwa.xml"_s);
        QCOMPARE(topaz({u"resave"_s, file, once}).exitCode, 0);
        QCOMPARE(topaz({u"resave"_s, once, twice}).exitCode, 0);
        QCOMPARE(readAll(twice), readAll(once));

        Run r = topaz({u"checksum"_s, u"--json"_s, file, twice});
        QCOMPARE(r.exitCode, 0);
        const QJsonArray files = QJsonDocument::fromJson(r.out.toUtf8()).array();
        QCOMPARE(files.size(), 2);
        const QJsonObject o = files.at(1).toObject();
        QCOMPARE(o.value(u"file"_s).toString(), twice);
        QCOMPARE(o.value(u"computed"_s), o.value(u"stored"_s));
        for (const char* flag : {"held", "verified", "loaded"})
            QVERIFY2(o.value(QLatin1String(flag)).toBool(), flag);

        // "Whole country" enters the checksum; a new application has its default "N".
        QString text = QString::fromLatin1(readAll(file));
        const QRegularExpression value(u"(dsK=\"lok_caly_kraj\"[^>]*>)N<"_s);
        QVERIFY(TestSupport::writeAll(file, text.replace(value, u"\\1T<"_s).toLatin1()));
        r = topaz({u"checksum"_s, file});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.out.startsWith(file + u": zapisana "_s) &&
                     r.out.contains(u"suma kontrolna niepoprawna"_s),
                 qPrintable(r.out));
    }

    // Files that cannot be read or written, and outputs that are inputs: an error, the input
    // as it was, nothing new written. "A" is the application; "L" a symbolic link to it, "H"
    // a hard link, "P" a copy named .pdf, "zly.xml" a damaged file; "brak.xml" is missing.
    // Every output that is written replaces an existing file ("O.xml") by a rename: another
    // hard link of the old file ("K.xml") keeps the old bytes, and no temporary file is left.
    void files_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("input");  // the file that must stay as it was
        QTest::addColumn<QString>("reason"); // empty: written
        const auto row = [](const char* name, const QStringList& args, const char* input,
                            const char* reason = "jest plikiem wejściowym") {
            QTest::newRow(name) << args << input << reason;
        };
        row("new", {"new", "O.xml"}, "A.xml", "");
        row("resave", {"resave", "A.xml", "O.xml"}, "A.xml", "");
        row("print", {"print", "--pdf", "O.xml", "A.xml"}, "A.xml", "");
        row("checksum of a missing file", {"checksum", "brak.xml"}, "",
            "Nie znaleziono pliku wniosku");
        row("resave of a missing file", {"resave", "brak.xml", "b.xml"}, "",
            "Nie znaleziono pliku wniosku");
        row("resave of a damaged file", {"resave", "zly.xml", "b.xml"}, "zly.xml",
            "Uszkodzony plik Wniosku.");
        row("no dictionary", {"new", "--bin", "pusty/", "b.xml"}, "",
            "Słownik zawiera niepoprawne dane dla tego wniosku.");
        row("resave onto itself", {"resave", "A.xml", "A.xml"}, "A.xml");
        row("resave, .xml added", {"resave", "A.xml", "A"}, "A.xml");
        row("resave onto a symlink", {"resave", "A.xml", "L.xml"}, "A.xml");
        row("resave onto a hard link", {"resave", "H.xml", "A.xml"}, "H.xml");
        row("print --pdf onto itself", {"print", "--pdf", "A.xml", "A.xml"}, "A.xml");
        row("print, default name is the input", {"print", "P.pdf"}, "P.pdf");
        row("import --db onto an application", {"import", "--db", "L.xml", "B.xml", "A.xml"},
            "A.xml");
        row("diff with a missing file", {"diff", "A.xml", "brak.xml"}, "A.xml",
            "Nie znaleziono pliku wniosku");
        row("diff with a damaged file", {"diff", "A.xml", "zly.xml"}, "zly.xml",
            "zly.xml: plik uszkodzony, nie można go porównać.");
    }
    void files() {
        QFETCH(QStringList, args);
        QFETCH(QString, input);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const auto in = [&](const QString& name) { return dir.filePath(name); };
        const auto hardLink = [&](const char* from, const char* to) {
            return ::link(QFile::encodeName(in(from)).constData(),
                          QFile::encodeName(in(to)).constData()) == 0;
        };
        QVERIFY(QFile::copy(kSample, in("A.xml")) && QFile::copy(kSample, in("B.xml")) &&
                QFile::copy(kSample, in("P.pdf")) && QFile::link(in("A.xml"), in("L.xml")) &&
                QDir(dir.path()).mkdir(u"pusty"_s) && hardLink("A.xml", "H.xml"));
        QVERIFY(TestSupport::writeAll(in("zly.xml"), "<WNIOSEK><INFO_DLL") &&
                TestSupport::writeAll(in("O.xml"), "stary") && hardLink("O.xml", "K.xml"));
        const QByteArray before = readAll(in(input));
        for (QString& word : args)
            if (word.contains(u'.') || word == u"A"_s || word.endsWith(u'/')) word = in(word);
        const Run r = args.contains(u"--bin"_s) ? run(kTopaz, args) : topaz(args);
        if (reason.isEmpty()) {
            QVERIFY2(r.exitCode == 0 || r.exitCode == 1, qPrintable(r.err));
            QVERIFY(readAll(in("O.xml")).size() > 1000);
        } else {
            QCOMPARE(r.exitCode, 2);
            QVERIFY2(r.err.contains(reason), qPrintable(r.err));
            QCOMPARE(readAll(in("O.xml")), QByteArray("stary"));
        }
        QCOMPARE(readAll(in("K.xml")), QByteArray("stary"));
        QVERIFY(input.isEmpty() || readAll(in(input)) == before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 8); // nothing new, no temp
    }

    // Help and version on standard output; a command line that is not understood gets its
    // reason and the usage on standard error, and nothing on standard output.
    void commandLines_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>(
            "expected"); // on standard output, or at the start of standard error
        auto row = [](const char* name, const QStringList& words, int exitCode, const char* text) {
            QTest::newRow(name) << words << exitCode << QString::fromUtf8(text);
        };
        row("help", {"--help"}, 0, "topaz_q validate [--bin KATALOG]");
        row("short help", {"-h"}, 0, "topaz_q new [--bin KATALOG] WYJŚCIE");
        row("version", {"--version"}, 0, "topaz_q 1.");
        row("command help", {"validate", "--help"}, 0, "-j, --jobs N");
        row("command help among files", {"resave", "a.xml", "-h"}, 0,
            "Użycie: topaz_q resave [--bin KATALOG]");
        row("no command", {}, 2, "Nie podano polecenia.");
        row("options before the command", {"--json", "validate", "a.xml"}, 2,
            "Nieznana opcja: --json");
        row("unknown command", {"walidacja", "a.xml"}, 2, "Nieznane polecenie: walidacja");
        row("resave without output", {"resave", "a.xml"}, 2,
            "Niewłaściwa liczba plików dla polecenia resave.");
        row("unknown option", {"checksum", "--szybko", "a.xml"}, 2, "Nieznana opcja: --szybko");
        row("no threads", {"validate", "-j", "0", "a.xml"}, 2,
            "Opcja -j wymaga liczby wątków od 1 do 256.");
        row("threads not a number", {"validate", "--jobs=dwa", "a.xml"}, 2,
            "Opcja -j wymaga liczby wątków od 1 do 256.");
        row("folder missing", {"validate", "a.xml", "--bin"}, 2,
            "Opcja --bin wymaga nazwy katalogu.");
        row("flag with a value", {"validate", "--json=tak", "a.xml"}, 2,
            "Opcja --json nie przyjmuje wartości.");
    }

    void commandLines() {
        QFETCH(QStringList, words);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        const Run r = run(kTopaz, words);
        QCOMPARE(r.exitCode, exitCode);
        if (exitCode == 0) {
            QVERIFY2(r.out.contains(expected), qPrintable(r.out));
            QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        } else {
            QVERIFY2(r.err.startsWith(expected + u'\n') && r.err.contains(u"Użycie:"_s),
                     qPrintable(r.err));
            QVERIFY(r.out.isEmpty());
        }
    }

    // A long batch shows "files done of all" on a terminal and nothing through a pipe.
    void progressOnlyOnTerminal() {
        QStringList words{u"validate"_s, u"--bin"_s, bin_.path(), u"-j"_s, u"2"_s};
        for (int i = 0; i < 25; ++i)
            words << kSample;
        const Run piped = run(kTopaz, words);
        QCOMPARE(piped.exitCode, 0);
        QVERIFY2(!piped.err.contains(u"Sprawdzono"_s), qPrintable(piped.err));

        const QString script = QStandardPaths::findExecutable(u"script"_s);
        if (script.isEmpty()) QSKIP("No \"script\" program to give topaz_q a terminal");
        const Run onTerminal =
            run(script, {u"-qec"_s, (QStringList{kTopaz} + words).join(u' '), u"/dev/null"_s});
        QCOMPARE(onTerminal.exitCode, 0);
        QVERIFY2(onTerminal.out.contains(u"Sprawdzono 25 z 25 plików"_s),
                 qPrintable(onTerminal.out));
        // The results still reach the terminal, one line per file.
        QCOMPARE(onTerminal.out.count(kSample + u": poprawny"_s), 25);
    }

    // topaz_q diff over every kind of table: the lines name the section and the caption as the
    // editor shows them, the row of a list table, the old and the new value.
    void diffNamesWhatChanged_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("lines"); // each must be printed
        QTest::addColumn<int>("count");         // differences; -1: more than the lines
        QTest::newRow("main record")
            << put("dsWniosek", "tytul_projektu", u"Nowy tytuł"_s)
            << QStringList{u"6. Projekt — Tytuł Projektu: „%1” → „Nowy tytuł”"_s.arg(kTitle)} << 1;
        QTest::newRow("special fields")
            << Change([](TdmDataSets& dm) {
                   put("dsPolaSpec", "ZALWYKINNEDOK", u"Mapa terenu"_s)(dm);
                   put("dsPolaSpec", "ZALMAPYDT", u"T"_s)(dm);
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
            t.field("Miejscowosc").setValue(u"Bolesławiec"_s);
            t.post();
        }) << QStringList{u"6d. Miejsce realizacji Projektu — wiersz 1 dodany — "_s}
                                                  << 1;
        QTest::newRow("year tree")
            << Change([](TdmDataSets& dm) {
                   DataSet& t = dm.table("dsZrodlaFin");
                   t.locate(u"Id"_s, 4);
                   setValue(t, t.recNo(), "2005", t.field("2005").asFloat() + 1000);
               })
            << QStringList{u"wiersz 4 „budżet państwa” — 2005 zł: „"_s,
                           u"wiersz 11 „OGÓŁEM” — 2005 zł: „800000” → „801000”"_s}
            << -1;
    }

    void diffNamesWhatChanged() {
        QFETCH(Change, change);
        QFETCH(QStringList, lines);
        QFETCH(int, count);
        const QString changed = path(u"zmieniony.xml"_s);
        QVERIFY(writeChanged(changed, change));
        const Run r = topaz({u"diff"_s, kSample, changed});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(
            r.out.startsWith(QStringLiteral("Stary: %1: suma kontrolna poprawna\nNowy: %2: suma "
                                            "kontrolna poprawna\n")
                                 .arg(kSample, changed)),
            qPrintable(r.out));
        for (const QString& line : lines)
            QVERIFY2(r.out.contains(line), qPrintable(line + u"\n in:\n"_s + r.out));
        const int found = int(r.out.count(u'\n')) - 3;
        if (count >= 0) QCOMPARE(found, count);
        QVERIFY2(r.out.endsWith(u"Różnice: %1\n"_s.arg(found)), qPrintable(r.out));
        // Both ways: what one calls inserted the other calls deleted, the values swap.
        const Run back = topaz({u"diff"_s, u"--json"_s, changed, kSample});
        const QJsonObject o = QJsonDocument::fromJson(back.out.toUtf8()).object();
        QCOMPARE(o.value(u"differences"_s).toArray().size(), found);
        QCOMPARE(o.value(u"equal"_s).toBool(), false);
        if (QTest::currentDataTag() == u"list table, row inserted"_s) {
            QVERIFY2(r.out.contains(u"Miejscowość: Bolesławiec"_s), qPrintable(r.out));
            QCOMPARE(o.value(u"differences"_s).toArray().at(0).toObject().value(u"kind"_s),
                     u"deleted"_s);
        }
    }

    // Equal files, and a file changed by hand: its checksum no longer holds.
    void diffStatesAndErrors() {
        Run r = topaz({u"diff"_s, kSample, kSample});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.endsWith(u"Wnioski się nie różnią.\n"_s), qPrintable(r.out));
        QByteArray bytes = readAll(kSample);
        const QString byHand = path(u"reka.xml"_s);
        QVERIFY(TestSupport::writeAll(byHand, bytes.replace("Zebrzydowa</", "Zebrzydowa!</")));
        r = topaz({u"diff"_s, u"--json"_s, kSample, byHand});
        QCOMPARE(r.exitCode, 1);
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QCOMPARE(o.value(u"new"_s).toObject().value(u"checksum"_s).toString(),
                 u"suma kontrolna niepoprawna"_s);
        const QJsonArray list = o.value(u"differences"_s).toArray();
        QCOMPARE(list.size(), 1);
        QCOMPARE(list.at(0).toObject().value(u"control"_s).toString(), u"tytul_projektu"_s);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
