// The file written straight from the tables against the file the document gives: the same to
// the byte, over random trees of nasty text and over real applications with random values.
// The file read as the parser streams it against the document read: the same values, over
// the sample with random elements, texts and faults put in. A failure names its seed.
#include "file/application_file.h"
#include "file/loaded_application.h"
#include "file/mapping_lists.h"
#include "model/catalogue/mapping_rows.h"
#include "model/dm_main.h"
#include "platform/xmldom/xmldocument.h"
#include "platform/xmldom/xmlindentedwriter.h"
#include "tests/model/module_fixture.h"
#include "tests/sample_file.h"
#include "tests/test_support.h"

#include <QBuffer>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Text that tests every escape and conversion: markup, line breaks, tabs, control characters
// XML cannot hold, letters of the code page, letters outside it, pairs and lone halves of
// surrogates, the characters U+FFFD to U+FFFF.
QString nastyText(QRandomGenerator& rng) {
    static const QList<char16_t> alphabet = {
        u'a',   u'Z',   u'7',   u' ',   u'<',   u'>',   u'&',   u'"',   u'\'',  u'\r',
        u'\n',  u'\t',  0x01,   0x1F,   0x7F,   u'ą',   u'Ł',   u'ź',   0x20AC, 0x00A0,
        0x00DF, 0x4E2D, 0x03A9, 0xD83D, 0xDE00, 0xFFFD, 0xFFFE, 0xFFFF, 0x2122, 0x0416};
    QString text;
    const int size = rng.bounded(12);
    for (int i = 0; i < size; ++i)
        text += QChar(alphabet[rng.bounded(alphabet.size())]);
    return text;
}

const char* const kNames[] = {"WIERSZ", "ATRYBUT", "TABELA", "POLE"};

// The same random element into the document and into the writer, of at most `budget`
// elements; deep enough at times to pass the deepest indentation the library writes.
struct TreeShape {
    int budget = 100; // elements left
    int minDepth = 0; // every branch goes at least this deep while the budget lasts
};

void randomElement(QRandomGenerator& rng, XmlElement element, XmlIndentedWriter& out, int depth,
                   TreeShape& shape) {
    for (const char* attribute : {"nazwa", "dsN", "nrW"})
        if (rng.bounded(3)) {
            const QString value = nastyText(rng);
            element.setAttribute(attribute, value);
            out.attribute(QLatin1StringView(attribute), value);
        }
    if (depth < 34 && shape.budget > 0 && (depth < shape.minDepth || rng.bounded(3))) {
        for (int i = rng.bounded(1, 4); i > 0 && shape.budget > 0; --i, --shape.budget) {
            const char* name = kNames[rng.bounded(4)];
            out.startElement(QLatin1StringView(name));
            randomElement(rng, element.appendElement(name), out, depth + 1, shape);
            out.endElement();
        }
    } else if (rng.bounded(2)) {
        const QString text = nastyText(rng);
        element.setText(text);
        out.text(text);
    }
}

// Random values into the written string fields of the tables, record by record; a value a
// rule refuses is left as it was.
void randomValues(TdmDataSets& dm, QRandomGenerator& rng) {
    for (const MappingLists& m : readMappingLists(dm.table(u"tabMapowanie"_s))) {
        DataSet* ds = dm.findTable(m.dsname);
        if (!ds || !ds->isActive()) continue;
        for (int rec = 1; rec <= ds->recordCount(); ++rec) {
            ds->setRecNo(rec);
            for (const auto& [column, name] : m.columns) {
                Field* f = ds->findField(name);
                if (!f || f->type() != FieldType::String || f->isReadOnly() || rng.bounded(3))
                    continue;
                try {
                    ds->edit();
                    f->setValue(nastyText(rng));
                    ds->post();
                } catch (const DataSetError&) {
                    ds->cancel();
                }
            }
        }
    }
}

// What the reader takes from a file, as text: INFO_DLL, the rows with their values and child
// tables (rows without values change nothing and are left out), the special fields.
void dumpTable(const FileTable& table, QString& out) {
    for (const FileRow& row : table.rows) {
        if (row.items.empty()) continue;
        out += u"["_s;
        for (const FileItem& item : row.items) {
            if (item.table) {
                out += u"{"_s + item.table->name + u":"_s;
                dumpTable(*item.table, out);
                out += u"}"_s;
            } else {
                out += u"("_s + item.names->dataSet + u"|"_s + item.names->field + u"|"_s +
                       item.number + u"|"_s + item.value + u")"_s;
            }
        }
        out += u"]"_s;
    }
}

