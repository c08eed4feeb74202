// The DOM over libxml2: values that survive saving and parsing back (windows-1250 against
// the C library's iconv); hostile and broken input refused quickly, without reading outside
// the document and with "Parser error" in the message (how damaged files are recognised);
// the declaration rewrite used where the system code page is not windows-1250.

#include "platform/xmldom/declarationrewrite.h"
#include "platform/xmldom/xmldocument.h"
#include "tests/test_support.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <iconv.h>
#include <iterator>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

using Lines = QList<QByteArray>;
using TestSupport::readAll;
using TestSupport::writeAll;

namespace {

QByteArray iconvConvert(const char* to, const char* from, QByteArray in) {
    iconv_t cd = iconv_open(to, from);
    QByteArray out(in.size() * 4 + 4, '\0');
    char* src = in.data();
    char* dst = out.data();
    size_t srcLeft = size_t(in.size()), dstLeft = size_t(out.size());
    const bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1);
    iconv_close(cd);
    return ok ? out.left(out.size() - qsizetype(dstLeft)) : QByteArray();
}

const QByteArray kHead = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<a>";

QString fixture(const char* name) {
    return QStringLiteral(TOPAZ_TEST_DATA "/xml/") + QLatin1String(name);
}

// The text of the XmlError that `run` throws, empty when it throws none.
template <typename Run> QString errorText(Run run) {
    try {
        run();
    } catch (const XmlError& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

QByteArray deepNesting(int depth) {
    return QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth);
}

} // namespace

