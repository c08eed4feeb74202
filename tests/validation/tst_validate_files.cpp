// Validation of whole application files from outside, as institutions run it: topaz_q
// validate and the module's silent exports on the sample files of tests/data.
#include "tests/test_support.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using TestSupport::readAll;
using TestSupport::Run;

namespace {

const QString kApplications = QStringLiteral(TOPAZ_TEST_DATA "/applications/");

// A host folder with the module and the sample dictionary, shared by the whole unit; its
// programs run with a registry of their own.
struct Host {
    QTemporaryDir dir;
    Host() {
        QDir(dir.path()).mkpath(QStringLiteral("wn_typy"));
        QFile::link(QStringLiteral(TOPAZ_BIN_DIR "/wn_typy/TOPAZ_Q.so"),
                    dir.filePath(QStringLiteral("wn_typy/TOPAZ_Q.so")));
        QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/slowniki.xml"),
                    dir.filePath(QStringLiteral("slowniki.xml")));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    // topaz_q on the host folder; codePage overrides the system code page.
    Run topaz(QStringList args, const QString& codePage = {}) const {
        args.insert(1, QStringLiteral("--bin"));
        args.insert(2, dir.path());
        return TestSupport::runProgram(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q"), args,
                                       path(QStringLiteral("registry.ini")), codePage);
    }
    QString zelgor(const QString& exportName, const QString& file) const {
        return TestSupport::runProgram(QStringLiteral(TOPAZ_BIN_DIR "/zelgor"),
                                       {"--bin", dir.path(), exportName, file},
                                       path(QStringLiteral("registry.ini")))
            .out.trimmed();
    }
    // A copy of a sample file with byte-level replacements (values changed outside): edits
    // holds pairs of a text and its replacement.
    QString tampered(const QString& sample, const QByteArrayList& edits,
                     const QString& name) const {
        QByteArray content = readAll(sample.startsWith('/') ? sample : kApplications + sample);
        for (qsizetype i = 0; i + 1 < edits.size(); i += 2) {
            if (!content.contains(edits[i])) qFatal("sample lacks %s", edits[i].constData());
            content.replace(edits[i], edits[i + 1]);
        }
        const QString out = path(name);
        return TestSupport::writeAll(out, content) ? out : QString();
    }
};

QJsonArray validateJson(const Host& host, const QStringList& files, const QStringList& extra = {},
                        const QString& codePage = {}) {
    const Run r = host.topaz(QStringList{"validate", "--json"} + extra + files, codePage);
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8());
    if (!doc.isArray()) qWarning("not JSON: %s %s", qPrintable(r.out), qPrintable(r.err));
    return doc.array();
}

QString u(const char* s) {
    return QString::fromUtf8(s);
}

// The rule of each finding, with its message when asked.
QStringList rules(const QJsonObject& file, bool withMessages = true) {
    QStringList out;
    for (const QJsonValue& f : file.value("findings").toArray())
        out << f.toObject().value("rule").toString() +
                   (withMessages ? u' ' + f.toObject().value("message").toString() : QString());
    return out;
}

} // namespace

