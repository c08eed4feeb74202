#include "file/application_tables.h"
#include "file/application_xml.h"
#include "file/checksum.h"
#include "file/loaded_application.h"
#include "model/catalogue/mapping_rows.h"
#include "tests/model/module_fixture.h"
#include "tests/test_support.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Detaches every rule of the module so that the tests see the writer and reader alone.
// Required numbers of new rows are filled as the insert rules of a full module fill them.
void quiet(TdmDataSets& dm) {
    for (const auto& t : dm.tables()) {
        t->events = DataSetEvents{};
        std::vector<Field*> numbers;
        for (const auto& f : t->fields()) {
            f->onChange = nullptr;
            if (f->required() && f->kind() == FieldKind::Data && f->isNumeric())
                numbers.push_back(f.get());
        }
        if (!numbers.empty())
            t->events.onNewRecord = [numbers](DataSet& ds) {
                for (Field* f : numbers)
                    f->setValue(ds.recordCount() + 1);
            };
    }
}

struct Module {
    ModuleFixture fx;
    ApplicationXml xml{*fx.dm};
    Module() {
        quiet(*fx.dm);
        extendMappingTable(*fx.dm);
    }
    DataSet& t(const char* name) const { return fx.t(name); }
    // Appends a record and sets the fields named in pairs (name, value).
    void add(const char* table,
             std::initializer_list<std::pair<const char*, QVariant>> values) const {
        DataSet& ds = t(table);
        ds.open();
        ds.append();
        for (const auto& [name, v] : values)
            ds.field(QString::fromUtf8(name)).setValue(v);
        ds.post();
    }
    void set(const char* table, int rec, const char* field, const QVariant& v) const {
        DataSet& ds = t(table);
        ds.setRecNo(rec);
        ds.edit();
        ds.field(QString::fromUtf8(field)).setValue(v);
        ds.post();
    }
    QString text(const char* table, int rec, const char* field) const {
        const Field& f = t(table).field(QString::fromUtf8(field));
        return FieldText::format(f.type(), t(table).valueAt(rec, f));
    }
    void write() { xml.rebuildDocument(); }
    // Reads a file the way loading does: streamed, rows, special fields, pending edits posted.
    void read(const QString& path) {
        const LoadedApplication loaded = xml.load(path);
        xml.readFileTable(loaded.table);
        xml.readSpecialFields(loaded.specialFields);
        for (const auto& ds : fx.dm->tables())
            if (ds->isEditing()) ds->post();
    }
    void emptyLists() const {
        for (const char* name :
             {"dsPomocPub", "dsKatPrzych", "dsPlanWydatki", "dsZrodlaFin", "dsProfilWyd",
              "dsEtapyRealizacji", "dsLokalizacja", "dsProdukty", "dsRezultaty", "dsOddz",
              "dsInstytucje", "dsZamPub", "dsBeneficjent", "dsWniosek", "dsPolaSpec"})
            if (t(name).isActive()) t(name).emptyTable();
    }
};

QList<XmlElement> elements(const XmlElement& e, const char* name) {
    QList<XmlElement> out;
    for (XmlElement c = e.firstChildElement(name); !c.isNull(); c = c.nextSiblingElement())
        out << c;
    return out;
}

// The rows of the child table of that name; none when the row has no such table.
QList<XmlElement> childRows(const XmlElement& row, const QString& table) {
    for (const XmlElement& t : elements(row, "TABELA"))
        if (t.attribute("nazwa") == table) return elements(t, "WIERSZ");
    return {};
}

QString attribute(const XmlElement& row, const QString& column) {
    for (const XmlElement& a : elements(row, "ATRYBUT"))
        if (a.attribute("nazwa") == column) return a.text();
    return u"<none>"_s;
}

// The fields the mapping writes, by dataset, in first-seen order.
QMap<QString, QStringList> mappedFields(const DataSet& mapping) {
    QMap<QString, QStringList> out;
    for (int rec = 1; rec <= mapping.recordCount(); ++rec) {
        auto text = [&](const char* f) {
            return mapping.valueAt(rec, mapping.field(f)).toString();
        };
        QStringList& names = out[text("dsname")];
        QStringList listed = ApplicationXml::zrobliste(text("niebazowe"));
        for (const QString& pair : ApplicationXml::zrobliste(text("plo_kolumny")))
            listed << pair.section('=', 1);
        for (const QString& n : listed)
            if (!n.isEmpty() && !names.contains(n, Qt::CaseInsensitive)) names << n;
    }
    return out;
}

