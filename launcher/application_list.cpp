#include "launcher/application_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <libxml/xmlreader.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

struct ReaderFree {
    void operator()(xmlTextReader* reader) const { xmlFreeTextReader(reader); }
};
using Reader = std::unique_ptr<xmlTextReader, ReaderFree>;

bool attributeIs(xmlTextReader* reader, const char* name, const char* value) {
    xmlChar* text = xmlTextReaderGetAttribute(reader, reinterpret_cast<const xmlChar*>(name));
    const bool same = text && xmlStrEqual(text, reinterpret_cast<const xmlChar*>(value));
    xmlFree(text);
    return same;
}

} // namespace

// Reads the file element by element to its end: no entities, no DTD, no network. The title
// is an ATRYBUT of dsWniosek.tytul_projektu; a root other than WNIOSEK means not an
// application; a read error means a damaged file.
TitleScan scanApplicationFile(const QString& path) {
    TitleScan scan;
    Reader reader(xmlReaderForFile(QFile::encodeName(path).constData(), nullptr,
                                   XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!reader) return scan;
    bool rootSeen = false;
    int status = 0;
    while ((status = xmlTextReaderRead(reader.get())) == 1) {
        const int type = xmlTextReaderNodeType(reader.get());
        if (type != XML_READER_TYPE_ELEMENT) continue;
        const xmlChar* name = xmlTextReaderConstLocalName(reader.get());
        if (!rootSeen) {
            rootSeen = true;
            scan.application = xmlStrEqual(name, BAD_CAST "WNIOSEK");
            if (!scan.application) return scan;
            continue;
        }
        if (scan.title.isEmpty() && xmlStrEqual(name, BAD_CAST "ATRYBUT") &&
            attributeIs(reader.get(), "dsN", "dsWniosek") &&
            attributeIs(reader.get(), "dsK", "tytul_projektu")) {
            xmlChar* text = xmlTextReaderReadString(reader.get());
            scan.title = QString::fromUtf8(reinterpret_cast<const char*>(text)).simplified();
            xmlFree(text);
        }
    }
    scan.damaged = status != 0; // -1: not well-formed, cut short included
    return scan;
}

QString readApplicationTitle(const QString& path) {
    return scanApplicationFile(path).title;
}

QList<QFileInfo> listXmlFiles(const QString& folder) {
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.xml")}, QDir::Files | QDir::Readable);
    // Each time read once: converting it to a date is what sorting a full folder costs.
    std::vector<std::pair<qint64, qsizetype>> order;
    order.reserve(size_t(files.size()));
    for (qsizetype i = 0; i < files.size(); ++i)
        order.emplace_back(files[i].lastModified().toMSecsSinceEpoch(), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    QList<QFileInfo> sorted;
    sorted.reserve(files.size());
    for (const auto& [time, i] : order)
        sorted << files[i];
    return sorted;
}

QList<ApplicationEntry> listApplications(const QString& folder) {
    QList<ApplicationEntry> entries;
    const QFileInfoList files =
        QDir(folder).entryInfoList({QStringLiteral("*.xml")}, QDir::Files | QDir::Readable);
    for (const QFileInfo& file : files) {
        const TitleScan scan = scanApplicationFile(file.absoluteFilePath());
        if (!scan.application) continue;
        entries.append({file.absoluteFilePath(), scan.title, scan.damaged, file.lastModified()});
    }
    std::sort(entries.begin(), entries.end(),
              [](const ApplicationEntry& a, const ApplicationEntry& b) {
                  return a.modified > b.modified;
              });
    return entries;
}
