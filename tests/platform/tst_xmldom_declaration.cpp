// The declaration rewrite used where the system code page is not windows-1250: exact
// output lines for the declaration shapes met in practice and the line splitting. Both
// file round trips are exercised on whole applications and the dictionary.

#include "platform/xmldom/declarationrewrite.h"
#include "platform/xmldom/xmldocument.h"
#include "tests/test_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Lines = QList<QByteArray>;

using TestSupport::readAll;
using TestSupport::writeAll;

class TestXmlDomDeclaration : public QObject {
    Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(TestXmlDomDeclaration)
#include "tst_xmldom_declaration.moc"
