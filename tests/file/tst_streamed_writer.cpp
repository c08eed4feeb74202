// The file written straight from the tables against the file the document gives: the same to
// the byte, over random trees of nasty text and over real applications with random values.
// A failure names the seed that replays it.
#include "file/application_file.h"
#include "file/host_settings.h"
#include "file/mapping_lists.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"
#include "platform/xmldom/xmldocument.h"
#include "platform/xmldom/xmlindentedwriter.h"
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

} // namespace

class TestStreamedWriter : public QObject {
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
        HeadlessUi ui;
        DataModuleOptions options;
        options.folderSources = {[] { return QStringLiteral(TOPAZ_EXAMPLES); },
                                 [] { return QString(); }, [] { return QString(); }};
        auto dm = TdmDataSets::create(ui, options);
        dm->SprawdzSlownik();
        ApplicationFile file(*dm, ui, HostSettings::ReadHostSettings(*options.folderSources));
        file.OpenApplicationFile(path);
        QVERIFY(!file.LoadFailed);
        for (quint32 seed = 1; seed <= 4; ++seed) {
            QRandomGenerator rng(seed);
            if (seed > 1) randomValues(*dm, rng);
            const QString streamed = tmp.filePath(u"strumien.xml"_s);
            const QString throughDocument = tmp.filePath(u"dokument.xml"_s);
            file.xml().writeFile(streamed);
            file.xml().InitWniosekXML(QString());
            file.xml().proba2xml();
            file.xml().Spec2XML();
            file.xml().save(throughDocument);
            QVERIFY2(TestSupport::readAll(streamed) == TestSupport::readAll(throughDocument),
                     qPrintable(u"seed %1"_s.arg(seed)));
        }
    }
};

QTEST_GUILESS_MAIN(TestStreamedWriter)
#include "tst_streamed_writer.moc"