const char* const kInfoNames[] = {"plik",   "wersja", "wersja_p",   "wersja_slownika_p",
                                  "DBID_p", "SID_p",  "format_daty"};

QString dumpLoaded(const LoadedApplication& loaded) {
    QString out;
    for (const char* name : kInfoNames)
        out += loaded.info.value(QLatin1String(name)) + u";"_s;
    dumpTable(loaded.table, out);
    for (const FileSpecialField& f : loaded.specialFields)
        out += u"<"_s + f.code + u"|"_s + f.number + u"|"_s + f.dataSet + u"|"_s + f.nameField +
               u"|"_s + f.valueField + u"|"_s + f.value + u">"_s;
    return out;
}

// The same through the document, as a load did before it streamed.
QString dumpThroughDocument(ApplicationXml& xml, const QByteArray& bytes) {
    xml.InitWniosekXMLFromMemory(bytes);
    LoadedApplication loaded;
    for (const char* name : kInfoNames)
        loaded.info.insert(QLatin1String(name), xml.infoDll().attribute(name));
    loaded.table = fileTableOf(xml.dane().firstChildElement("TABELA"), loaded.names);
    for (XmlElement pole = xml.polaSpec().firstChildElement("POLE"); !pole.isNull();
         pole = pole.nextSiblingElement())
        loaded.specialFields.push_back({pole.attribute("kod"), pole.attribute("nrW"),
                                        pole.attribute("dsN"), pole.attribute("dsKN"),
                                        pole.attribute("dsKW"), pole.text()});
    return dumpLoaded(loaded);
}

QString refusal(const XmlError& e) {
    return QString::fromUtf8(e.what()).contains(u"Parser error"_s) ? u"refused: damaged"_s
                                                                   : u"refused"_s;
}

// Where a piece goes: among the parts below the root, inside a value, or after any ">".
qsizetype insertionPoint(const QByteArray& bytes, QRandomGenerator& rng) {
    const qsizetype from = rng.bounded(bytes.size());
    switch (rng.bounded(3)) {
    case 0:
        for (const char* tag : {"<WNIOSEK>", "</DANE>", "<DANE>", "<POLA_SPEC>"})
            if (rng.bounded(2) && bytes.contains(tag))
                return bytes.indexOf(tag) + qsizetype(strlen(tag));
        return bytes.indexOf("<DANE>");
    case 1:
        for (qsizetype at = bytes.indexOf("\">", from); at >= 0; at = bytes.indexOf("\">", at + 1))
            if (at + 2 < bytes.size() && bytes[at + 2] != '<' && bytes[at + 2] != '\n')
                return at + 2;
        break;
    default:
        break;
    }
    return bytes.indexOf('>', from) + 1;
}

// Pieces put into the sample after a random ">": elements the reader skips or takes, a second
// DANE, TABELA, INFO_DLL and POLA_SPEC, text of every kind, refused record numbers, and
// faults that make the file malformed.
const char* const kPieces[] = {
    "<X/>",
    "<X>t</X>",
    "<![CDATA[c<d]]>",
    "<!-- k -->",
    "<?pi x?>",
    "  \n\t ",
    "&amp;&#1046;&lt;",
    "<WIERSZ><ATRYBUT nazwa=\"N\" dsN=\"dsWniosek\" dsK=\"tytul\" "
    "nrW=\"1\">z<X>y</X></ATRYBUT></WIERSZ>",
    "<TABELA nazwa=\"Q\"><WIERSZ><ATRYBUT dsN=\"dsZamPub\" dsK=\"x\" nrW=\"2\"/></WIERSZ></TABELA>",
    "<ATRYBUT dsN=\"dsZamPub\" dsK=\"x\" nrW=\"100001\">9</ATRYBUT>",
    "<ATRYBUT dsN=\"dsWniosek\" dsK=\"x\" nrW=\"2\">9</ATRYBUT>",
    "<ATRYBUT dsN=\"dsZamPub\" dsK=\"x\" nrW=\" +7 \"><ATRYBUT nrW=\"999999\"/></ATRYBUT>",
    "<POLE kod=\"a\" nrW=\"1\" dsN=\"dsPolaSpec\" dsKW=\"a\">p<![CDATA[q]]></POLE>",
    "<INFO_DLL wersja=\"9\" format_daty=\"dd-MM-yyyy\"/>",
    "<DANE><TABELA nazwa=\"B\"><WIERSZ><ATRYBUT dsN=\"a\" dsK=\"b\" nrW=\"1\">c</ATRYBUT>"
    "</WIERSZ></TABELA></DANE>",
    "<POLA_SPEC><POLE kod=\"z\" nrW=\"1\">q</POLE></POLA_SPEC>",
    "</ATRYBUT>",
    "<A>",
    "<A b=\"&#0;\"/>",
};

} // namespace

