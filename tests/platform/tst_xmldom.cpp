// The DOM over libxml2: building, navigating, saving in windows-1250 and parsing
// back, with the values that must survive unchanged (Polish letters, line breaks,
// markup characters), and the sample dictionary.

#include "platform/xmldom/xmldocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList names(const XmlChildElements& elements) {
    QStringList result;
    for (const XmlElement& e : elements)
        result << e.name() + QLatin1Char('=') + e.attribute("n");
    return result;
}

} // namespace

class TestXmlDom : public QObject {
    Q_OBJECT

private slots:
    void savesWindows1250();
    void valuesSurviveSaveAndParse_data();
    void valuesSurviveSaveAndParse();
    void unrepresentableCharactersAreDropped();
    void attributesKeepFirstSetOrder();
    void firstChildAndNextSibling();
    void childNodeIteration();
    void textAndAttributeEdges();
    void setTextReplacesChildren();
    void parsedDocumentCanBeChanged();
    void documentBasics();
    void saveFailures();
    void nullHandles();
    void parsesSampleDictionary();
};

void TestXmlDom::savesWindows1250() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("wniosek.xml");
    const QString polish = QStringLiteral("zażółć gęślą jaźń");

    XmlDocument doc = XmlDocument::create();
    XmlElement root = doc.setRoot("WNIOSEK");
    root.appendElement("POLE").setText(polish);
    root.firstChildElement("POLE").setAttribute("kod", polish);
    doc.saveFile(path, "windows-1250");

    const QByteArray bytes = readAll(path);
    QVERIFY2(bytes.startsWith(R"(<?xml version="1.0" encoding="windows-1250"?>)"),
             bytes.constData());
    // "zażółć" in windows-1250: ż 0xBF, ó 0xF3, ł 0xB3, ć 0xE6; no UTF-8 "ż" (C5 BC).
    QCOMPARE(bytes.count("za\xbf\xf3\xb3\xe6"), 2);
    QVERIFY(!bytes.contains("\xc5\xbc"));
    QVERIFY(!bytes.startsWith("\xef\xbb\xbf"));

    const XmlDocument back = XmlDocument::parseFile(path);
    QCOMPARE(back.encoding(), QStringLiteral("windows-1250"));
    QCOMPARE(back.root().firstChildElement("POLE").text(), polish);
    QCOMPARE(back.root().firstChildElement("POLE").attribute("kod"), polish);
}

void TestXmlDom::valuesSurviveSaveAndParse_data() {
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("value");

    const QStringList encodings{QStringLiteral("windows-1250"), QStringLiteral("UTF-8")};
    const QList<QPair<const char*, QString>> values{
        {"CR LF inside", QStringLiteral("a\r\nb")},
        {"LF inside", QStringLiteral("a\nb")},
        {"trailing CR LF", QStringLiteral("ab\r\n")},
        {"lone CR", QStringLiteral("a\rb")},
        {"only line breaks", QStringLiteral("\r\n\r\n\n")},
        {"tab and edge spaces", QStringLiteral("  a\tb  ")},
        {"Polish with breaks", QStringLiteral("zażółć\r\ngęślą\njaźń\r\n")},
        {"markup characters", QStringLiteral("<a href=\"x\">&amp; 'q' ]]> </a>")},
        {"euro sign", QStringLiteral("100 €")},
        {"outside windows-1250", QStringLiteral("Ωλ 漢字")},
    };
    for (const QString& encoding : encodings) {
        for (const auto& [label, value] : values)
            QTest::addRow("%s, %s", qPrintable(encoding), label) << encoding << value;
    }
}

void TestXmlDom::valuesSurviveSaveAndParse() {
    QFETCH(QString, encoding);
    QFETCH(QString, value);

    XmlDocument doc = XmlDocument::create();
    XmlElement row = doc.setRoot("WNIOSEK").appendElement("ATRYBUT");
    row.setAttribute("nazwa", value);
    row.setText(value);
    // The element after it must come through untouched as well.
    doc.root().appendElement("NASTEPNY").setText(QStringLiteral("x"));

    const XmlDocument back = XmlDocument::parseMemory(doc.toBytes(encoding));
    const XmlElement read = back.root().firstChildElement("ATRYBUT");
    QCOMPARE(read.text(), value);
    QCOMPARE(read.attribute("nazwa"), value);
    QCOMPARE(back.root().firstChildElement("NASTEPNY").text(), QStringLiteral("x"));
}

