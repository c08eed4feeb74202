#pragma once

#include <QString>
#include <QVariantList>

#include <vector>

class ApplicationFile;
class ImportSchema;
class TdmDataSets;

// One database row of an application: its table (position in the schema), one value per
// column of that table (null for an empty value) and the rows that hang under it.
struct ImportedRow {
    int table = -1;
    QVariantList values;
    std::vector<ImportedRow> children;
};

// An application ready for the database: the rows of its tree and what the import log
// records about it.
struct ImportedApplication {
    QString file;
    QString checksum;      // as the file stores it
    QString moduleVersion; // the version that wrote the file
    std::vector<ImportedRow> rows;
    qsizetype rowCount = 0;
};

// An application file read for import: the rows, or the reason it is refused.
struct ImportCandidate {
    QString refusal; // empty: accepted
    ImportedApplication application;
};

// Opens the file as the editor does and checks it as batch validation does; a damaged
// file, a file of another form type and a file whose checksum fails are refused. An
// accepted file's data is laid out by the writer as a save would lay it out, and every
// row of that tree becomes a row of its schema table.
ImportCandidate readForImport(ApplicationFile& editor, TdmDataSets& dm, const QString& path,
                              const ImportSchema& schema);
