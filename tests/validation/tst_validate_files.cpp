// Validation of whole application files from outside, as institutions run it: topaz_q
// validate and the module's silent exports on the sample files of tests/data.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kApplications = QStringLiteral(TOPAZ_TEST_DATA "/applications/");

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

class Host {
public:
    Host() {
        QDir(dir_.path()).mkpath(QStringLiteral("wn_typy"));
        QFile::link(QStringLiteral(TOPAZ_BIN_DIR "/wn_typy/TOPAZ_Q.so"),
                    dir_.filePath(QStringLiteral("wn_typy/TOPAZ_Q.so")));
        QFile::copy(QStringLiteral(TOPAZ_EXAMPLES "/slowniki.xml"),
                    dir_.filePath(QStringLiteral("slowniki.xml")));
    }
    QString path(const QString& name) const { return dir_.filePath(name); }
    Run run(const QString& program, const QStringList& args) const {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZELGR_REGISTRY"), dir_.filePath(QStringLiteral("registry.ini")));
        p.setProcessEnvironment(env);
        p.start(program, args);
        p.waitForFinished(120000);
        return {p.exitCode(), p.readAllStandardOutput(),
                QString::fromUtf8(p.readAllStandardError())};
    }
    Run topaz(QStringList args) const {
        args.insert(1, QStringLiteral("--bin"));
        args.insert(2, dir_.path());
        return run(QStringLiteral(TOPAZ_BIN_DIR "/topaz_q"), args);
    }
    QString zelgor(const QString& exportName, const QString& file) const {
        return QString::fromUtf8(run(QStringLiteral(TOPAZ_BIN_DIR "/zelgor"),
                                     {"--bin", dir_.path(), exportName, file})
                                     .out)
            .trimmed();
    }
    // A copy of a sample file with one byte-level replacement (a value changed outside).
    QString tampered(const QString& sample, const QByteArray& from, const QByteArray& to,
                     const QString& name) const {
        QFile in(kApplications + sample);
        in.open(QIODevice::ReadOnly);
        QByteArray content = in.readAll();
        if (!content.contains(from)) qFatal("sample lacks %s", from.constData());
        content.replace(from, to);
        const QString out = path(name);
        QFile f(out);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return out;
    }

private:
    QTemporaryDir dir_;
};

QJsonArray validateJson(const Host& host, const QStringList& files, const QStringList& extra = {}) {
    const Run r = host.topaz(QStringList{"validate", "--json"} + extra + files);
    const QJsonDocument doc = QJsonDocument::fromJson(r.out);
    if (!doc.isArray()) qWarning("not JSON: %s %s", r.out.constData(), qPrintable(r.err));
    return doc.array();
}

QStringList rules(const QJsonObject& file) {
    QStringList out;
    for (const QJsonValue& f : file.value("findings").toArray())
        out << f.toObject().value("rule").toString();
    return out;
}

} // namespace

class TestValidateFiles : public QObject {
    Q_OBJECT
private slots:
    void completeApplicationPasses();
    void eachFamilyBreaksItsRules_data();
    void eachFamilyBreaksItsRules();
    void cofinancingWarningKeepsTheApplicationValid();
    void emptyApplicationFindingsInRuleOrder();
    void plainOutputAndExitCodes();
    void threadsGiveTheSameAnswers();
    void exportsCombineChecksumAndValidation();
    void damagedFile();
};

