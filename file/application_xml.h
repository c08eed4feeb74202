#pragma once

#include "platform/xmldom/xmldocument.h"
#include "platform/xmldom/xmlelement.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

class DataSet;
class Field;
class TdmDataSets_t;
class XmlIndentedWriter;
class FileNamePool;
struct LoadedApplication;
struct FileItem;
struct FileSpecialField;
struct FileRow;
struct FileRows;
struct FileTable;

// Throws XmlError ("Parser error") when an ATRYBUT or POLE below the element names a
// record number above ApplicationXml::MaxRecordNumber, or above 1 for a dataset of
// `singleRecord` (one the mapping only merges into rows: a second record of it would be
// written into every row once more, so a file could make its own copy grow as rows x records).
void checkRecordNumbers(const XmlElement& element, const QSet<QString>& singleRecord = {});
// The same for one record number ("nrW") of a value of the dataset.
void checkRecordNumber(const QString& number, const QString& dataSet,
                       const QSet<QString>& singleRecord);
struct MappingLists;

// The application file's DOM and the two directions between it and the data module: the
// writer builds the skeleton and fills it from the tables as the mapping table
// (tabMapowanie) prescribes; the reader applies a parsed file to the tables. It is the
// document half of the editor; loading and saving (ApplicationFile) drive it.
class ApplicationXml {
public:
    // Fills the mapping table when it is still empty.
    explicit ApplicationXml(TdmDataSets_t& dm);

    // What INFO_DLL receives when a fresh skeleton is built.
    struct InfoValues {
        QString moduleVersion; // "wersja": the current module version
        QString firstVersion;  // "wersja_p"
    };
    void setInfoValues(const InfoValues& v) { info_ = v; }

    // Clears the document; with a path parses the file (through a temporary copy when
    // the system code page is not windows-1250) and locates the skeleton. Throws
    // XmlError when the file cannot be parsed or located (a root other than WNIOSEK
    // counts as a parse error); afterwards the document is empty and the caller calls
    // InitWniosekXML(QString()) for a fresh skeleton. Missing elements are created.
    void InitWniosekXML(const QString& path);
    // The same for the bytes of a file already in memory: no file and no temporary copy.
    void InitWniosekXMLFromMemory(const QByteArray& bytes);

    // A load without the document: the file (or the bytes) read as the parser streams it,
    // refused as InitWniosekXML refuses it. The document is left as it was.
    LoadedApplication load(const QString& path) const;
    LoadedApplication loadFromMemory(const QByteArray& bytes) const;
    // What a fresh skeleton gives a load: its INFO_DLL, no rows.
    LoadedApplication freshApplication() const;

    // Writer. proba2xml builds a fresh skeleton first when there is no document. A field
    // that the mapping names but the dataset lacks throws DataSetError.
    void proba2xml(); // every mapped dataset into the skeleton
    void Spec2XML();  // the special fields into POLA_SPEC
    // A fresh skeleton filled by both.
    void rebuildDocument();

    // Reader. Values that cannot be converted leave the field as it was, unknown
    // datasets and fields are skipped, nrW other than a positive number is ignored.
    // A record number above 100 000 anywhere below the element makes the whole file
    // damaged: XmlError with "Parser error" is thrown before anything is applied.
    // Datasets may be left in edit state; the caller posts pending edits.
    void XML2proba(const XmlElement& table); // applies every WIERSZ, recursively
    // Raises the data module's Wczytywanie for its duration.
    void XML2PolaSpec(const XmlElement& polaSpec);
    // The same for rows and special fields read without a document (their record numbers
    // already checked).
    void readFileTable(const FileTable& table);
    void readSpecialFields(const std::vector<FileSpecialField>& fields);

    // A fresh skeleton filled by proba2xml and Spec2XML and saved, written straight from the
    // tables without the document (which stays as it was) in the file's own code page, and
    // through the document on a system with another code page. The file is the same to the
    // byte either way. A temporary file is renamed over the target: a failed write leaves
    // the old file. Throws XmlError with the reason, DataSetError as proba2xml.
    void writeFile(const QString& path);

    // Writes the document to the file in windows-1250 (then the code-page rule), through
    // a temporary file renamed over the target: a failed write leaves the old file.
    // Throws XmlError with the underlying reason.
    void save(const QString& path) const;

    // While set, proba2xml and Spec2XML write a copy on the side: no table being edited is
    // posted, a record being edited is written as its edit buffer holds it, and the stored
    // checksum is replaced by `checksum`.
    struct Snapshot {
        QString checksum;
    };
    void setSnapshot(const Snapshot* snapshot) { snapshot_ = snapshot; }

    XmlDocument& document() { return doc_; }
    XmlElement infoDll() const { return infoDll_; }
    XmlElement dane() const { return dane_; }
    XmlElement polaSpec() const { return polaSpec_; }
    XmlElement applicationRow() const { return row_; }

    // The pattern in which the dates of the loaded file are read ("format_daty").
    QString FileDateFormat = QStringLiteral("yyyy.MM.dd");

    // Splits at every ";"; empty pieces stay, an empty last piece is dropped.
    static QStringList zrobliste(const QString& text);

    // The largest record number a file may name.
    static constexpr qint64 MaxRecordNumber = 100000;
    // The datasets the mapping only merges into rows of other tables: one record each.
    QSet<QString> singleRecordDataSets() const;

private:
    struct Target; // a mapping row resolved against its dataset

    void forgetDocument();
    void finishEdit(DataSet& ds) const;
    // Takes a parsed document as the current one and locates its skeleton elements.
    void adopt(XmlDocument parsed, const QString& source);
    void createMissingElements();

    struct SpecialField {
        QString code; // the field's name: "kod" and "dsKW"
        QString dataSet;
        QString value;
    };

    std::vector<std::pair<const char*, QString>> infoAttributes() const;
    void completeInfo(LoadedApplication& loaded) const;
    FileRows buildFileRows();
    std::vector<SpecialField> specialFields();
    void writeFresh(XmlIndentedWriter& out);
    void WriteMappedRow(FileRow& row, const Target& target, int recNo, bool currentRecord) const;
    void WriteChildTables(const QString& parentName, const std::vector<FileRow*>& rows,
                          const std::vector<MappingLists>& mapping, FileNamePool& names);
    void WriteTableRows(FileTable& childTable, const Target& target,
                        const QList<int>& records) const;

    void collectWrittenFields();
    void readTable(const FileTable& table);
    void ReadRow(const FileRow& row);
    void readAttribute(DataSet& ds, const FileItem& attribute);
    void readSpecialField(DataSet& ds, const FileSpecialField& pole);
    void assignFromFile(Field& field, const QString& text);

    TdmDataSets_t& dm_;

    const Snapshot* snapshot_ = nullptr;
    QSet<const Field*> written_; // the fields a save writes back, by the mapping
    InfoValues info_;
    XmlDocument doc_;
    XmlElement root_, infoDll_, dane_, polaSpec_, row_;
};