class TestStreamedFile : public QObject {
    Q_OBJECT
private slots:
    void randomTreesAsTheLibraryWritesThem() {
        for (quint32 seed = 1; seed <= 300; ++seed) {
            QRandomGenerator rng(seed);
            XmlDocument doc = XmlDocument::create();
            doc.setEncoding(u"windows-1250"_s);
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            XmlIndentedWriter out(buffer);
            out.startElement(QLatin1StringView("WNIOSEK"));
            TreeShape shape{.minDepth = seed % 5 == 0 ? 33 : 0};
            randomElement(rng, doc.setRoot("WNIOSEK"), out, 0, shape);
            out.endElement();
            out.finish();
            QVERIFY2(buffer.data() == doc.toBytes(), qPrintable(u"seed %1"_s.arg(seed)));
        }
    }

    void applicationsAsTheDocumentWritesThem_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("sample") << QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml");
        const QDir dir(QStringLiteral(TOPAZ_TEST_DATA "/applications"));
        for (const QString& name : dir.entryList({u"*.xml"_s}))
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }
    void applicationsAsTheDocumentWritesThem() {
        QFETCH(QString, path);
        const QTemporaryDir tmp;
        quint32 differing = 0; // the seed whose files differ
        const bool loaded = TestSupport::withOpenedSample(
            [&](TdmDataSets& dm, ApplicationFile& file) {
                for (quint32 seed = 1; seed <= 4 && !differing; ++seed) {
                    QRandomGenerator rng(seed);
                    if (seed > 1) randomValues(dm, rng);
                    const QString streamed = tmp.filePath(u"strumien.xml"_s);
                    const QString throughDocument = tmp.filePath(u"dokument.xml"_s);
                    file.xml().writeFile(streamed);
                    file.xml().rebuildDocument();
                    file.xml().save(throughDocument);
                    if (TestSupport::readAll(streamed) != TestSupport::readAll(throughDocument))
                        differing = seed;
                }
                return true;
            },
            path);
        QVERIFY(loaded);
        QVERIFY2(!differing, qPrintable(u"seed %1"_s.arg(differing)));
    }

    void streamedLoadReadsWhatTheDocumentGives() {
        ModuleFixture fx;
        extendMappingTable(*fx.dm);
        ApplicationXml xml(*fx.dm);
        const QByteArray sample =
            TestSupport::readAll(QStringLiteral(TOPAZ_EXAMPLES "/wniosek-przyklad.xml"));
        QVERIFY(!sample.isEmpty());
        int refused = 0;
        for (quint32 seed = 1; seed <= 150; ++seed) {
            QRandomGenerator rng(seed);
            QByteArray bytes = sample;
            for (int n = rng.bounded(1, 4); n > 0; --n)
                bytes.insert(insertionPoint(bytes, rng),
                             kPieces[rng.bounded(int(std::size(kPieces)))]);
            QString streamed, throughDocument;
            try {
                streamed = dumpLoaded(xml.loadFromMemory(bytes));
            } catch (const XmlError& e) {
                streamed = refusal(e);
            }
            try {
                throughDocument = dumpThroughDocument(xml, bytes);
            } catch (const XmlError& e) {
                throughDocument = refusal(e);
            }
            refused += streamed.startsWith(u"refused"_s);
            QVERIFY2(streamed == throughDocument, qPrintable(u"seed %1"_s.arg(seed)));
        }
        // Both kinds of input came up.
        QVERIFY(refused > 10 && refused < 140);
    }
};

QTEST_GUILESS_MAIN(TestStreamedFile)
#include "tst_streamed_file.moc"
