// The DOM over libxml2: saving in windows-1250 and parsing back, with the values that
// must survive unchanged (Polish letters, line breaks, markup characters); the declaration
// rewrite used where the system code page is not windows-1250, with the line splitting.

#include "platform/xmldom/declarationrewrite.h"
#include "platform/xmldom/xmldocument.h"
#include "tests/test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <iterator>
#include <stdexcept>

using namespace Qt::StringLiterals;

using Lines = QList<QByteArray>;
using TestSupport::readAll;
using TestSupport::writeAll;

class TestXmlDom : public QObject {
    Q_OBJECT

private slots:

    void valuesSurviveSaveAndParse_data() {
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("value");

        const QStringList encodings{u"windows-1250"_s, u"UTF-8"_s};
        const QList<QPair<const char*, QString>> values{
            {"CR LF inside", u"a\r\nb"_s},
            {"lone CR", u"a\rb"_s},
            {"only line breaks", u"\r\n\r\n\n"_s},
            {"tab and edge spaces", u"  a\tb  "_s},
            {"Polish with breaks", u"zażółć\r\ngęślą\njaźń\r\n"_s},
            {"markup characters", u"<a href=\"x\">&amp; 'q' ]]> </a>"_s},
            {"euro sign", u"100 €"_s},
            {"outside windows-1250", u"Ωλ 漢字"_s},
        };
        for (const QString& encoding : encodings) {
            for (const auto& [label, value] : values)
                QTest::addRow("%s, %s", qPrintable(encoding), label) << encoding << value;
        }
    }

    void valuesSurviveSaveAndParse() {
        QFETCH(QString, encoding);
        QFETCH(QString, value);

        XmlDocument doc = XmlDocument::create();
        XmlElement row = doc.setRoot("WNIOSEK").appendElement("ATRYBUT");
        row.setAttribute("nazwa", value);
        row.setText(value);
        // The element after it must come through untouched as well.
        doc.root().appendElement("NASTEPNY").setText(u"x"_s);

        QTemporaryDir dir;
        doc.saveFile(dir.filePath(u"w.xml"_s), encoding);
        const XmlDocument back = XmlDocument::parseFile(dir.filePath(u"w.xml"_s));
        QCOMPARE(back.encoding(), encoding);
        const XmlElement read = back.root().firstChildElement("ATRYBUT");
        QCOMPARE(read.text(), value);
        QCOMPARE(read.attribute("nazwa"), value);
        QCOMPARE(back.root().firstChildElement("NASTEPNY").text(), u"x"_s);
    }

    void unrepresentableCharactersAreDropped() {
        // Pasted control characters must not make the saved file unreadable.
        XmlDocument doc = XmlDocument::create();
        XmlElement root = doc.setRoot("R");
        const QString pasted = u"a\u000Bb\u0001c\u000C\td\uFFFF"_s;
        root.setAttribute("k", pasted);
        root.setText(pasted);

        const XmlDocument back = XmlDocument::parseMemory(doc.toBytes(u"windows-1250"_s));
        QCOMPARE(back.root().attribute("k"), u"abc\td"_s);
        QCOMPARE(back.root().text(), u"abc\td"_s);

        // A text converted once and written many times is cleaned alike.
        const XmlText once(pasted);
        XmlElement copy = root.appendElement("C");
        copy.setAttribute("k", once);
        copy.setText(once);
        QCOMPARE(copy.attribute("k"), u"abc\td"_s);
        QCOMPARE(copy.text(), u"abc\td"_s);
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

        QTemporaryDir dir;
        const QString path = dir.filePath("brak/wniosek.xml");
        try {
            doc.saveFile(path, u"windows-1250"_s);
            QFAIL("no XmlError");
        } catch (const XmlError& e) {
            const QString message = QString::fromStdString(e.what());
            QVERIFY2(message.contains(path), qPrintable(message));
            QVERIFY(!message.contains(u"Parser error"_s));
        }
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, doc.root().appendElement("1zla nazwa"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, doc.root().setAttribute("", QString()));
    }

    // ---------------------------------------------------------------- declaration rewrite

    void rewritesDeclaration_data() {
        QTest::addColumn<Lines>("input");
        QTest::addColumn<QByteArray>("encoding");
        QTest::addColumn<Lines>("expected");

        QTest::newRow("normal") << Lines{R"(<?xml version="1.0" encoding="windows-1250"?>)",
                                         "<WNIOSEK>", "</WNIOSEK>"}
                                << QByteArray("ISO-8859-2")
                                << Lines{R"(<?xml version="1.0" encoding="ISO-8859-2"?>)",
                                         "<WNIOSEK>", "</WNIOSEK>"};
        QTest::newRow("upper-case declaration")
            << Lines{R"(<?XML VERSION="1.0" ENCODING="WINDOWS-1250"?>)", "<WNIOSEK/>"}
            << QByteArray("UTF-8")
            << Lines{R"(<?xml version="1.0" encoding="UTF-8"?>)", "<WNIOSEK/>"};
        QTest::newRow("mixed-case declaration, indented")
            << Lines{R"(  <?Xml version="1.0"?>)", "<SLOWNIKI>"} << QByteArray("UTF-8")
            << Lines{R"(  <?xml version="1.0" encoding="UTF-8"?>)", "<SLOWNIKI>"};
        QTest::newRow("declaration and root on one line")
            << Lines{R"(<?xml version="1.0" encoding="ISO-8859-2"?><WNIOSEK>)", "</WNIOSEK>"}
            << QByteArray("windows-1250")
            << Lines{R"(<?xml version="1.0" encoding="windows-1250"?><WNIOSEK>)", "</WNIOSEK>"};
        QTest::newRow("one line, root found upper-cased")
            << Lines{R"(<?xml version="1.0"?><wniosek/>)"} << QByteArray("UTF-8")
            << Lines{R"(<?xml version="1.0" encoding="UTF-8"?><wniosek/>)"};
        QTest::newRow("declaration on a later line")
            << Lines{"", R"(<?xml version="1.0"?>)", "<SLOWNIKI wersja=\"3.12\">"}
            << QByteArray("UTF-8")
            << Lines{"", R"(<?xml version="1.0" encoding="UTF-8"?>)", "<SLOWNIKI wersja=\"3.12\">"};
        // Without a declaration the head goes in front of the root's own ">", which
        // leaves a document that no longer parses: such a file counts as damaged.
        QTest::newRow("no declaration")
            << Lines{"<WNIOSEK>", "<DANE/>", "</WNIOSEK>"} << QByteArray("UTF-8")
            << Lines{R"(<WNIOSEK<?xml version="1.0" encoding="UTF-8"?>)", "<DANE/>", "</WNIOSEK>"};
        QTest::newRow("declaration after the root line is not searched")
            << Lines{"<WNIOSEK>", R"(<?xml version="1.0"?>)"} << QByteArray("UTF-8")
            << Lines{R"(<WNIOSEK<?xml version="1.0" encoding="UTF-8"?>)",
                     R"(<?xml version="1.0"?>)"};
        QTest::newRow("nothing to close a declaration")
            << Lines{"abc", ""} << QByteArray("UTF-8") << Lines{"abc", ""};
        QTest::newRow("no lines") << Lines{} << QByteArray("UTF-8") << Lines{};
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
        QTest::newRow("CR") << QByteArray("a\rb") << Lines{"a", "b"};
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
        QVERIFY(dir.isValid());
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
