#pragma once

#include <QHash>
#include <QString>

#include <deque>
#include <memory>
#include <vector>

class XmlElement;
class XmlIndentedWriter;

// The rows of an application file (TABELA, WIERSZ and ATRYBUT) as plain values, in both
// directions. A save builds them from the tables before writing any: the rows of a child
// table go under the parent rows whose values they link to, and a later mapping row may add
// values to rows already built, so the tree is complete only at the end. A load reads them
// whole before applying any, so that a damaged file changes no table.

// What every value of one column carries.
struct FileNames {
    QString column;  // "nazwa"; empty for non-base fields
    QString dataSet; // "dsN"
    QString field;   // "dsK"; empty for constants
};

// The names of one file, each kept once however many values carry them.
class FileNamePool {
public:
    const FileNames* add(FileNames names);
    // The same names given again return the same entry.
    const FileNames* shared(const QString& column, const QString& dataSet, const QString& field);

private:
    std::deque<FileNames> names_;
    QHash<QString, const FileNames*> index_;
};

struct FileTable;

// A value (ATRYBUT), or a child table (TABELA) when `table` is set; in file order.
struct FileItem {
    const FileNames* names = nullptr;
    QString number; // "nrW" as the file has it
    QString value;
    std::unique_ptr<FileTable> table;
};

struct FileRow {
    std::vector<FileItem> items;

    // The first value that came from the dataset's field (names compared ignoring case).
    QString valueOf(const QString& dataSet, const QString& field) const;
    // The child table of that name, added when the row has none yet.
    FileTable& table(const QString& name);
};

struct FileTable {
    QString name;
    std::vector<FileRow> rows;
};

// A POLE of POLA_SPEC: a special field's value.
struct FileSpecialField {
    QString code;       // "kod"
    QString number;     // "nrW"
    QString dataSet;    // "dsN"
    QString nameField;  // "dsKN"
    QString valueField; // "dsKW"
    QString value;
};

// The application's row (the one row of PLO_WNIOSKI) with everything below it.
struct FileRows {
    FileNamePool names;
    FileRow row;
};

// The row's values and tables appended to a WIERSZ element of a document.
void appendFileRow(XmlElement row, const FileRow& written);
// The row's values and tables written as the children of the open WIERSZ element.
void writeFileRow(XmlIndentedWriter& out, const FileRow& written);
// A TABELA element of a document as the reader sees it: its WIERSZ children, and in each
// its ATRYBUT (with all the text below it) and TABELA children; anything else is skipped.
FileTable fileTableOf(const XmlElement& table, FileNamePool& names);
