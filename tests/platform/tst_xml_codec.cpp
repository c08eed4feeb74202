// The windows-1250 codec of the XML layer against the C library's iconv: every byte read,
// every character of the code page written, and what the code page lacks written as a
// character reference that reads back.
#include "platform/xmldom/xmldocument.h"

#include <QTest>

#include <iconv.h>

using namespace Qt::StringLiterals;

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

} // namespace

class TestXmlCodec : public QObject {
    Q_OBJECT
private slots:
    void everyByteReadsAsIconvReadsIt() {
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
        }
    }

    void everyCharacterWritesAsIconvWritesIt() {
        // The code page's own characters, and some it lacks (Latin-1 neighbours, a sign
        // beside the euro, a character outside the basic plane).
        QList<char32_t> chars;
        for (int b = 0x80; b < 0x100; ++b) {
            const QString u =
                QString::fromUtf8(iconvConvert("UTF-8", "WINDOWS-1250", QByteArray(1, char(b))));
            if (!u.isEmpty()) chars << u.toUcs4().first();
        }
        chars << U'\u00C0' << U'\u0100' << U'\u20AD' << U'\U0001F600';
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
};

QTEST_GUILESS_MAIN(TestXmlCodec)
#include "tst_xml_codec.moc"
