#pragma once

#include "file/file_rows.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

#include <vector>

// What a load takes from an application file, read as the parser streams it, without a
// document: INFO_DLL's attributes, the rows of DANE's first TABELA and the POLE of its
// first POLA_SPEC. Every record number below DANE is checked as it comes, so a damaged
// file is refused before anything is applied.
struct LoadedApplication {
    bool hasInfo = false;
    QHash<QString, QString> info; // INFO_DLL's attributes by name (absent ones read empty)
    bool hasTable = false;
    FileNamePool names;
    FileTable table;
    bool hasSpecialFields = false;
    std::vector<FileSpecialField> specialFields;

    // Throws XmlError as XmlDocument::parseFile does, and with "Parser error" when the root
    // is not WNIOSEK or a record number is refused (see checkRecordNumber).
    static LoadedApplication fromFile(const QString& path, const QSet<QString>& singleRecord);
    static LoadedApplication fromMemory(const QByteArray& bytes, const QSet<QString>& singleRecord);
};