void TestXmlDom::unrepresentableCharactersAreDropped() {
    // Pasted control characters must not make the saved file unreadable.
    XmlDocument doc = XmlDocument::create();
    XmlElement root = doc.setRoot("R");
    const QString pasted = QStringLiteral("a\u000Bb\u0001c\u000C\td\uFFFF");
    root.setAttribute("k", pasted);
    root.setText(pasted);

    const XmlDocument back = XmlDocument::parseMemory(doc.toBytes(QStringLiteral("windows-1250")));
    QCOMPARE(back.root().attribute("k"), QStringLiteral("abc\td"));
    QCOMPARE(back.root().text(), QStringLiteral("abc\td"));
}

void TestXmlDom::attributesKeepFirstSetOrder() {
    XmlDocument doc = XmlDocument::create();
    XmlElement info = doc.setRoot("INFO_DLL");
    info.setAttribute("plik", QStringLiteral("TOPAZ_Q"));
    info.setAttribute("wersja", QStringLiteral("1"));
    info.setAttribute("roz", QString());
    info.setAttribute("wersja", QStringLiteral("2")); // replaced in place
    info.setAttribute("DBID", QStringLiteral("7"));

    QVERIFY2(doc.toBytes().contains(R"(<INFO_DLL plik="TOPAZ_Q" wersja="2" roz="" DBID="7"/>)"),
             doc.toBytes().constData());
    const XmlDocument back = XmlDocument::parseMemory(doc.toBytes());
    QCOMPARE(back.root().attribute("wersja"), QStringLiteral("2"));
    QVERIFY(back.root().hasAttribute("roz"));
}

void TestXmlDom::firstChildAndNextSibling() {
    const XmlDocument doc =
        XmlDocument::parseMemory("<R><A n='1'/><B n='b1'/>text<A n='2'><A n='inner'/></A><a "
                                 "n='lower'/><B n='b2'/><A n='3'/></R>");
    const XmlElement root = doc.root();

    QStringList chain;
    for (XmlElement a = root.firstChildElement("A"); !a.isNull(); a = a.nextSiblingElement())
        chain << a.attribute("n");
    QCOMPARE(chain, (QStringList{"1", "2", "3"}));

    QCOMPARE(root.firstChildElement("a").attribute("n"), QStringLiteral("lower"));
    QCOMPARE(root.firstChildElement("B").nextSiblingElement().attribute("n"), QStringLiteral("b2"));
    QVERIFY(root.firstChildElement("B").nextSiblingElement().nextSiblingElement().isNull());
    QVERIFY(root.firstChildElement("C").isNull());
    QVERIFY(root.firstChildElement("").isNull());
    QVERIFY(root.firstChildElement("AB").isNull());
    QVERIFY(root.firstChildElement("A").firstChildElement("A").isNull());

    const XmlElement inner =
        root.firstChildElement("A").nextSiblingElement().firstChildElement("A");
    QCOMPARE(inner.attribute("n"), QStringLiteral("inner"));
    QVERIFY(inner.nextSiblingElement().isNull());
    QCOMPARE(inner.parent().attribute("n"), QStringLiteral("2"));
    QCOMPARE(inner.parent().parent(), root);
    QVERIFY(root.parent().isNull());
    QCOMPARE(root.firstChildElement().attribute("n"), QStringLiteral("1"));

    QCOMPARE(names(root.childElements()),
             (QStringList{"A=1", "B=b1", "A=2", "a=lower", "B=b2", "A=3"}));
}

void TestXmlDom::childNodeIteration() {
    const XmlDocument doc = XmlDocument::parseMemory(
        "<R>lead<A>x</A><!--note--><?pi data?><![CDATA[<raw>]]><B/>\n  tail</R>");
    QStringList seen;
    for (const XmlNode& node : doc.root().childNodes()) {
        const char* kind = node.kind() == XmlNode::Kind::Element ? "E"
                           : node.kind() == XmlNode::Kind::Text  ? "T"
                                                                 : "O";
        seen << QString::fromLatin1(kind) + QLatin1Char(':') + node.name() + QLatin1Char(':') +
                    node.text();
        QCOMPARE(node.toElement().isNull(), !node.isElement());
    }
    QCOMPARE(seen, (QStringList{"T:#text:lead", "E:A:x", "O:#comment:note", "O:pi:data",
                                "T:#text:<raw>", "E:B:", "T:#text:\n  tail"}));
    QVERIFY(doc.root().childNodes().begin() != doc.root().childNodes().end());
    QVERIFY(doc.root().firstChildElement("B").childNodes().begin() ==
            doc.root().firstChildElement("B").childNodes().end());
}

