#pragma once

// Where the editor shows each field of the application: the section (the panel's heading),
// the caption beside the control or over the grid column, and the control's name. Read from
// the frame descriptions and the year-grid descriptions, which are data: no widget is built.
#include <QHash>
#include <QString>

namespace editor {

struct FieldPlace {
    QString section; // "6. Projekt"
    QString caption; // "Tytuł Projektu" ("2005 zł" for a year column)
    QString control; // "tytul_projektu", the grid "e604003"
};

class FieldCaptions {
public:
    static const FieldCaptions& instance();

    // The field's place; nullptr when no control of the editor shows it.
    const FieldPlace* field(const QString& table, const QString& field) const;
    // The grid or panel that shows the table's rows: its section, caption and control.
    const FieldPlace* table(const QString& table) const;
    // The column that names a row of a tree grid ("Zrodlo"); empty for other tables.
    QString rowNameField(const QString& table) const { return rowNames_.value(table); }

private:
    FieldCaptions();
    static QString key(const QString& table, const QString& field);

    QHash<QString, FieldPlace> fields_; // "table.field", lower case
    QHash<QString, FieldPlace> tables_; // by table name
    QHash<QString, QString> rowNames_;
};

} // namespace editor

#include "import/application_diff.h"

namespace editor {

// The captions above, as the comparison of two applications asks for them.
DiffCaptions diffCaptions();

} // namespace editor
