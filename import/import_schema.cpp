#include "import/import_schema.h"

#include "model/catalogue/mapping_rows.h"
#include "model/dm_main_tmpl.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>

namespace {

ColumnKind kindOf(FieldType type) {
    switch (type) {
    case FieldType::Integer:
    case FieldType::Int64:
        return ColumnKind::Integer;
    case FieldType::Float:
        return ColumnKind::Numeric;
    case FieldType::Date:
        return ColumnKind::Date;
    case FieldType::String:
    case FieldType::Boolean:
        break;
    }
    return ColumnKind::Text;
}

bool isWholeNumber(const QString& text) {
    bool ok = false;
    text.toLongLong(&ok);
    return ok;
}

[[noreturn]] void fail(const QString& message) {
    throw std::runtime_error(message.toStdString());
}

// "A=x;B=y" as pairs; pieces without a name or a value are left out, as the writer does.
QList<std::pair<QString, QString>> pairs(const QString& list) {
    QList<std::pair<QString, QString>> out;
    for (const QString& piece : list.split(QLatin1Char(';'))) {
        const qsizetype eq = piece.indexOf(QLatin1Char('='));
        if (eq <= 0 || eq == piece.size() - 1) continue;
        out.append({piece.left(eq), piece.mid(eq + 1)});
    }
    return out;
}

void addColumn(ImportTable& table, const QString& name, ColumnKind kind) {
    const int at = table.columnIndex(name);
    if (at < 0) {
        table.columns.append({name, kind});
        return;
    }
    ImportColumn& existing = table.columns[at];
    if (existing.kind == kind) return;
    // Text takes any value; a whole number fits a numeric column.
    if (existing.kind == ColumnKind::Text || kind == ColumnKind::Text) {
        existing.kind = ColumnKind::Text;
        return;
    }
    const auto numeric = [](ColumnKind k) {
        return k == ColumnKind::Integer || k == ColumnKind::Numeric;
    };
    if (numeric(existing.kind) && numeric(kind)) {
        existing.kind = ColumnKind::Numeric;
        return;
    }
    fail(QStringLiteral("Mapowanie nadaje kolumnie %1.%2 dwa różne typy.").arg(table.name, name));
}

} // namespace

int ImportTable::columnIndex(const QString& column) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].name == column) return i;
    return -1;
}

int ImportSchema::tableIndex(const QString& name) const {
    for (size_t i = 0; i < tables_.size(); ++i)
        if (tables_[i].name == name) return int(i);
    return -1;
}

ImportSchema ImportSchema::fromMapping(const std::vector<MappingRow>& rows,
                                       const TdmDataSets_t& dm) {
    ImportSchema schema;
    // Constant columns are typed once every constant of the column is known: table and
    // column, and whether every constant so far is a whole number.
    QList<std::tuple<int, QString, bool>> constants;
    for (const MappingRow& row : rows) {
        int at = schema.tableIndex(row.plo_tabela);
        if (at < 0) {
            schema.tables_.push_back({row.plo_tabela, row.plo_nadrzedna, {}});
            at = int(schema.tables_.size()) - 1;
        }
        ImportTable& table = schema.tables_[size_t(at)];
        if (table.parent != row.plo_nadrzedna)
            fail(QStringLiteral("Mapowanie podaje dla tabeli %1 dwie tabele nadrzędne.")
                     .arg(table.name));
        const DataSet* ds = dm.findTable(row.dsname);
        if (!ds) fail(QStringLiteral("Mapowanie wskazuje nieznaną tabelę %1.").arg(row.dsname));
        for (const auto& [column, fieldName] : pairs(row.plo_kolumny)) {
            const Field* field = ds->findField(fieldName);
            if (!field)
                fail(QStringLiteral("Mapowanie wskazuje nieznane pole %1.%2.")
                         .arg(row.dsname, fieldName));
            addColumn(table, column, kindOf(field->type()));
        }
        for (const auto& [column, constant] : pairs(row.plo_wartosci)) {
            const bool number = isWholeNumber(constant);
            auto known = std::find_if(constants.begin(), constants.end(), [&](const auto& c) {
                return std::get<0>(c) == at && std::get<1>(c) == column;
            });
            if (known == constants.end())
                constants.append({at, column, number});
            else
                std::get<2>(*known) = std::get<2>(*known) && number;
        }
    }
    for (const auto& [at, column, number] : constants)
        addColumn(schema.tables_[size_t(at)], column,
                  number ? ColumnKind::Integer : ColumnKind::Text);
    // Parents before children: the mapping lists a child table before its parent's row
    // sometimes (the planned expenses before the stages).
    std::vector<ImportTable> ordered;
    while (ordered.size() < schema.tables_.size()) {
        const size_t before = ordered.size();
        for (const ImportTable& t : schema.tables_) {
            const auto placed = [&](const QString& name) {
                return std::any_of(ordered.begin(), ordered.end(),
                                   [&](const ImportTable& o) { return o.name == name; });
            };
            if (!placed(t.name) && (t.parent.isEmpty() || placed(t.parent))) ordered.push_back(t);
        }
        if (ordered.size() == before)
            fail(QStringLiteral("Mapowanie zawiera tabelę bez tabeli nadrzędnej."));
    }
    schema.tables_ = std::move(ordered);
    return schema;
}