void TestXmlDom::textAndAttributeEdges() {
    const XmlDocument doc = XmlDocument::parseMemory(
        "<R e='' x='1'><M>a<i>b</i>c</M><E/><N>  </N><ns:P xmlns:ns='urn:x' ns:k='v'/></R>");
    const XmlElement root = doc.root();
    QVERIFY(root.hasAttribute("e"));
    QVERIFY(root.attribute("e").isEmpty());
    QVERIFY(!root.hasAttribute("X"));
    QVERIFY(root.attribute("missing").isNull());
    QCOMPARE(root.firstChildElement("M").text(), QStringLiteral("abc"));
    QVERIFY(root.firstChildElement("E").text().isEmpty());
    QCOMPARE(root.firstChildElement("N").text(), QStringLiteral("  "));
    // Prefixed names compare as written in the file.
    QVERIFY(root.firstChildElement("P").isNull());
    const XmlElement prefixed = root.firstChildElement("ns:P");
    QCOMPARE(prefixed.name(), QStringLiteral("ns:P"));
    QCOMPARE(prefixed.attribute("ns:k"), QStringLiteral("v"));
    QVERIFY(!prefixed.hasAttribute("k"));
}

void TestXmlDom::setTextReplacesChildren() {
    XmlDocument doc = XmlDocument::parseMemory("<R><M>a<i>b</i>c</M></R>");
    XmlElement m = doc.root().firstChildElement("M");
    m.setText(QStringLiteral("nowy & <tekst>"));
    QVERIFY(m.firstChildElement().isNull());
    QCOMPARE(m.text(), QStringLiteral("nowy & <tekst>"));
    m.setText(QString());
    QVERIFY(m.childNodes().begin() == m.childNodes().end());
    QVERIFY(doc.toBytes().contains("<M/>"));
}

void TestXmlDom::parsedDocumentCanBeChanged() {
    // Parsed text is stored compactly inside the nodes; replacing it must be safe.
    XmlDocument doc =
        XmlDocument::parseMemory("<R a='1' b='22'><A>krótki</A><B k='v'>x</B>ogon</R>");
    XmlElement root = doc.root();
    root.setAttribute("a", QStringLiteral("znacznie dłuższa wartość atrybutu"));
    root.setAttribute("b", QString());
    root.setAttribute("c", QStringLiteral("3"));
    root.firstChildElement("A").setText(QStringLiteral("nowa treść"));
    root.firstChildElement("B").setAttribute("k", QStringLiteral("w"));
    root.appendElement("C").setText(QStringLiteral("c"));

    const XmlDocument back = XmlDocument::parseMemory(doc.toBytes());
    const XmlElement r = back.root();
    QCOMPARE(r.attribute("a"), QStringLiteral("znacznie dłuższa wartość atrybutu"));
    QVERIFY(r.hasAttribute("b") && r.attribute("b").isEmpty());
    QCOMPARE(r.attribute("c"), QStringLiteral("3"));
    QCOMPARE(r.firstChildElement("A").text(), QStringLiteral("nowa treść"));
    QCOMPARE(r.firstChildElement("B").attribute("k"), QStringLiteral("w"));
    QCOMPARE(r.text(), QStringLiteral("nowa treśćxogonc"));
}

