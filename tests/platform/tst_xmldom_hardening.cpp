// Hostile and broken input must be refused quickly, without crashing, without
// reading anything outside the document, and always with "Parser error" in the
// message (that phrase is how damaged files are recognised).

#include "platform/xmldom/xmldocument.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

QString fixture(const QString& name) {
    return QStringLiteral(TOPAZ_TEST_DATA "/xml/") + name;
}

// A hostile document must be refused long before it could exhaust time or memory; the
// bound is generous because the suite also runs under the sanitizers on a busy machine.
constexpr qint64 kQuickRefusalMs = 10000;

// Runs the parse, expects an XmlError and returns its text.
template <typename Parse> QString refusal(Parse parse, qint64* elapsedMs) {
    QElapsedTimer timer;
    timer.start();
    try {
        parse();
    } catch (const XmlError& e) {
        *elapsedMs = timer.elapsed();
        return QString::fromStdString(e.what());
    }
    *elapsedMs = timer.elapsed();
    return {};
}

QByteArray deepNesting(int depth) {
    QByteArray data;
    data.reserve(depth * 7);
    for (int i = 0; i < depth; ++i)
        data += "<a>";
    for (int i = 0; i < depth; ++i)
        data += "</a>";
    return data;
}

} // namespace

class TestXmlDomHardening : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void hostileFilesAreRefused_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("reason"); // our own refusal text, or empty for the library's

        auto row = [](const char* name, const QString& file, const char* reason) {
            QTest::newRow(name) << (file.startsWith(u'/') ? file : fixture(file)) << reason;
        };
        row("billion laughs", "billion_laughs.xml", "Entity declarations are not allowed: lol");
        row("external entity", "external_entity.xml", "Entity declarations are not allowed: xxe");
        row("external parameter entity", "external_parameter_entity.xml",
            "Entity declarations are not allowed: ext");
        row("network entity", "network_entity.xml", "Entity declarations are not allowed: net");
        row("undeclared entity, external DTD", "undeclared_entity_external_dtd.xml", "nbsp");
        row("undeclared entity in attribute", "undeclared_entity_in_attribute.xml", "");
        row("truncated", "truncated.xml", "");
        row("not XML", "not_xml.xml", "");
        row("empty", "empty.xml", "");
        row("tag mismatch", "tag_mismatch.xml", "");
        row("two roots", "two_roots.xml", "");
        // Files are read in chunks, so the library's 10 MB limit on one text node holds.
        const QString huge = dir_.filePath(u"huge.xml"_s);
        QFile file(huge);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<a>" + QByteArray(11'000'000, 'x') + "</a>");
        file.close();
        row("huge text node", huge, "");
    }

    void hostileFilesAreRefused() {
        QFETCH(QString, file);
        QFETCH(QString, reason);

        qint64 ms = 0;
        const QString message = refusal([&] { XmlDocument::parseFile(file); }, &ms);
        QVERIFY2(message.contains(u"Parser error"_s), qPrintable(message));
        QVERIFY2(message.contains(file), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QVERIFY2(!message.contains(u"root:"_s), "content of /etc/passwd leaked into the message");
        QVERIFY2(ms < kQuickRefusalMs, qPrintable(u"%1 ms"_s.arg(ms)));
    }

    void hostileMemoryIsRefused_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("reason");

        QTest::newRow("100000 levels deep") << deepNesting(100000) << "";
        // The library's default limits, which XML_PARSE_HUGE would lift.
        QTest::newRow("1000 levels deep") << deepNesting(1000) << "";
        QTest::newRow("11 MB attribute value") << "<a b=\"" + QByteArray(11'000'000, 'x') + "\"/>"
                                               << "";
        QTest::newRow("60000-character name") << "<" + QByteArray(60'000, 'x') + "/>"
                                              << "";
        QTest::newRow("no bytes") << QByteArray() << "";
        QTest::newRow("only a declaration") << QByteArray("<?xml version=\"1.0\"?>\n") << "";
        QTest::newRow("unparsed entity")
            << QByteArray("<!DOCTYPE a [<!NOTATION n SYSTEM \"n\">"
                          "<!ENTITY u SYSTEM \"file:///etc/passwd\" NDATA n>]><a/>")
            << "Entity declarations are not allowed: u";
        QTest::newRow("unknown encoding")
            << QByteArray("<?xml version=\"1.0\" encoding=\"x-no-such\"?><a/>") << "";
        QTest::newRow("bytes not in the declared encoding")
            << QByteArray("<?xml version=\"1.0\"?><a>\xff\xfe</a>") << "";
        QTest::newRow("undefined namespace prefix") << QByteArray("<p:a/>") << "";
    }

    void hostileMemoryIsRefused() {
        QFETCH(QByteArray, data);
        QFETCH(QString, reason);

        qint64 ms = 0;
        const QString message = refusal([&] { XmlDocument::parseMemory(data); }, &ms);
        QVERIFY2(message.startsWith(u"Parser error: "_s), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QVERIFY2(ms < kQuickRefusalMs, qPrintable(u"%1 ms"_s.arg(ms)));
    }

    void externalSubsetIsNeverLoaded() {
        // The DOCTYPE names /etc/passwd as its DTD: the document is fine, the DTD unread.
        const XmlDocument doc = XmlDocument::parseFile(fixture("external_dtd_only.xml"));
        QCOMPARE(doc.root().name(), u"WNIOSEK"_s);
        QCOMPARE(doc.root().text(), u"b"_s);
        QVERIFY(!doc.toBytes().contains("root:"));
    }

    void predefinedEntitiesAndCharacterReferencesStillWork() {
        const XmlDocument doc = XmlDocument::parseMemory(
            "<!DOCTYPE a [<!ELEMENT a (#PCDATA)>]>"
            "<a b=\"&lt;&amp;&quot;&apos;&gt;\">&lt;&amp;&quot;&apos;&gt;&#x17C;&#380;&#13;</a>");
        QCOMPARE(doc.root().attribute("b"), u"<&\"'>"_s);
        QCOMPARE(doc.root().text(), u"<&\"'>żż\r"_s);
    }

    void unreadableFileIsNotAParserError_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << fixture("no_such_file.xml");
        QTest::newRow("directory") << QStringLiteral(TOPAZ_TEST_DATA "/xml");
    }

    void unreadableFileIsNotAParserError() {
        QFETCH(QString, path);
        qint64 ms = 0;
        const QString message = refusal([&] { XmlDocument::parseFile(path); }, &ms);
        QVERIFY2(!message.isEmpty(), "no XmlError");
        QVERIFY2(!message.contains(u"Parser error"_s), qPrintable(message));
        QVERIFY2(message.contains(path), qPrintable(message));
    }

    void errorsStayWithTheirOwnThread() {
        // Good and bad documents parsed at once: each thread must see exactly its own
        // outcome and its own line number.
        constexpr int threads = 4;
        constexpr int rounds = 25;
        std::atomic<int> wrong{0};
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t) {
            workers.emplace_back([t, &wrong] {
                const int badLine = 2 + t;
                QByteArray bad = "<a>";
                for (int i = 1; i < badLine; ++i)
                    bad += '\n';
                bad += "</b>";
                const QByteArray good = "<a n=\"" + QByteArray::number(t) + "\"><b/></a>";
                for (int r = 0; r < rounds; ++r) {
                    try {
                        XmlDocument::parseMemory(bad);
                        ++wrong;
                    } catch (const XmlError& e) {
                        if (!QString::fromStdString(e.what()).contains(u"(line %1"_s.arg(badLine)))
                            ++wrong;
                    }
                    try {
                        const XmlDocument doc = XmlDocument::parseMemory(good);
                        if (doc.root().attribute("n") != QString::number(t)) ++wrong;
                    } catch (const XmlError&) {
                        ++wrong;
                    }
                }
            });
        }
        for (std::thread& w : workers)
            w.join();
        QCOMPARE(wrong.load(), 0);
    }
};

QTEST_GUILESS_MAIN(TestXmlDomHardening)
#include "tst_xmldom_hardening.moc"
