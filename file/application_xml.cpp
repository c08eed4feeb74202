// The document skeleton of the application file, its parsing and its saving.
#include "file/application_xml.h"
#include "file/loaded_application.h"
#include "file/mapping_lists.h"

#include "model/catalogue/mapping_rows.h"
#include "model/dm_main_tmpl.h"
#include "platform/hostenv/codepage.h"
#include "platform/hostenv/systemfolders.h"
#include "platform/xmldom/declarationrewrite.h"
#include "platform/xmldom/xmlindentedwriter.h"

#include <QDir>
#include <QFile>

namespace {

const QString kFileCodePage = QStringLiteral("windows-1250");

bool isFileCodePage(const QString& name) {
    return name.compare(kFileCodePage, Qt::CaseInsensitive) == 0;
}

// Values are the text of ATRYBUT and POLE; the indentation between the other elements is
// not kept.
const XmlParseOptions& parseOptions() {
    static const XmlParseOptions options{{QByteArray("ATRYBUT"), QByteArray("POLE")}};
    return options;
}

// Parses the file as it is, or, on a system with another code page, a temporary copy
// that declares that code page (deleted again once parsed).
template <typename Parse>
auto parseApplicationFile(const QString& path, const QString& codePage, Parse parse) {
    if (isFileCodePage(codePage)) return parse(path);
    const QString copy = QDir(HostEnv::tempFolder()).filePath(QStringLiteral("wniosek.xml.tmp"));
    struct RemoveCopy {
        QString path;
        ~RemoveCopy() { QFile::remove(path); }
    } removeCopy{copy};
    if (!rewriteDeclarationFile(path, copy, codePage))
        throw XmlError(QStringLiteral("Nie można przygotować pliku \"%1\" do odczytu")
                           .arg(path)
                           .toStdString());
    return parse(copy);
}

// The bytes as they are, or with their declaration naming the system's code page.
QByteArray inSystemCodePage(const QByteArray& bytes, const QString& codePage) {
    if (isFileCodePage(codePage)) return bytes;
    QList<QByteArray> lines = splitLines(bytes);
    rewriteDeclaration(lines, codePage.toLatin1());
    return joinLines(lines);
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    saveFileAtomically(path, [&](QIODevice& file) {
        if (file.write(bytes) != bytes.size()) throw XmlError("zapis przerwany");
    });
}

} // namespace

ApplicationXml::ApplicationXml(TdmDataSets_t& dm) : dm_(dm) {}

QStringList ApplicationXml::zrobliste(const QString& text) {
    QStringList pieces = text.split(QLatin1Char(';'));
    if (!pieces.isEmpty() && pieces.last().isEmpty()) pieces.removeLast();
    return pieces;
}

void ApplicationXml::forgetDocument() {
    doc_ = XmlDocument();
    root_ = infoDll_ = dane_ = polaSpec_ = row_ = XmlElement();
}

void ApplicationXml::InitWniosekXML(const QString& path) {
    forgetDocument();
    if (!path.isEmpty())
        adopt(parseApplicationFile(
                  path, HostEnv::systemCodePageName(),
                  [](const QString& file) { return XmlDocument::parseFile(file, parseOptions()); }),
              path);
    createMissingElements();
}

void ApplicationXml::InitWniosekXMLFromMemory(const QByteArray& bytes) {
    forgetDocument();
    adopt(XmlDocument::parseMemory(inSystemCodePage(bytes, HostEnv::systemCodePageName()),
                                   parseOptions()),
          QStringLiteral("(pamięć)"));
    createMissingElements();
}

LoadedApplication ApplicationXml::load(const QString& path) const {
    const QSet<QString> singleRecord = singleRecordDataSets();
    LoadedApplication loaded =
        parseApplicationFile(path, HostEnv::systemCodePageName(), [&](const QString& file) {
            return LoadedApplication::fromFile(file, singleRecord);
        });
    completeInfo(loaded);
    return loaded;
}

LoadedApplication ApplicationXml::loadFromMemory(const QByteArray& bytes) const {
    LoadedApplication loaded = LoadedApplication::fromMemory(
        inSystemCodePage(bytes, HostEnv::systemCodePageName()), singleRecordDataSets());
    completeInfo(loaded);
    return loaded;
}

LoadedApplication ApplicationXml::freshApplication() const {
    LoadedApplication fresh;
    completeInfo(fresh);
    return fresh;
}

