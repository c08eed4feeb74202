// The declaration rewrite used where the system code page is not windows-1250:
// exact output lines for the declaration shapes met in practice, the line
// splitting, and both file round trips (saving re-declares windows-1250, loading
// declares the system code page on a temporary copy).

#include "platform/xmldom/declarationrewrite.h"
#include "platform/xmldom/xmldocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Lines = QList<QByteArray>;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

class TestXmlDomDeclaration : public QObject {
    Q_OBJECT

private slots:
    void rewritesDeclaration_data();
    void rewritesDeclaration();
    void splitsLines_data();
    void splitsLines();
    void savingOnAnotherCodePageRoundTrips();
    void dictionaryCopyParses_data();
    void dictionaryCopyParses();
    void fileFailuresReportFalse();
};

void TestXmlDomDeclaration::rewritesDeclaration_data() {
    QTest::addColumn<Lines>("input");
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<Lines>("expected");

    QTest::newRow("normal") << Lines{R"(<?xml version="1.0" encoding="windows-1250"?>)",
                                     "<WNIOSEK>", "</WNIOSEK>"}
                            << QByteArray("ISO-8859-2")
                            << Lines{R"(<?xml version="1.0" encoding="ISO-8859-2"?>)", "<WNIOSEK>",
                                     "</WNIOSEK>"};
    QTest::newRow("upper-case declaration")
        << Lines{R"(<?XML VERSION="1.0" ENCODING="WINDOWS-1250"?>)", "<WNIOSEK/>"}
        << QByteArray("UTF-8") << Lines{R"(<?xml version="1.0" encoding="UTF-8"?>)", "<WNIOSEK/>"};
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
        << Lines{R"(<WNIOSEK<?xml version="1.0" encoding="UTF-8"?>)", R"(<?xml version="1.0"?>)"};
    QTest::newRow("nothing to close a declaration")
        << Lines{"abc", ""} << QByteArray("UTF-8") << Lines{"abc", ""};
    QTest::newRow("no lines") << Lines{} << QByteArray("UTF-8") << Lines{};
}

void TestXmlDomDeclaration::rewritesDeclaration() {
    QFETCH(Lines, input);
    QFETCH(QByteArray, encoding);
    QFETCH(Lines, expected);

    rewriteDeclaration(input, encoding);
    QCOMPARE(input, expected);
}

void TestXmlDomDeclaration::splitsLines_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<Lines>("lines");

    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << Lines{"a", "b"};
    QTest::newRow("LF, no final break") << QByteArray("a\nb") << Lines{"a", "b"};
    QTest::newRow("CR") << QByteArray("a\rb") << Lines{"a", "b"};
    QTest::newRow("empty lines kept") << QByteArray("a\n\n\r\n\rb") << Lines{"a", "", "", "", "b"};
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << Lines{"a", "", "b"};
    QTest::newRow("nothing") << QByteArray() << Lines{};
    QTest::newRow("windows-1250 bytes untouched")
        << QByteArray("\xbf\xf3\xb3\xe6\r\n\x9c") << Lines{"\xbf\xf3\xb3\xe6", "\x9c"};
}

void TestXmlDomDeclaration::splitsLines() {
    QFETCH(QByteArray, data);
    QFETCH(Lines, lines);
    QCOMPARE(splitLines(data), lines);
    // Joining puts one LF after every line, so a split of the join gives the lines back.
    QCOMPARE(splitLines(joinLines(lines)), lines);
}