// A value for every field that can hold one: keys of lookups taken from their
// dictionaries, numbering fields equal to the record number, texts with line breaks and
// Polish letters, floats with a fraction.
QVariant sampleValue(const TdmDataSets& dm, const DataSet& ds, const Field& f, int rec) {
    const QString name = f.name();
    for (const auto& other : ds.fields()) {
        const FieldDef& d = other->definition();
        if (other->kind() != FieldKind::Lookup ||
            d.keyField.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const DataSet* dict = dm.findTable(d.lookupDataSet);
        if (dict && dict->recordCount() > 0)
            return dict->valueAt(1 + (rec * 3) % dict->recordCount(),
                                 dict->field(d.lookupKeyField));
    }
    if (QStringList{"Lp.", "Lp", "lp", "Id"}.contains(name)) return rec;
    if (name == "Etap") return QList<int>{1, 2, 1, 3}.value(rec - 1, 1);
    if (name == "par_id") return rec == 1 ? QVariant() : QVariant(1);
    switch (f.type()) {
    case FieldType::String:
        if (f.size() <= 2) return rec % 2 ? "T" : "N";
        return QString("%1 %2: zażółć gęślą jaźń\r\nwiersz drugi")
            .arg(name)
            .arg(rec)
            .left(f.size());
    case FieldType::Integer:
    case FieldType::Int64:
        return rec * 100 + f.index();
    case FieldType::Float:
        return rec * 1000 + 200.5 + f.index() / 100.0;
    case FieldType::Date:
        return QDate(2005, 3, 31).addDays(rec * 7 + f.index());
    case FieldType::Boolean:
        return rec % 2 == 1;
    }
    return {};
}

// Fills every mapped field and every special field; answers them by dataset.
QMap<QString, QStringList> fillEverything(const Module& m,
                                          const QMap<QString, QStringList>& fields) {
    QMap<QString, QStringList> all = fields;
    for (const auto& f : m.t("dsPolaSpec").fields())
        all["dsPolaSpec"] << f->name();
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        DataSet& ds = m.fx.dm->table(it.key());
        const QStringList single{"dsWniosek", "dsPozWdr", "dsKatInt", "dsBeneficjent",
                                 "dsPolaSpec"};
        const int rows = single.contains(it.key()) ? 1 : 4;
        ds.open();
        while (ds.recordCount() < rows) {
            const int before = ds.recordCount();
            if (ds.append()) ds.post();
            if (ds.recordCount() == before)
                throw std::runtime_error("no row added to " + it.key().toStdString());
        }
        for (int rec = 1; rec <= ds.recordCount(); ++rec) {
            ds.setRecNo(rec);
            ds.edit();
            for (const QString& name : it.value()) {
                Field& f = ds.field(name);
                if (f.kind() != FieldKind::Lookup) f.setValue(sampleValue(*m.fx.dm, ds, f, rec));
            }
            ds.post();
        }
    }
    return all;
}

