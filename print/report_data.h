#pragma once

#include <QString>
#include <QVariant>

class DataSet;
class TdmDataSets_t;

// Read-only access to the data module's tables for the report: values by table, field
// and 1-based row, without moving any table's current row.
class ReportData {
public:
    explicit ReportData(const TdmDataSets_t& dm) : dm_(dm) {}

    const TdmDataSets_t& dm() const { return dm_; }
    const DataSet& table(const char* name) const;
    int rows(const char* table) const;
    QVariant value(const char* table, const char* field, int row = 1) const;
    // The value as printed: dates "yyyy.MM.dd", amounts "#,##0.00", other numbers plain.
    QString text(const char* table, const char* field, int row = 1) const;
    // A check box of the field: ticked when the field holds exactly this value.
    bool is(const char* table, const char* field, const char* boxValue, int row = 1) const;

private:
    const TdmDataSets_t& dm_;
};
