#pragma once

#include <QList>
#include <QString>

#include <vector>

class TdmDataSets_t;
struct MappingRow;

// The kinds of value a database column holds.
enum class ColumnKind { Text, Integer, Numeric, Date };

struct ImportColumn {
    QString name;
    ColumnKind kind = ColumnKind::Text;
};

// One database table of the mapping: its columns in first-mapped order and the table its
// rows hang under (empty for the application table).
struct ImportTable {
    QString name;
    QString parent;
    QList<ImportColumn> columns;

    // The column's position, or -1.
    int columnIndex(const QString& column) const;
};

// The database layout the mapping prescribes: one table per target table of the mapping,
// one column per mapped and per constant column, typed from the dataset field it takes
// (constant columns: integer when every constant is a whole number, else text). Every
// table also gets the key columns "id", "import_id" and, below the application table,
// "parent_id"; those names never clash with the mapping's upper-case columns.
class ImportSchema {
public:
    // Throws std::runtime_error (Polish message) when the mapping names a dataset or field
    // the data module lacks, gives one table two parents, or one column two kinds.
    static ImportSchema fromMapping(const std::vector<MappingRow>& rows, const TdmDataSets_t& dm);

    // Parents before children.
    const std::vector<ImportTable>& tables() const { return tables_; }
    // The table's position, or -1.
    int tableIndex(const QString& name) const;

private:
    std::vector<ImportTable> tables_;
};

// The key columns every table gets besides the mapped ones.
namespace ImportKeys {
inline const QString Id = QStringLiteral("id");
inline const QString Parent = QStringLiteral("parent_id");
inline const QString Import = QStringLiteral("import_id");
} // namespace ImportKeys