void TestValidateFiles::completeApplicationPasses() {
    Host host;
    const QJsonArray a =
        validateJson(host, {kApplications + "complete.xml",
                            QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml")});
    QCOMPARE(a.size(), 2);
    for (const QJsonValue& v : a) {
        const QJsonObject o = v.toObject();
        QVERIFY(o.value("loaded").toBool());
        QVERIFY(o.value("valid").toBool());
        QVERIFY(!o.value("warning").toBool());
        QVERIFY(o.value("findings").toArray().isEmpty());
        const QJsonObject sum = o.value("checksum").toObject();
        QVERIFY(sum.value("verified").toBool());
        QCOMPARE(sum.value("stored").toString(), sum.value("computed").toString());
        QVERIFY(QRegularExpression("^[0-9a-f]{4}(-[0-9a-f]{4}){3}$")
                    .match(sum.value("stored").toString())
                    .hasMatch());
    }
}

void TestValidateFiles::eachFamilyBreaksItsRules_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("applicant") << "applicant-missing.xml" << QStringList{"50", "58"};
    QTest::newRow("schedule") << "schedule-out-of-order.xml" << QStringList{"35"};
    QTest::newRow("finance") << "no-finance.xml" << QStringList{"2", "3"};
    QTest::newRow("procurement") << "procurement-missing.xml" << QStringList{"47"};
    QTest::newRow("attachments") << "attachments-missing.xml" << QStringList{"106.3"};
}

void TestValidateFiles::eachFamilyBreaksItsRules() {
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    Host host;
    const QJsonArray a = validateJson(host, {kApplications + file});
    QCOMPARE(a.size(), 1);
    const QJsonObject o = a.first().toObject();
    QVERIFY(!o.value("valid").toBool());
    QCOMPARE(rules(o), expected);
    for (const QJsonValue& f : o.value("findings").toArray()) {
        QCOMPARE(f.toObject().value("severity").toString(), QStringLiteral("error"));
        QVERIFY(!f.toObject().value("control").toString().isEmpty());
    }
}

void TestValidateFiles::cofinancingWarningKeepsTheApplicationValid() {
    Host host;
    const QJsonArray a = validateJson(host, {kApplications + "cofinancing-warning.xml"});
    const QJsonObject o = a.first().toObject();
    QVERIFY(o.value("valid").toBool());
    QVERIFY(o.value("warning").toBool());
    const QJsonArray findings = o.value("findings").toArray();
    QCOMPARE(findings.size(), 1);
    const QJsonObject f = findings.first().toObject();
    QCOMPARE(f.value("rule").toString(), QStringLiteral("101"));
    QCOMPARE(f.value("severity").toString(), QStringLiteral("warning"));
    QCOMPARE(f.value("message").toString(),
             QString::fromUtf8("Maksimum współfinansowania z Funduszy Strukturalnych przekracza "
                               "75% w 2005, 2007 roku."));
    QCOMPARE(host.zelgor("SilentValidate_", kApplications + "cofinancing-warning.xml"),
             QStringLiteral("1"));
}

void TestValidateFiles::emptyApplicationFindingsInRuleOrder() {
    Host host;
    const QString file = host.path(QStringLiteral("pusty.xml"));
    QCOMPARE(host.topaz({"new", file}).exitCode, 0);
    const QJsonObject o = validateJson(host, {file}).first().toObject();
    QVERIFY(!o.value("valid").toBool());
    const QStringList found = rules(o);
    QVERIFY(found.size() > 50);
    auto ordinal = [](const QString& n) {
        return QStringView(n)
            .left(n.indexOf(QRegularExpression("[^0-9]")) < 0
                      ? n.size()
                      : n.indexOf(QRegularExpression("[^0-9]")))
            .toInt();
    };
    for (qsizetype i = 1; i < found.size(); ++i)
        QVERIFY2(ordinal(found[i - 1]) <= ordinal(found[i]), qPrintable(found.join(',')));
    // Rule 1 passes: the project type is blank. The required fields of every section fail.
    QVERIFY(!found.contains("1"));
    for (const char* r : {"5", "8", "9", "25", "50", "79", "85", "106.1"})
        QVERIFY2(found.contains(r), r);
    QCOMPARE(o.value("findings").toArray().first().toObject().value("message").toString(),
             QString::fromUtf8("Pole \"Profil wydatkowania środków w ramach Projektu - środki "
                               "publiczne (SUMA)\" musi zawierać wartość wiekszą od zera"));
}

void TestValidateFiles::plainOutputAndExitCodes() {
    Host host;
    Run r = host.topaz({"validate", kApplications + "complete.xml"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(QString::fromUtf8(r.out).startsWith(kApplications + "complete.xml: poprawny"));
    r = host.topaz({"validate", kApplications + "cofinancing-warning.xml"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(QString::fromUtf8(r.out).contains(QString::fromUtf8(": ostrzeżenia: 1")));
    r = host.topaz(
        {"validate", kApplications + "complete.xml", kApplications + "applicant-missing.xml"});
    QCOMPARE(r.exitCode, 1);
    const QString out = QString::fromUtf8(r.out);
    QVERIFY(out.contains(QString::fromUtf8("applicant-missing.xml: błędy: 2")));
    QVERIFY(out.contains(QString::fromUtf8(
        "[50] Pole \"Nazwa beneficjenta końcowego\" musi być wypełnione (dsBeneficjent.Nazwa)")));
    r = host.topaz({"validate", host.path("brak.xml")});
    QCOMPARE(r.exitCode, 2);
    QVERIFY(r.err.contains(QStringLiteral("brak.xml")));
    QCOMPARE(host.topaz({"validate", "-j", "0", kApplications + "complete.xml"}).exitCode, 2);
}

void TestValidateFiles::threadsGiveTheSameAnswers() {
    Host host;
    QStringList files;
    for (const char* f :
         {"complete.xml", "applicant-missing.xml", "no-finance.xml", "cofinancing-warning.xml",
          "attachments-missing.xml", "schedule-out-of-order.xml", "procurement-missing.xml"})
        files << kApplications + f << kApplications + f;
    const QJsonArray one = validateJson(host, files);
    const QJsonArray two = validateJson(host, files, {"-j", "2"});
    QCOMPARE(one.size(), files.size());
    QCOMPARE(two, one);
}

void TestValidateFiles::exportsCombineChecksumAndValidation() {
    Host host;
    const QString valid = kApplications + "complete.xml";
    const QString invalid = kApplications + "applicant-missing.xml";
    QCOMPARE(host.zelgor("SilentValidate_", valid), QStringLiteral("1"));
    QCOMPARE(host.zelgor("SilentValidate_", invalid), QStringLiteral("0"));
    QCOMPARE(host.zelgor("SilentValCrcCheck_", valid), QStringLiteral("1"));
    QCOMPARE(host.zelgor("SilentValCrcCheck_", invalid), QStringLiteral("2"));
    // A value changed outside the module that keeps the application valid, and one that
    // breaks it: the checksum fails in both.
    const QString tamperedValid = host.tampered(
        "complete.xml",
        "<ATRYBUT nazwa=\"WNI_TYP_PROJEKTU\" dsN=\"dsWniosek\" dsK=\"typ_projektu\" nrW=\"1\">N<",
        "<ATRYBUT nazwa=\"WNI_TYP_PROJEKTU\" dsN=\"dsWniosek\" dsK=\"typ_projektu\" nrW=\"1\">T<",
        "poprawny.xml");
    QCOMPARE(host.zelgor("SilentValCrcCheck_", tamperedValid), QStringLiteral("3"));
    const QString tamperedInvalid = host.tampered("complete.xml", "dsK=\"adr_nr\" nrW=\"1\">1<",
                                                  "dsK=\"adr_nr\" nrW=\"1\"><", "bledny.xml");
    QCOMPARE(host.zelgor("SilentValCrcCheck_", tamperedInvalid), QStringLiteral("0"));
    QCOMPARE(host.zelgor("SprawdzSume_", tamperedInvalid), QStringLiteral("0"));
    // The command line agrees with the export.
    const QJsonObject o = validateJson(host, {tamperedValid}).first().toObject();
    QVERIFY(o.value("valid").toBool());
    QVERIFY(!o.value("checksum").toObject().value("verified").toBool());
    // Another module version is not held to its checksum: 1 or 2 only.
    const QString otherVersion = host.tampered("complete.xml", "wersja=\"1.0.0.0\"",
                                               "wersja=\"0.9.0.0\"", "inna-wersja.xml");
    QCOMPARE(host.zelgor("SilentValCrcCheck_", otherVersion), QStringLiteral("1"));
}

void TestValidateFiles::damagedFile() {
    Host host;
    const QString file = host.path(QStringLiteral("uszkodzony.xml"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<WNIOSEK><DANE><TABELA");
    f.close();
    const QJsonObject o = validateJson(host, {file}).first().toObject();
    QVERIFY(!o.value("loaded").toBool());
    QVERIFY(!o.value("valid").toBool());
    QVERIFY(o.value("checksum").toObject().value("verified").toBool()); // not held to it
    QCOMPARE(host.zelgor("SilentValCrcCheck_", file), QStringLiteral("2"));
}

QTEST_GUILESS_MAIN(TestValidateFiles)
#include "tst_validate_files.moc"
