#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class TdmDataSets_t;

// Where a value is shown to the user: the section, the caption and the control.
struct DiffPlace {
    QString section;
    QString caption;
    QString control;
};

// What the comparison learns from the editor's forms; every function may be left empty.
struct DiffCaptions {
    // The place of a field; nothing when no control shows it.
    std::function<std::optional<DiffPlace>(const QString& table, const QString& field)> field;
    // The grid or panel that lists the table's rows; nothing for a table of one record.
    std::function<std::optional<DiffPlace>(const QString& table)> list;
    // The field that names a row of a tree ("Zrodlo"); empty for other tables.
    std::function<QString(const QString& table)> rowName;
};

// One value that differs between two versions of an application, or a row of a list table
// that only one of them has.
struct ApplicationDifference {
    enum Kind { Changed, Inserted, Deleted };
    Kind kind = Changed;
    QString table; // dataset, "dsWniosek"
    QString field; // empty for an inserted or deleted row
    DiffPlace place;
    bool listTable = false;
    int oldRow = 0, newRow = 0; // 1-based rows of a list table; 0 where the row is missing
    QString rowName;            // the row's name in a tree, else empty
    QString oldValue, newValue; // as text; a whole row: "caption: value; ..."

    bool operator==(const ApplicationDifference&) const = default;
};

// Every difference between the application data of two data modules of the same form type,
// table by table in the order of the mapping and the special fields, fields in table order.
// Rows of list tables are paired by their contents (row numbers left aside) and, where the
// contents differ, by their order, so one inserted row is one insertion. Tables of one
// record compare field by field.
std::vector<ApplicationDifference> compareApplications(const TdmDataSets_t& before,
                                                       const TdmDataSets_t& after,
                                                       const DiffCaptions& captions);