class TestValidateFiles : public QObject {
    Q_OBJECT

private slots:
    // Each family of rules broken by its sample, and files written by other copies of the
    // form, which must read as their authors meant: same verdict, checksum as stated. A
    // file that verifies keeps its checksum when saved again (its values unchanged).
    void verdictOfEachFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArrayList>("edits"); // pairs: text, replacement
        QTest::addColumn<QString>("codePage");     // the system's, when not windows-1250
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("intact");
        auto row = [](const char* name, const char* file, const QByteArrayList& edits,
                      const char* codePage, const QStringList& expected, bool intact = true) {
            QTest::newRow(name) << file << edits << codePage << expected << intact;
        };
        const QStringList applicant{
            u("50 Pole \"Nazwa beneficjenta końcowego\" musi być wypełnione"),
            u("58 Pole \"Numer telefonu\" musi być wypełnione")};
        row("complete", "complete.xml", {}, "", {});
        row("the example", TOPAZ_EXAMPLES "/wniosek-przyklad.xml", {}, "", {});
        row("applicant", "applicant-missing.xml", {}, "", applicant);
        row("schedule", "schedule-out-of-order.xml", {}, "",
            {u("35 W polu \"Planowany termin rozpoczęcia rzeczowej realizacji Projektu\" powinna "
               "znajdować się data nie wcześniejsza niż w polu \"Planowany termin rozpoczęcia "
               "realizacji projektu\"")});
        row("finance", "no-finance.xml", {}, "",
            {u("2 Pole \"Profil wydatkowania środków w ramach Projektu - środki publiczne (SUMA)\" "
               "musi zawierać wartość wiekszą od zera"),
             u("3 Pole \"Źródła finansowania projektu - środki publiczne (SUMA)\" musi zawierać "
               "wartość wiekszą od zera")});
        row("procurement", "procurement-missing.xml", {}, "",
            {u("47 Informacja o zamówieniach publicznych jest niekompletna")});
        row("attachments", "attachments-missing.xml", {}, "",
            {u("106.3 Załącznik 7 - Mapy, szkice lokalizacyjne - jest obligatoryjny")});
        // A warning keeps the application valid.
        row("co-financing warning", "cofinancing-warning.xml", {}, "",
            {u("101 Maksimum współfinansowania z Funduszy Strukturalnych przekracza 75% w 2005, "
               "2007 roku.")});
        // An empty special field keeps the value the module gave it.
        row("empty special field", "complete.xml",
            {"dsKW=\"ZALMAPYRT\">T<", "dsKW=\"ZALMAPYRT\"><"}, "", {});
        // Without a date pattern a day-first date is reordered by its shape.
        const QByteArrayList dayFirst{">2004.11.15<", ">15.11.2004<"};
        row("no date pattern", "complete.xml",
            QByteArrayList{" format_daty=\"yyyy.MM.dd\"", ""} + dayFirst, "", {});
        row("empty date pattern", "complete.xml",
            QByteArrayList{"format_daty=\"yyyy.MM.dd\"", "format_daty=\"\""} + dayFirst, "", {});
        // "ß" has no capital in windows-1250: the name counts as written in capitals.
        row("sharp s in capitals", "complete.xml", {">KOWALSKI-\xAF\xD3\xA3TOWSKI<", ">GRO\xDF<"},
            "", {}, false);
        row("Greek mu in capitals", "complete.xml", {">JAN<", ">JAN\xB5<"}, "", {}, false);
        // On a system with another code page the text, its checksum and the letters read
        // as that code page gives them.
        row("ISO-8859-2", "complete.xml", {}, "ISO-8859-2", {});
        row("ISO-8859-2, applicant", "applicant-missing.xml", {}, "ISO-8859-2", applicant);
    }

    void verdictOfEachFile() {
        QFETCH(QString, file);
        QFETCH(QByteArrayList, edits);
        QFETCH(QString, codePage);
        QFETCH(QStringList, expected);
        QFETCH(bool, intact);
        const QString path = host.tampered(file, edits, QStringLiteral("wniosek.xml"));
        const QJsonArray a = validateJson(host, {path}, {}, codePage);
        QCOMPARE(a.size(), 1);
        const QJsonObject o = a.first().toObject();
        QCOMPARE(rules(o), expected);
        // Only the co-financing limit (101) warns.
        const bool warns = expected.size() == 1 && expected[0].startsWith(u"101 ");
        QCOMPARE(o.value("valid").toBool(), expected.isEmpty() || warns);
        QCOMPARE(o.value("warning").toBool(), warns);
        for (const QJsonValue& f : o.value("findings").toArray()) {
            QCOMPARE(f.toObject().value("severity").toString(), warns ? u("warning") : u("error"));
            QVERIFY(!f.toObject().value("control").toString().isEmpty());
        }
        const QJsonObject sum = o.value("checksum").toObject();
        QCOMPARE(sum.value("verified").toBool(), intact);
        if (!intact) return;
        QVERIFY(QRegularExpression("^[0-9a-f]{4}(-[0-9a-f]{4}){3}$")
                    .match(sum.value("stored").toString())
                    .hasMatch());

        // Saved again on the same system, the file is the sample as this module writes it,
        // byte for byte (so it reads as the sample's own row does).
        const QString again = host.path(QStringLiteral("ponownie.xml"));
        QCOMPARE(host.topaz({"resave", path, again}, codePage).exitCode, 0);
        QCOMPARE(readAll(again), readAll(file.startsWith('/') ? file : kApplications + file));
    }

    void plainOutputAndExitCodes() {
        Run r = host.topaz({"validate", kApplications + "cofinancing-warning.xml"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.contains(QString::fromUtf8(": ostrzeżenia: 1")));
        r = host.topaz(
            {"validate", kApplications + "complete.xml", kApplications + "applicant-missing.xml"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.contains(QString::fromUtf8("applicant-missing.xml: błędy: 2")));
        QVERIFY(r.out.contains(QString::fromUtf8("[50] Pole \"Nazwa beneficjenta końcowego\" musi "
                                                 "być wypełnione (dsBeneficjent.Nazwa)")));
        r = host.topaz({"validate", host.path("brak.xml")});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains(QStringLiteral("brak.xml")));
    }

    void threadsGiveTheSameAnswers() {
        QStringList files;
        for (const QString& f : QDir(kApplications).entryList({"*.xml"}))
            files << kApplications + f << kApplications + f;
        const QJsonArray one = validateJson(host, files);
        const QJsonArray two = validateJson(host, files, {"-j", "2"});
        QCOMPARE(one.size(), files.size());
        QCOMPARE(two, one);
    }

    void exportsCombineChecksumAndValidation() {
        const QString valid = kApplications + "complete.xml";
        const QString invalid = kApplications + "applicant-missing.xml";
        QCOMPARE(host.zelgor("SilentValidate_", valid), QStringLiteral("1"));
        QCOMPARE(host.zelgor("SilentValidate_", kApplications + "cofinancing-warning.xml"),
                 QStringLiteral("1"));
        QCOMPARE(host.zelgor("SilentValidate_", invalid), QStringLiteral("0"));
        QCOMPARE(host.zelgor("SilentValCrcCheck_", valid), QStringLiteral("1"));
        QCOMPARE(host.zelgor("SilentValCrcCheck_", invalid), QStringLiteral("2"));
        // A value changed outside the module that keeps the application valid, and one that
        // breaks it: the checksum fails in both.
        const QString tamperedValid = host.tampered(
            "complete.xml",
            {"dsK=\"typ_projektu\" nrW=\"1\">N<", "dsK=\"typ_projektu\" nrW=\"1\">T<"},
            "poprawny.xml");
        QCOMPARE(host.zelgor("SilentValCrcCheck_", tamperedValid), QStringLiteral("3"));
        const QString tamperedInvalid = host.tampered(
            "complete.xml", {"dsK=\"adr_nr\" nrW=\"1\">1<", "dsK=\"adr_nr\" nrW=\"1\"><"},
            "bledny.xml");
        QCOMPARE(host.zelgor("SilentValCrcCheck_", tamperedInvalid), QStringLiteral("0"));
        QCOMPARE(host.zelgor("SprawdzSume_", tamperedInvalid), QStringLiteral("0"));
        // The command line agrees with the export.
        const QJsonObject o = validateJson(host, {tamperedValid}).first().toObject();
        QVERIFY(o.value("valid").toBool());
        QVERIFY(!o.value("checksum").toObject().value("verified").toBool());
        // Another module version is not held to its checksum: 1 or 2 only.
        const QString otherVersion = host.tampered(
            "complete.xml", {"wersja=\"1.0.0.0\"", "wersja=\"0.9.0.0\""}, "inna-wersja.xml");
        QCOMPARE(host.zelgor("SilentValCrcCheck_", otherVersion), QStringLiteral("1"));
    }

    void damagedFile() {
        const QString file = host.path(QStringLiteral("uszkodzony.xml"));
        QVERIFY(TestSupport::writeAll(
            file, "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<WNIOSEK><DANE><TABELA"));
        const QJsonObject o = validateJson(host, {file}).first().toObject();
        QVERIFY(!o.value("loaded").toBool());
        QVERIFY(!o.value("valid").toBool());
        QVERIFY(o.value("checksum").toObject().value("verified").toBool()); // not held to it
        QCOMPARE(host.zelgor("SilentValCrcCheck_", file), QStringLiteral("2"));
    }

private:
    Host host;
};

QTEST_GUILESS_MAIN(TestValidateFiles)
#include "tst_validate_files.moc"