// A file without INFO_DLL reads as one with the skeleton's, as the document gets it.
void ApplicationXml::completeInfo(LoadedApplication& loaded) const {
    if (loaded.hasInfo) return;
    for (const auto& [name, value] : infoAttributes())
        loaded.info.insert(QLatin1String(name), value);
}

void ApplicationXml::adopt(XmlDocument parsed, const QString& source) {
    parsed.setEncoding(HostEnv::systemCodePageName());
    const XmlElement root = parsed.root();
    if (!root.nameIs("WNIOSEK"))
        throw XmlError(QStringLiteral("Parser error: the root element is not WNIOSEK in %1")
                           .arg(source)
                           .toStdString());
    // A record number too large to be real makes the whole file damaged before any
    // table is touched.
    checkRecordNumbers(root.firstChildElement("DANE"), singleRecordDataSets());
    doc_ = std::move(parsed);
    root_ = root;
    infoDll_ = root_.firstChildElement("INFO_DLL");
    dane_ = root_.firstChildElement("DANE");
    polaSpec_ = dane_.firstChildElement("POLA_SPEC");
    row_ = dane_.firstChildElement("TABELA").firstChildElement("WIERSZ");
}

QSet<QString> ApplicationXml::singleRecordDataSets() const {
    const DataSet* mapping = dm_.findTable(QStringLiteral("tabMapowanie"));
    if (!mapping || !mapping->isActive()) return {};
    QSet<QString> merged, ownRows;
    for (const MappingLists& m : readMappingLists(*mapping))
        (m.newRow ? ownRows : merged).insert(m.dsname);
    return merged - ownRows;
}

std::vector<std::pair<const char*, QString>> ApplicationXml::infoAttributes() const {
    return {{"plik", QStringLiteral("TOPAZ_Q")},
            {"wersja", info_.moduleVersion},
            {"roz", QString()},
            {"wersja_p", info_.firstVersion},
            {"wersja_slownika", dm_.WersjaSlownika},
            {"DBID", dm_.DbidSlownika},
            {"SID", dm_.SidSlownika},
            {"wersja_slownika_p", dm_.WersjaSlownikaPliku},
            {"DBID_p", dm_.DbidSlownikaPliku},
            {"SID_p", dm_.SidSlownikaPliku},
            {"format_daty", QStringLiteral("yyyy.MM.dd")}};
}

void ApplicationXml::createMissingElements() {
    if (doc_.isNull()) {
        doc_ = XmlDocument::create();
        root_ = doc_.setRoot("WNIOSEK");
        doc_.setEncoding(HostEnv::systemCodePageName());
    }
    if (infoDll_.isNull()) {
        infoDll_ = root_.appendElement("INFO_DLL");
        for (const auto& [name, value] : infoAttributes())
            infoDll_.setAttribute(name, value);
    }
    if (dane_.isNull()) dane_ = root_.appendElement("DANE");
    if (polaSpec_.isNull()) polaSpec_ = dane_.appendElement("POLA_SPEC");
    if (row_.isNull()) {
        XmlElement table = dane_.firstChildElement("TABELA");
        if (table.isNull()) {
            table = dane_.appendElement("TABELA");
            table.setAttribute("nazwa", QStringLiteral("PLO_WNIOSKI"));
        }
        row_ = table.firstChildElement("WIERSZ");
        if (row_.isNull()) row_ = table.appendElement("WIERSZ");
    }
}

void ApplicationXml::rebuildDocument() {
    InitWniosekXML(QString());
    proba2xml();
    Spec2XML();
}

void ApplicationXml::writeFile(const QString& path) {
    if (!isFileCodePage(HostEnv::systemCodePageName())) {
        rebuildDocument();
        save(path);
        return;
    }
    saveFileAtomically(path, [&](QIODevice& file) {
        XmlIndentedWriter out(file);
        writeFresh(out);
    });
}

void ApplicationXml::save(const QString& path) const {
    if (doc_.isNull()) throw XmlError("Brak dokumentu wniosku do zapisania");
    const QString codePage = HostEnv::systemCodePageName();
    if (isFileCodePage(codePage)) {
        doc_.saveFile(path, codePage);
        return;
    }
    // The text stays in the system code page; the declaration names windows-1250.
    QList<QByteArray> lines = splitLines(doc_.toBytes(codePage));
    rewriteDeclaration(lines, kFileCodePage.toLatin1());
    writeBytes(path, joinLines(lines));
}