void TestXmlDomDeclaration::savingOnAnotherCodePageRoundTrips() {
    // A system whose code page is ISO-8859-2: the document is written in it, then
    // re-declared as windows-1250; reading it back declares ISO-8859-2 again on a
    // copy, which then parses to the original values.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString saved = dir.filePath("wniosek.xml");
    const QString copy = dir.filePath("wniosek.xml.tmp");
    const QString polish = QStringLiteral("zażółć gęślą jaźń");
    const QString multiLine = QStringLiteral("pierwszy\r\ndrugi\nśrodek\r\n");

    XmlDocument doc = XmlDocument::create();
    XmlElement root = doc.setRoot("WNIOSEK");
    root.setAttribute("opis", polish);
    root.appendElement("POLE").setText(multiLine);
    doc.saveFile(saved, "ISO-8859-2");

    QVERIFY(rewriteDeclarationFile(saved, saved, "windows-1250"));
    const Lines onDisk = splitLines(readAll(saved));
    QVERIFY(!onDisk.isEmpty());
    QCOMPARE(onDisk.first(), QByteArray(R"(<?xml version="1.0" encoding="windows-1250"?>)"));
    // ISO-8859-2 bytes stay: "ś" is 0xB6 there (0x9C in windows-1250).
    QVERIFY(readAll(saved).contains("\xb6rodek"));

    QVERIFY(rewriteDeclarationFile(saved, copy, "ISO-8859-2"));
    QCOMPARE(splitLines(readAll(copy)).first(),
             QByteArray(R"(<?xml version="1.0" encoding="ISO-8859-2"?>)"));
    const XmlDocument back = XmlDocument::parseFile(copy);
    QCOMPARE(back.root().attribute("opis"), polish);
    QCOMPARE(back.root().firstChildElement("POLE").text(), multiLine);
}

void TestXmlDomDeclaration::dictionaryCopyParses_data() {
    QTest::addColumn<QString>("codePage");
    QTest::addColumn<bool>("polishIntact");
    QTest::newRow("windows-1250") << "windows-1250" << true;
    // Read through another code page the Polish letters change; the structure stays.
    QTest::newRow("ISO-8859-2") << "ISO-8859-2" << false;
}

void TestXmlDomDeclaration::dictionaryCopyParses() {
    QFETCH(QString, codePage);
    QFETCH(bool, polishIntact);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = dir.filePath("slowniki.xml.tmp");
    QVERIFY(rewriteDeclarationFile(TOPAZ_EXAMPLES "/slowniki.xml", copy, codePage));

    const XmlDocument doc = XmlDocument::parseFile(copy);
    QCOMPARE(doc.encoding(), codePage);
    QCOMPARE(doc.root().name(), QStringLiteral("SLOWNIKI"));
    QCOMPARE(doc.root().attribute("wersja"), QStringLiteral("3.12"));
    const QString name = doc.root().firstChildElement("SLOWNIK").attribute("nazwa");
    QCOMPARE(name, QStringLiteral("Jednostki geograficzne NUTS"));
    const XmlElement secondLevel =
        doc.root().firstChildElement("SLOWNIK").firstChildElement("POZIOM").nextSiblingElement();
    QCOMPARE(secondLevel.attribute("numer"), QStringLiteral("2"));
    QString region;
    for (const XmlElement& value : secondLevel.firstChildElement("WIERSZ").childElements()) {
        if (value.attribute("nazwa") == QLatin1String("NAZWA")) region = value.text();
    }
    QCOMPARE(region == QStringLiteral("dolnośląskie"), polishIntact);
}

void TestXmlDomDeclaration::fileFailuresReportFalse() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString source = dir.filePath("a.xml");
    QVERIFY(writeAll(source, "<?xml version=\"1.0\"?>\n<a/>\n"));

    QVERIFY(!rewriteDeclarationFile(dir.filePath("missing.xml"), dir.filePath("b.xml"), "UTF-8"));
    QVERIFY(!QFile::exists(dir.filePath("b.xml")));
    QVERIFY(!rewriteDeclarationFile(source, dir.filePath("no/such/folder/b.xml"), "UTF-8"));
    // A failed write leaves the source as it was.
    QCOMPARE(readAll(source), QByteArray("<?xml version=\"1.0\"?>\n<a/>\n"));
}

QTEST_GUILESS_MAIN(TestXmlDomDeclaration)
#include "tst_xmldom_declaration.moc"