class TestXmlDom : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    // Values saved and parsed back unchanged; pasted control characters, which would make the
    // file unreadable, are dropped.
    void valuesSurviveSaveAndParse_data() {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("read");
        const QList<std::tuple<const char*, QString, QString>> values{
            {"lone CR", u"a\rb"_s, u"a\rb"_s},
            {"only line breaks", u"\r\n\r\n\n"_s, u"\r\n\r\n\n"_s},
            {"tab and edge spaces", u"  a\tb  "_s, u"  a\tb  "_s},
            {"Polish with breaks", u"zażółć\r\ngęślą\njaźń\r\n"_s, u"zażółć\r\ngęślą\njaźń\r\n"_s},
            {"markup characters", u"<a href=\"x\">&amp; 'q' ]]> </a>"_s,
             u"<a href=\"x\">&amp; 'q' ]]> </a>"_s},
            {"euro sign", u"100 €"_s, u"100 €"_s},
            {"outside windows-1250", u"Ωλ 漢字"_s, u"Ωλ 漢字"_s},
            {"control characters", u"a\u000Bb\u0001c\u000C\td\uFFFF"_s, u"abc\td"_s},
        };
        for (const char* encoding : {"windows-1250", "UTF-8"})
            for (const auto& [label, value, read] : values)
                QTest::addRow("%s, %s", encoding, label) << encoding << value << read;
    }

    void valuesSurviveSaveAndParse() {
        QFETCH(QString, encoding);
        QFETCH(QString, value);
        QFETCH(QString, read);
        XmlDocument doc = XmlDocument::create();
        XmlElement row = doc.setRoot("WNIOSEK").appendElement("ATRYBUT");
        row.setAttribute("nazwa", value);
        row.setText(value);
        // The element after it must come through untouched as well.
        doc.root().appendElement("NASTEPNY").setText(u"x"_s);
        doc.saveFile(dir_.filePath(u"w.xml"_s), encoding);
        const XmlDocument back = XmlDocument::parseFile(dir_.filePath(u"w.xml"_s));
        QCOMPARE(back.encoding(), encoding);
        QCOMPARE(back.root().firstChildElement("ATRYBUT").text(), read);
        QCOMPARE(back.root().firstChildElement("ATRYBUT").attribute("nazwa"), read);
        QCOMPARE(back.root().firstChildElement("NASTEPNY").text(), u"x"_s);
        // A text converted once and written many times comes out alike.
        const XmlText once(value);
        row.setAttribute("k", once);
        row.setText(once);
        QCOMPARE(row.attribute("k"), read);
        QCOMPARE(row.text(), read);
    }

    // With data elements named, white space alone is layout outside them and dropped;
    // inside them, at any depth, every text stays.
    void layoutDroppedOutsideDataElements_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("text");  // all text of the root
        QTest::addColumn<int>("rootNodes"); // children of the root, text nodes included
        QTest::addColumn<int>("rootNodesKeepingAll");

        QTest::newRow("indentation")
            << QByteArray("<R>\n  <V>a</V>\n  <W>\n    <X/>\n  </W>\n</R>") << u"a"_s << 2 << 5;
        QTest::newRow("white space as a value")
            << QByteArray("<R>\n <V> \r\n </V>\n</R>") << u" \n "_s << 1 << 3;
        QTest::newRow("below a data element")
            << QByteArray("<R><V> <b> </b> <![CDATA[ ]]><!-- c --> </V></R>") << u"     "_s << 1
            << 1;
        QTest::newRow("text that is not only white space")
            << QByteArray("<R> x <V/>\n</R>") << u" x "_s << 2 << 3;
        QTest::newRow("white space split by a reference")
            << QByteArray("<R> &#32; <V/></R>") << QString() << 1 << 2;
    }

    void layoutDroppedOutsideDataElements() {
        QFETCH(QByteArray, xml);
        QFETCH(QString, text);
        QFETCH(int, rootNodes);
        QFETCH(int, rootNodesKeepingAll);
        auto count = [](const XmlElement& e) {
            const XmlChildNodes nodes = e.childNodes();
            return int(std::distance(nodes.begin(), nodes.end()));
        };
        const XmlDocument doc = XmlDocument::parseMemory(xml, {{"V", "POLE"}});
        QCOMPARE(doc.root().text(), text);
        QCOMPARE(count(doc.root()), rootNodes);
        QCOMPARE(count(XmlDocument::parseMemory(xml).root()), rootNodesKeepingAll);
    }

    void textAndAttributeEdges() {
        const XmlDocument doc = XmlDocument::parseMemory(
            "<R e='' x='1'><M>a<i>b</i>c</M><E/><N>  </N><ns:P xmlns:ns='urn:x' ns:k='v'/></R>");
        const XmlElement root = doc.root();
        QVERIFY(root.hasAttribute("e"));
        QVERIFY(root.attribute("e").isEmpty());
        QVERIFY(!root.hasAttribute("X"));
        QVERIFY(root.attribute("missing").isNull());
        QCOMPARE(root.firstChildElement("M").text(), u"abc"_s);
        QVERIFY(root.firstChildElement("E").text().isEmpty());
        QCOMPARE(root.firstChildElement("N").text(), u"  "_s);
        // Prefixed names compare as written in the file.
        QVERIFY(root.firstChildElement("P").isNull());
        const XmlElement prefixed = root.firstChildElement("ns:P");
        QCOMPARE(prefixed.name(), u"ns:P"_s);
        QCOMPARE(prefixed.attribute("ns:k"), u"v"_s);
        QVERIFY(!prefixed.hasAttribute("k"));
    }

    void saveFailures() {
        XmlDocument doc = XmlDocument::create();
        doc.setRoot("WNIOSEK");
        QVERIFY_THROWS_EXCEPTION(XmlError, doc.toBytes(u"x-no-such-encoding"_s));
        const QString path = dir_.filePath("brak/wniosek.xml");
        const QString message = errorText([&] { doc.saveFile(path, u"windows-1250"_s); });
        QVERIFY2(message.contains(path), qPrintable(message));
        QVERIFY(!message.contains(u"Parser error"_s));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, doc.root().appendElement("1zla nazwa"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, doc.root().setAttribute("", QString()));
    }

    // ---------------------------------------------------------------- code page

    // Every byte reads as iconv reads it; every character of the code page, and some it lacks
    // (Latin-1 neighbours, a sign beside the euro, one outside the basic plane), writes as
    // iconv writes it and reads back.
    void codePageAsIconvHasIt() {
        QList<char32_t> chars{U'\u00C0', U'\u0100', U'\u20AD', U'\U0001F600'};
        for (int b = 0x20; b < 0x100; ++b) {
            if (b == '<' || b == '&') continue;
            const QByteArray utf8 = iconvConvert("UTF-8", "WINDOWS-1250", QByteArray(1, char(b)));
            QString read;
            try {
                read = XmlDocument::parseMemory(kHead + char(b) + "</a>").root().text();
            } catch (const XmlError&) {
                read = u"(refused)"_s;
            }
            const QString expected = utf8.isEmpty() ? u"(refused)"_s : QString::fromUtf8(utf8);
            QVERIFY2(read == expected, qPrintable(QString::asprintf("byte 0x%02X", b)));
            if (b >= 0x80 && !utf8.isEmpty()) chars << expected.toUcs4().first();
        }
        for (char32_t c : chars) {
            const QString text = QString::fromUcs4(&c, 1);
            XmlDocument doc = XmlDocument::create();
            doc.setRoot("a").setText(text);
            const QByteArray bytes = doc.toBytes(u"windows-1250"_s);
            const QByteArray byIconv = iconvConvert("WINDOWS-1250", "UTF-8", text.toUtf8());
            const QByteArray expected =
                byIconv.isEmpty() ? "&#" + QByteArray::number(uint(c)) + ";" : byIconv;
            QVERIFY2(bytes.contains("<a>" + expected + "</a>"), qPrintable(text));
            QCOMPARE(XmlDocument::parseMemory(bytes).root().text(), text);
        }
    }

    // ---------------------------------------------------------------- hostile input

    // A file (when named) or bytes; the refusal's reason (our own text, or empty for the
    // library's), and whether it is a parser error at all (an unreadable file is not).
    void refusals_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("parserError");
        auto file = [](const char* name, const QString& path, const char* reason = "",
                       bool parserError = true) {
            QTest::newRow(name) << path << QByteArray() << reason << parserError;
        };
        auto bytes = [](const char* name, const QByteArray& data, const char* reason = "") {
            QTest::newRow(name) << QString() << data << reason << true;
        };
        for (const auto& [name, entity] :
             {std::pair{"billion_laughs", "lol"}, std::pair{"external_entity", "xxe"},
              std::pair{"external_parameter_entity", "ext"}, std::pair{"network_entity", "net"}})
            file(name, fixture(name) + u".xml"_s,
                 qPrintable(u"Entity declarations are not allowed: "_s + QLatin1String(entity)));
        file("undeclared entity, external DTD", fixture("undeclared_entity_external_dtd.xml"),
             "nbsp");
        for (const char* name : {"undeclared_entity_in_attribute", "truncated", "not_xml", "empty",
                                 "tag_mismatch", "two_roots"})
            file(name, fixture(name) + u".xml"_s);
        // Files are read in chunks, so the library's 10 MB limit on one text node holds.
        const QString huge = dir_.filePath(u"huge.xml"_s);
        QVERIFY(writeAll(huge, "<a>" + QByteArray(11'000'000, 'x') + "</a>"));
        file("huge text node", huge);
        file("missing file", fixture("no_such_file.xml"), "", false);
        file("directory", QStringLiteral(TOPAZ_TEST_DATA "/xml"), "", false);
        bytes("100000 levels deep", deepNesting(100000));
        // The library's default limits, which XML_PARSE_HUGE would lift.
        bytes("1000 levels deep", deepNesting(1000));
        bytes("11 MB attribute value", "<a b=\"" + QByteArray(11'000'000, 'x') + "\"/>");
        bytes("60000-character name", "<" + QByteArray(60'000, 'x') + "/>");
        bytes("no bytes", QByteArray());
        bytes("only a declaration", "<?xml version=\"1.0\"?>\n");
        bytes("unparsed entity",
              "<!DOCTYPE a [<!NOTATION n SYSTEM \"n\">"
              "<!ENTITY u SYSTEM \"file:///etc/passwd\" NDATA n>]><a/>",
              "Entity declarations are not allowed: u");
        bytes("unknown encoding", "<?xml version=\"1.0\" encoding=\"x-no-such\"?><a/>");
        bytes("bytes not in the declared encoding", "<?xml version=\"1.0\"?><a>\xff\xfe</a>");
        bytes("undefined namespace prefix", "<p:a/>");
    }
    void refusals() {
        QFETCH(QString, file);
        QFETCH(QByteArray, data);
        QFETCH(QString, reason);
        QFETCH(bool, parserError);
        QElapsedTimer timer;
        timer.start();
        const QString message = errorText([&] {
            file.isEmpty() ? XmlDocument::parseMemory(data) : XmlDocument::parseFile(file);
        });
        // Refused long before time or memory could run out; the bound is generous because
        // the suite also runs under the sanitizers on a busy machine.
        QVERIFY2(timer.elapsed() < 10000, qPrintable(u"%1 ms"_s.arg(timer.elapsed())));
        QVERIFY2(!message.isEmpty(), "no XmlError");
        QVERIFY2(message.contains(u"Parser error"_s) == parserError, qPrintable(message));
        QVERIFY2(message.contains(file) && message.contains(reason), qPrintable(message));
        QVERIFY2(!message.contains(u"root:"_s), "content of /etc/passwd leaked into the message");
    }

    // A DOCTYPE without entity declarations is accepted: a DTD it names (/etc/passwd here) is
    // never read, and predefined entities and character references still work.
    void doctypeWithoutEntities() {
        const XmlDocument doc = XmlDocument::parseFile(fixture("external_dtd_only.xml"));
        QCOMPARE(doc.root().name(), u"WNIOSEK"_s);
        QCOMPARE(doc.root().text(), u"b"_s);
        QVERIFY(!doc.toBytes().contains("root:"));
        const XmlDocument refs = XmlDocument::parseMemory(
            "<!DOCTYPE a [<!ELEMENT a (#PCDATA)>]>"
            "<a b=\"&lt;&amp;&quot;&apos;&gt;\">&lt;&amp;&quot;&apos;&gt;&#x17C;&#380;&#13;</a>");
        QCOMPARE(refs.root().attribute("b"), u"<&\"'>"_s);
        QCOMPARE(refs.root().text(), u"<&\"'>żż\r"_s);
    }

    void errorsStayWithTheirOwnThread() {
        // Good and bad documents parsed at once: each thread must see exactly its own
        // outcome and its own line number.
        std::atomic<int> wrong{0};
        std::vector<std::thread> workers;
        for (int t = 0; t < 4; ++t) {
            workers.emplace_back([t, &wrong] {
                const QByteArray bad = "<a>" + QByteArray(t + 1, '\n') + "</b>"; // on line t + 2
                const QByteArray good = "<a n=\"" + QByteArray::number(t) + "\"><b/></a>";
                for (int r = 0; r < 25; ++r) {
                    const QString error = errorText([&] { XmlDocument::parseMemory(bad); });
                    if (!error.contains(u"(line %1"_s.arg(t + 2))) ++wrong;
                    QString n; // stays empty when the good document is refused
                    errorText([&] { n = XmlDocument::parseMemory(good).root().attribute("n"); });
                    if (n != QString::number(t)) ++wrong;
                }
            });
        }
        for (std::thread& w : workers)
            w.join();
        QCOMPARE(wrong.load(), 0);
    }

    // ---------------------------------------------------------------- declaration rewrite

    // Lines given joined by "\n".
    void rewritesDeclaration_data() {
        QTest::addColumn<Lines>("input");
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<Lines>("expected");
        auto row = [](const char* name, const char* input, const char* encoding,
                      const char* expected) {
            auto lines = [](const char* s) { return *s ? QByteArray(s).split('\n') : Lines{}; };
            QTest::newRow(name) << lines(input) << QByteArray(encoding) << lines(expected);
        };
        row("normal", "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n<WNIOSEK>\n</WNIOSEK>",
            "ISO-8859-2", "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>\n<WNIOSEK>\n</WNIOSEK>");
        row("upper-case declaration", "<?XML VERSION=\"1.0\" ENCODING=\"WINDOWS-1250\"?>\n<W/>",
            "UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<W/>");
        row("mixed-case declaration, indented", "  <?Xml version=\"1.0\"?>\n<SLOWNIKI>", "UTF-8",
            "  <?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SLOWNIKI>");
        row("declaration and root on one line",
            "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?><WNIOSEK>\n</WNIOSEK>", "windows-1250",
            "<?xml version=\"1.0\" encoding=\"windows-1250\"?><WNIOSEK>\n</WNIOSEK>");
        row("one line, root found upper-cased", "<?xml version=\"1.0\"?><wniosek/>", "UTF-8",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><wniosek/>");
        row("declaration on a later line", "\n<?xml version=\"1.0\"?>\n<SLOWNIKI wersja=\"3.12\">",
            "UTF-8", "\n<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SLOWNIKI wersja=\"3.12\">");
        // Without a declaration the head goes in front of the root's own ">", which leaves a
        // document that no longer parses: such a file counts as damaged.
        row("no declaration", "<WNIOSEK>\n<DANE/>\n</WNIOSEK>", "UTF-8",
            "<WNIOSEK<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DANE/>\n</WNIOSEK>");
        row("declaration after the root line is not searched", "<WNIOSEK>\n<?xml version=\"1.0\"?>",
            "UTF-8", "<WNIOSEK<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<?xml version=\"1.0\"?>");
        row("nothing to close a declaration", "abc\n", "UTF-8", "abc\n");
        row("no lines", "", "UTF-8", "");
    }

    void rewritesDeclaration() {
        QFETCH(Lines, input);
        QFETCH(QByteArray, encoding);
        QFETCH(Lines, expected);

        rewriteDeclaration(input, encoding);
        QCOMPARE(input, expected);
    }

    void splitsLines_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<Lines>("lines");

        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << Lines{"a", "b"};
        QTest::newRow("LF, no final break") << QByteArray("a\nb") << Lines{"a", "b"};
        QTest::newRow("empty lines kept")
            << QByteArray("a\n\n\r\n\rb") << Lines{"a", "", "", "", "b"};
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << Lines{"a", "", "b"};
        QTest::newRow("nothing") << QByteArray() << Lines{};
        QTest::newRow("windows-1250 bytes untouched")
            << QByteArray("\xbf\xf3\xb3\xe6\r\n\x9c") << Lines{"\xbf\xf3\xb3\xe6", "\x9c"};
    }

    void splitsLines() {
        QFETCH(QByteArray, data);
        QFETCH(Lines, lines);
        QCOMPARE(splitLines(data), lines);
        // Joining puts one LF after every line, so a split of the join gives the lines back.
        QCOMPARE(splitLines(joinLines(lines)), lines);
    }

    void fileFailuresReportFalse() {
        QTemporaryDir dir;
        const QString source = dir.filePath("a.xml");
        QVERIFY(writeAll(source, "<?xml version=\"1.0\"?>\n<a/>\n"));

        QVERIFY(
            !rewriteDeclarationFile(dir.filePath("missing.xml"), dir.filePath("b.xml"), "UTF-8"));
        QVERIFY(!QFile::exists(dir.filePath("b.xml")));
        QVERIFY(!rewriteDeclarationFile(source, dir.filePath("no/such/folder/b.xml"), "UTF-8"));
        // A failed write leaves the source as it was.
        QCOMPARE(readAll(source), QByteArray("<?xml version=\"1.0\"?>\n<a/>\n"));
    }
};

QTEST_GUILESS_MAIN(TestXmlDom)
#include "tst_xmldom.moc"