XmlDocument parse(const QString& body) {
    return XmlDocument::parseMemory(("<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body).toUtf8());
}

QString attr(const QString& ds, const QString& field, const QString& nrW, const QString& text) {
    return QString("<ATRYBUT nazwa=\"X\" dsN=\"%1\" dsK=\"%2\" nrW=\"%3\">%4</ATRYBUT>")
        .arg(ds, field, nrW, text);
}

QString tableOf(const QString& attributes) {
    return "<TABELA nazwa=\"PLO_WNIOSKI\"><WIERSZ>" + attributes + "</WIERSZ></TABELA>";
}

// The "niebazowe" list of every mapping row, in order.
QStringList nonBaseLists(const DataSet& mapping) {
    QStringList out;
    for (int rec = 1; rec <= mapping.recordCount(); ++rec)
        out << mapping.valueAt(rec, mapping.field(u"niebazowe"_s)).toString();
    return out;
}

} // namespace

class TestApplicationXml : public QObject {
    Q_OBJECT

private slots:
    // ---------------------------------------------------------------- skeleton

    void newSkeleton() {
        Module m;
        m.fx.dm->WersjaSlownika = "3.12";
        m.fx.dm->DbidSlownikaPliku = "1201";
        m.xml.setInfoValues({"2.0.0.1", "1.0.0.0"});
        m.xml.InitWniosekXML(QString());
        // The elements, and the attributes of INFO_DLL in the order the host reads them.
        QCOMPARE(
            QString::fromLatin1(m.xml.document().toBytes()).simplified(),
            QString("<?xml version=\"1.0\" encoding=\"windows-1250\"?> <WNIOSEK> <INFO_DLL "
                    "plik=\"TOPAZ_Q\" wersja=\"2.0.0.1\" roz=\"\" wersja_p=\"1.0.0.0\" "
                    "wersja_slownika=\"3.12\" DBID=\"1201\" SID=\"7\" wersja_slownika_p=\"3.12\" "
                    "DBID_p=\"1201\" SID_p=\"7\" format_daty=\"yyyy.MM.dd\"/> <DANE> <POLA_SPEC/> "
                    "<TABELA nazwa=\"PLO_WNIOSKI\"> <WIERSZ/> </TABELA> </DANE> </WNIOSEK>"));
        QCOMPARE(m.xml.applicationRow(),
                 m.xml.dane().firstChildElement("TABELA").firstChildElement("WIERSZ"));
        // A load takes a file's own INFO_DLL as it is; a file without one reads the skeleton's.
        QCOMPARE(m.xml.loadFromMemory("<WNIOSEK><INFO_DLL wersja=\"0.9\"/></WNIOSEK>").info,
                 (QHash<QString, QString>{{"wersja", "0.9"}}));
        QCOMPARE(m.xml.loadFromMemory("<WNIOSEK/>").info.value("wersja"), QString("2.0.0.1"));
    }

    void emptyApplicationHasEmptyColumnsAndOnePolePerSpecialField() {
        Module m;
        m.emptyLists();
        m.add("dsWniosek", {});
        m.write();
        const XmlElement row = m.xml.applicationRow();
        int columns = 0;
        for (const XmlElement& a : elements(row, "ATRYBUT")) {
            if (a.attribute("dsN") != "dsWniosek" || a.attribute("nazwa").isEmpty()) continue;
            ++columns;
            QVERIFY2(a.text().isEmpty(), qPrintable(a.attribute("dsK")));
        }
        QCOMPARE(columns, 31);
        // Only the area type creates its table: there is no location to merge into.
        QStringList tables;
        for (const XmlElement& t : elements(row, "TABELA"))
            tables << t.attribute("nazwa");
        QCOMPARE(tables, QStringList{"PLO_LOKALIZACJE_PROJEKTOW"});
        QVERIFY(childRows(row, "PLO_LOKALIZACJE_PROJEKTOW").isEmpty());

        const QList<XmlElement> poles = elements(m.xml.polaSpec(), "POLE");
        QCOMPARE(poles.size(), m.t("dsPolaSpec").fieldCount());
        const QString name = m.t("dsPolaSpec").fieldAt(1).name();
        const XmlElement& p = poles[1];
        QCOMPARE(QStringList({p.attribute("kod"), p.attribute("nrW"), p.attribute("dsN"),
                              p.attribute("dsKW")}),
                 QStringList({name, "1", "dsPolaSpec", name}));
        QVERIFY(p.hasAttribute("dsKN"));
    }

    // ---------------------------------------------------------------- round trip

    // Every mapped value survives a save and a load, also at the edges of its format. A file
    // from elsewhere that also holds values of fields the form never writes (and of tables it
    // never saves) loads only what a save writes back, so the checksum of the loaded data
    // holds for the saved file.
    void roundTripKeepsEveryWrittenValue() {
        QTemporaryDir dir;
        const QString path = dir.filePath("wniosek.xml");
        Module source;
        const QMap<QString, QStringList> fields = mappedFields(source.t("tabMapowanie"));
        while (source.t("dsPomocPub").recordCount() < 6)
            source.add("dsPomocPub", {});
        const QMap<QString, QStringList> compared = fillEverything(source, fields);
        // Values at the edges of their format, in the records of one table.
        const QList<std::pair<const char*, QVariantList>> edges{
            {"Kwota_pomocy", {1200.5, 123456789012.345, 999999999999999.0, -0.01, 1e20, -1.5e-7}},
            {"Lp.", {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()}},
            {"Data_udz_pom", {QDate(2008, 2, 29), QDate(1, 1, 1), QDate(9999, 12, 31)}},
            {"Tytul_pomocy", {u"<a href=\"x\">&amp;'</a>"_s}}};
        for (const auto& [field, values] : edges)
            for (int rec = 1; rec <= values.size(); ++rec)
                source.set("dsPomocPub", rec, field, values[rec - 1]);
        source.write();
        for (const QString& table : applicationTableNames()) {
            const DataSet& ds = source.t(table.toUtf8());
            for (const auto& f : ds.fields()) {
                if (f->kind() != FieldKind::Data || f->name() == u"suma_kontrolna"_s ||
                    fields[table].contains(f->name(), Qt::CaseInsensitive))
                    continue;
                for (int rec = 1; rec <= (ds.recordCount() > 0 ? ds.recordCount() : 2); ++rec) {
                    XmlElement a = source.xml.applicationRow().appendElement("ATRYBUT");
                    for (const auto& [name, value] : {std::pair{"nazwa", QString()},
                                                      {"dsN", table},
                                                      {"dsK", f->name()},
                                                      {"nrW", QString::number(rec)}})
                        a.setAttribute(name, value);
                    a.setText(
                        FieldText::format(f->type(), sampleValue(*source.fx.dm, ds, *f, rec)));
                }
            }
        }
        source.xml.save(path);

        Module target;
        target.emptyLists();
        target.fx.dm->Wczytywanie = true;
        target.read(path);

        QCOMPARE(target.text("dsWniosek", 1, "opis_projektu"),
                 QString("opis_projektu 1: zażółć gęślą jaźń\r\nwiersz drugi"));
        QCOMPARE(target.text("dsPomocPub", 1, "Kwota_pomocy"), QString("1200,5"));
        QVERIFY(!target.text("dsLokalizacja", 2, "Lkp_gm").isEmpty());
        QStringList lost;
        for (auto it = compared.cbegin(); it != compared.cend(); ++it) {
            const QByteArray table = it.key().toUtf8();
            QCOMPARE(target.t(table).recordCount(), source.t(table).recordCount());
            for (int rec = 1; rec <= source.t(table).recordCount(); ++rec)
                for (const QString& name : it.value()) {
                    const QByteArray field = name.toUtf8();
                    if (target.text(table, rec, field) != source.text(table, rec, field))
                        lost << u"%1.%2 #%3"_s.arg(it.key(), name).arg(rec);
                }
        }
        QVERIFY2(lost.isEmpty(), qPrintable(lost.join(u' ')));
        const DataSet& aid = target.t("dsPomocPub");
        for (const auto& [field, values] : edges) // to the last digit, not only as shown
            for (int rec = 1; rec <= values.size(); ++rec)
                QCOMPARE(aid.valueAt(rec, aid.field(field)), values[rec - 1]);

        const QString resaved = dir.filePath("zapisany.xml");
        target.write();
        target.xml.save(resaved);
        Module again;
        again.emptyLists();
        again.fx.dm->Wczytywanie = true;
        again.read(resaved);
        QCOMPARE(BuildChecksumText(*again.fx.dm), BuildChecksumText(*target.fx.dm));
    }

    // ---------------------------------------------------------------- element structure

    void childTablesOnlyUnderMatchingParents() {
        Module m;
        m.emptyLists();
        m.add("dsWniosek", {});
        for (int stage = 1; stage <= 3; ++stage)
            m.add("dsEtapyRealizacji", {{"Lp", stage}});
        for (int stage : {1, 2, 1})
            m.add("dsPlanWydatki", {{"Etap", stage}});
        m.add("dsProdukty", {{"Produkt", "Droga"}});
        m.add("dsProdukty", {{"Produkt", "Most"}});
        m.add("dsRezultaty", {{"Rezultat", "Czas"}});
        m.add("dsOddz", {{"Oddzialywanie", "Ruch"}});
        m.write();

        const QList<XmlElement> stages =
            childRows(m.xml.applicationRow(), "PLO_ETAPY_REALIZACJI_PROJEKTOW");
        QCOMPARE(stages.size(), 3);
        const QList<XmlElement> first = childRows(stages[0], "PLO_WYDATKI_W_RAMACH_PROJEKTOW");
        QCOMPARE(first.size(), 26);
        QCOMPARE(attribute(first[0], "WRP_ROK"), QString("2004"));
        QCOMPARE(elements(first[1], "ATRYBUT").first().attribute("nrW"), QString("3"));
        QCOMPARE(childRows(stages[1], "PLO_WYDATKI_W_RAMACH_PROJEKTOW").size(), 13);
        QVERIFY(elements(stages[2], "TABELA").isEmpty());

        const QList<XmlElement> indicators =
            childRows(m.xml.applicationRow(), "PLO_WSKAZNIKI_CELOW_PROJEKTOW");
        QCOMPARE(indicators.size(), 4);
        // Per indicator: its type, the dataset and record of every year row, rows, last year.
        const QStringList expected{"P dsProdukty 1 13 2016", "P dsProdukty 2 13 2016",
                                   "R dsRezultaty 1 13 2016", "O dsOddz 1 5 2008"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(elements(indicators[i], "TABELA").size(), 1);
            const QList<XmlElement> values = childRows(indicators[i], "PLO_WARTOSCI_WCP");
            QSet<QString> sources;
            for (const XmlElement& v : values) {
                const XmlElement a = elements(v, "ATRYBUT").first();
                sources << a.attribute("dsN") + u' ' + a.attribute("nrW");
            }
            QCOMPARE(sources.size(), 1);
            QCOMPARE(u"%1 %2 %3 %4"_s.arg(attribute(indicators[i], "WCP_TYP"), *sources.begin())
                         .arg(values.size())
                         .arg(attribute(values.last(), "WWC_ROK")),
                     expected[i]);
        }
    }

    // ---------------------------------------------------------------- mapping

    // The code fields of the lookups join the mapping once, however often it is extended
    // (where they go shows in whole files resaved byte for byte in tst_validate_files).
    void extendingTwiceAddsNothing() {
        ModuleFixture fx;
        extendMappingTable(*fx.dm);
        const QStringList once = nonBaseLists(fx.t("tabMapowanie"));
        extendMappingTable(*fx.dm);
        QCOMPARE(nonBaseLists(fx.t("tabMapowanie")), once);
    }

    void zrobliste_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("a") << "a" << QStringList{"a"};
        QTest::newRow("a;b;") << "a;b;" << QStringList{"a", "b"};
        QTest::newRow("a;;b") << "a;;b" << QStringList{"a", "", "b"};
        QTest::newRow("a;;") << "a;;" << QStringList{"a", ""};
        QTest::newRow(";a") << ";a" << QStringList{"", "a"};
        QTest::newRow(";") << ";" << QStringList{""};
    }
    void zrobliste() {
        QFETCH(QString, text);
        QTEST(ApplicationXml::zrobliste(text), "pieces");
    }
    // ---------------------------------------------------------------- reader

    // Records are found by number; missing ones up to it are appended empty. Elements that
    // name no record, dataset or field are passed over. Empty records that a filter hides
    // never raise the count: the reader gives up.
    void readRows_data() {
        QTest::addColumn<QString>("elements");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("texts"); // of every record after reading
        const auto z = [](const QString& nrW, const QString& ds = u"dsZamPub"_s,
                          const QString& field = u"zgod_zam_pub_przedmiot"_s) {
            return attr(ds, field, nrW, "r" + nrW.trimmed());
        };
        const auto row = [](const char* name, const QString& elements, const QStringList& texts,
                            const char* filter = "") {
            QTest::newRow(name) << elements << filter << texts;
        };
        const QStringList both{"jeden", "dwa"};
        row("five after two", z("5"), both + QStringList{"", "", "r5"});
        row("within the count", z("2"), {"jeden", "r2"});
        row("the next one", z("3"), both + QStringList{"r3"});
        row("a gap", z("1") + z("4"), {"r1", "dwa", "", "r4"});
        row("backwards", z("4") + z("3"), both + QStringList{"r3", "r4"});
        row("blanks and a plus", z(" +3 "), both + QStringList{"r+3"});
        for (const char* nrW : {"0", "-3", "", "abc", "1.5"})
            QTest::addRow("nrW \"%s\"", nrW) << z(QString::fromLatin1(nrW)) << "" << both;
        row("unknown dataset", z("1", "dsNieMa"), both);
        row("unknown field", z("1", "dsZamPub", "nie_ma"), both);
        row("constant column", z("1", "dsZamPub", ""), both);
        row("comment and text", "<!-- x -->tekst<INNY nrW=\"1\">x</INNY>", both);
        row("filtered table", z("3"), both + QStringList{""}, "lp = 1");
    }
    void readRows() {
        QFETCH(QString, elements);
        QFETCH(QString, filter);
        Module m;
        m.emptyLists();
        m.add("dsZamPub", {{"zgod_zam_pub_przedmiot", "jeden"}, {"lp", 1}});
        m.add("dsZamPub", {{"zgod_zam_pub_przedmiot", "dwa"}, {"lp", 2}});
        DataSet& ds = m.t("dsZamPub");
        ds.setFilter(filter);
        ds.setFiltered(!filter.isEmpty());
        m.xml.XML2proba(parse(tableOf(elements)).root());
        QCOMPARE(ds.state(), DataSetState::Browse);
        if (ds.isFiltered()) {
            QCOMPARE(ds.recordCount(), 1);
            ds.setFiltered(false);
        }
        QStringList texts, numbers, counted;
        for (int rec = 1; rec <= ds.recordCount(); ++rec) {
            texts << m.text("dsZamPub", rec, "zgod_zam_pub_przedmiot");
            numbers << m.text("dsZamPub", rec, "lp");
            counted << (rec <= 2 ? QString::number(rec) : QString()); // the new ones empty
        }
        QTEST(texts, "texts");
        QCOMPARE(numbers, counted);
    }

    void valueConversion_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("before");
        QTest::addColumn<QString>("fileText");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("codePage");    // the system's, when not windows-1250
        QTest::addColumn<QString>("datePattern"); // the file's, when not the module's own
        auto row = [](const char* name, const char* field, const QVariant& before,
                      const QString& fileText, const QString& after, const char* codePage = "",
                      const char* datePattern = "") {
            QTest::newRow(name) << field << before << fileText << after << codePage << datePattern;
        };
        row("float 15 digits", "Kwota_pomocy", 7.0, "123456789012,345", "123456789012,345");
        row("float not a number", "Kwota_pomocy", 7.0, "abc", "7");
        row("float empty clears", "Kwota_pomocy", 7.0, "", "");
        row("integer", "Lp.", 1, "42", "42");
        row("integer negative", "Lp.", 1, "-2147483648", "-2147483648");
        row("integer not a number", "Lp.", 1, "4x", "1");
        row("date", "Data_udz_pom", QDate(2001, 1, 1), "2005.03.31", "2005.03.31");
        row("date not a date", "Data_udz_pom", QDate(2001, 1, 1), "2005.13.45", "2001.01.01");
        row("date empty clears", "Data_udz_pom", QDate(2001, 1, 1), "", "");
        row("date, day first", "Data_udz_pom", QVariant(), "31-03-2005", "2005.03.31", "",
            "dd-mm-yyyy");
        row("date, hyphens", "Data_udz_pom", QVariant(), "2005-03-31", "2005.03.31", "",
            "yyyy-mm-dd");
        row("string empty clears", "Tytul_pomocy", "Ulga", "", "");
        row("š stored as ą", "Tytul_pomocy", "", "Koš Š", "Koą Š");
        // ISO-8859-2 holds "š" at 0xB9, where windows-1250 has "ą": the file's "ą" reads as
        // "š" there and stays; the file's "š" (0x9A) becomes 0xB9 as everywhere.
        row("ISO-8859-2: byte 0xB9 kept", "Tytul_pomocy", "", "Koš", "Koš", "ISO-8859-2");
        row("ISO-8859-2: byte 0x9A", "Tytul_pomocy", "", "Ko\u009A", "Koš", "ISO-8859-2");
        row("other characters alike: kept", "Tytul_pomocy", "Łódź", "Żódż", "Łódź");
        row("blank for tab: kept", "Tytul_pomocy", "a b", "a\tb", "a b");
        row("a letter differs", "Tytul_pomocy", "Łódź", "Lódź", "Lódź");
        row("case differs", "Tytul_pomocy", "Łódź", "ŁóDź", "ŁóDź");
        row("hyphen counts", "Tytul_pomocy", "a b", "a-b", "a-b");
        row("length differs", "Tytul_pomocy", "Łódź", "Łódź!", "Łódź!");
    }
    void valueConversion() {
        QFETCH(QString, field);
        QFETCH(QVariant, before);
        QFETCH(QString, fileText);
        QFETCH(QString, after);
        QFETCH(QString, codePage);
        QFETCH(QString, datePattern);
        const TestSupport::ScopedEnv systemCodePage("TOPAZ_SYSTEM_CODEPAGE", codePage.toLatin1());
        Module m;
        m.emptyLists();
        if (!datePattern.isEmpty()) m.xml.FileDateFormat = datePattern;
        m.add("dsPomocPub", {{field.toUtf8().constData(), before}});
        m.t("dsPomocPub").field(field).setReadOnly(true);
        m.xml.XML2proba(
            parse(tableOf(attr("dsPomocPub", field, "1", fileText.toHtmlEscaped()))).root());
        QCOMPARE(m.text("dsPomocPub", 1, field.toUtf8()), after);
        QVERIFY(m.t("dsPomocPub").field(field).isReadOnly());
    }

    void specialFieldsReadWhileLoading() {
        Module m;
        m.emptyLists();
        QList<bool> loadingSeen;
        m.t("dsPolaSpec").field("INNEPODZAANOP").onChange = [&](Field&) {
            loadingSeen << m.fx.dm->Wczytywanie;
        };
        const XmlDocument doc =
            parse("<POLA_SPEC>"
                  "<POLE kod=\"INNEPODZAANOP\" nrW=\"1\" dsN=\"dsPolaSpec\" dsKN=\"\" "
                  "dsKW=\"INNEPODZAANOP\">opis\r\n</POLE>"
                  "<POLE kod=\"CZYWYSTINNEINS\" nrW=\"1\" dsN=\"dsPolaSpec\" dsKN=\"\" "
                  "dsKW=\"CZYWYSTINNEINS\"></POLE>"
                  "<POLE kod=\"T\" nrW=\"1\" dsN=\"dsPolaSpec\" dsKN=\"ZALMAPYRT\" "
                  "dsKW=\"nie_ma\">x</POLE>"
                  "<POLE kod=\"A\" nrW=\"1\" dsN=\"dsNieMa\" dsKN=\"\" dsKW=\"A\">x</POLE>"
                  "</POLA_SPEC>");
        m.xml.XML2PolaSpec(doc.root());
        QCOMPARE(loadingSeen, QList<bool>{true});
        QVERIFY(!m.fx.dm->Wczytywanie);
        QCOMPARE(m.t("dsPolaSpec").recordCount(), 1);
        QCOMPARE(m.text("dsPolaSpec", 1, "INNEPODZAANOP"), QString("opis\n"));
        QCOMPARE(m.text("dsPolaSpec", 1, "CZYWYSTINNEINS"), QString());
        QCOMPARE(m.text("dsPolaSpec", 1, "ZALMAPYRT"), QString("T"));
        QCOMPARE(m.t("dsPolaSpec").state(), DataSetState::Browse);
    }

    // ---------------------------------------------------------------- files

    // Another system code page: the text is written in it and declared windows-1250 (whole
    // files resaved so are compared byte for byte in tst_validate_files); loading declares it
    // again on a temporary copy, which is deleted.
    void otherSystemCodePage() {
        QTemporaryDir dir, temp;
        const TestSupport::ScopedEnv codePage("TOPAZ_SYSTEM_CODEPAGE", "ISO-8859-2");
        const TestSupport::ScopedEnv tmp("TMPDIR", temp.path().toUtf8());
        const QString path = dir.filePath("w.xml");
        Module source;
        source.emptyLists();
        source.add("dsWniosek", {{"tytul_projektu", "Zażółć\r\ngęślą"}});
        source.write();
        source.xml.save(path);
        Module target;
        target.emptyLists();
        target.read(path);
        QCOMPARE(target.text("dsWniosek", 1, "tytul_projektu"), QString("Zażółć\r\ngęślą"));
        QVERIFY(!QFile::exists(temp.filePath("wniosek.xml.tmp")));
    }
};

QTEST_GUILESS_MAIN(TestApplicationXml)
#include "tst_application_xml.moc"