void TestXmlDom::documentBasics() {
    XmlDocument doc = XmlDocument::create();
    QVERIFY(!doc.isNull());
    QVERIFY(doc.root().isNull());
    QVERIFY(doc.encoding().isEmpty());
    QVERIFY(doc.toBytes().startsWith(R"(<?xml version="1.0" encoding="UTF-8"?>)"));

    doc.setRoot("STARY").appendElement("X");
    XmlElement root = doc.setRoot("WNIOSEK");
    QCOMPARE(doc.root(), root);
    QVERIFY(!doc.toBytes().contains("STARY"));

    doc.setEncoding(QStringLiteral("windows-1250"));
    QCOMPARE(doc.encoding(), QStringLiteral("windows-1250"));
    root.setText(QStringLiteral("ż"));
    const QByteArray declared = doc.toBytes();
    QVERIFY(declared.startsWith(R"(<?xml version="1.0" encoding="windows-1250"?>)"));
    QVERIFY(declared.contains("\xbf"));
    // A named encoding wins over the declared one.
    QVERIFY(doc.toBytes("UTF-8").contains("\xc5\xbc"));

    XmlDocument moved = std::move(doc);
    QVERIFY(doc.isNull());
    QCOMPARE(moved.root(), root);
    doc = std::move(moved);
    QCOMPARE(doc.root().text(), QStringLiteral("ż"));

    // The declared encoding of a parsed document can be replaced.
    XmlDocument parsed = XmlDocument::parseMemory(declared);
    QCOMPARE(parsed.encoding(), QStringLiteral("windows-1250"));
    parsed.setEncoding(QStringLiteral("ISO-8859-2"));
    QVERIFY(parsed.toBytes().startsWith(R"(<?xml version="1.0" encoding="ISO-8859-2"?>)"));
}

void TestXmlDom::saveFailures() {
    XmlDocument doc = XmlDocument::create();
    doc.setRoot("WNIOSEK");
    QVERIFY_THROWS_EXCEPTION(XmlError, doc.toBytes(QStringLiteral("x-no-such-encoding")));

    QTemporaryDir dir;
    const QString path = dir.filePath("brak/wniosek.xml");
    try {
        doc.saveFile(path, QStringLiteral("windows-1250"));
        QFAIL("no XmlError");
    } catch (const XmlError& e) {
        const QString message = QString::fromStdString(e.what());
        QVERIFY2(message.contains(path), qPrintable(message));
        QVERIFY(!message.contains(QLatin1String("Parser error")));
    }
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, doc.root().appendElement("1zla nazwa"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, doc.root().setAttribute("", QString()));
}

void TestXmlDom::nullHandles() {
    XmlElement none;
    QVERIFY(none.isNull());
    QVERIFY(none.name().isEmpty());
    QVERIFY(none.text().isEmpty());
    QVERIFY(none.attribute("a").isEmpty());
    QVERIFY(none.firstChildElement("a").isNull());
    QVERIFY(none.nextSiblingElement().isNull());
    QVERIFY(none.childElements().begin() == none.childElements().end());
    QVERIFY_THROWS_EXCEPTION(std::logic_error, none.appendElement("a"));
    QVERIFY_THROWS_EXCEPTION(std::logic_error, none.setText(QStringLiteral("x")));

    XmlDocument empty;
    QVERIFY(empty.isNull());
    QVERIFY(empty.root().isNull());
    QVERIFY_THROWS_EXCEPTION(std::logic_error, empty.setRoot("a"));
}

void TestXmlDom::parsesSampleDictionary() {
    const XmlDocument doc = XmlDocument::parseFile(QStringLiteral(TOPAZ_EXAMPLES "/slowniki.xml"));
    QCOMPARE(doc.encoding(), QStringLiteral("windows-1250"));
    const XmlElement root = doc.root();
    QCOMPARE(root.name(), QStringLiteral("SLOWNIKI"));
    QCOMPARE(root.attribute("wersja"), QStringLiteral("3.12"));

    QStringList titles;
    for (XmlElement s = root.firstChildElement("SLOWNIK"); !s.isNull(); s = s.nextSiblingElement())
        titles << s.attribute("nazwa");
    QVERIFY2(titles.contains(QStringLiteral("Poziomy wdrażania")), qPrintable(titles.join(" | ")));

    bool found = false;
    const XmlElement voivodeships =
        root.firstChildElement("SLOWNIK").firstChildElement("POZIOM").nextSiblingElement();
    for (XmlElement row = voivodeships.firstChildElement("WIERSZ"); !row.isNull() && !found;
         row = row.nextSiblingElement()) {
        for (const XmlElement& value : row.childElements())
            found = found || (value.attribute("nazwa") == QLatin1String("NAZWA") &&
                              value.text() == QStringLiteral("dolnośląskie"));
    }
    QVERIFY(found);
}

QTEST_GUILESS_MAIN(TestXmlDom)
#include "tst_xmldom.moc"
