#pragma once

#include "platform/dataset/field.h"

#include <span>

// The data module's tables declared as data. Each table lists its fields in the order the
// table stores them; Level says whether a field belongs to every application type
// (TdmDataSets_t) or is added or changed by this application type (TdmDataSets).
enum class Level { Base, Type };

struct FieldSpec {
    const char* name;
    FieldType type = FieldType::String;
    int size = 20; // strings; a string without a stated size has 20
    FieldKind kind = FieldKind::Data;
    Level level = Level::Base;
    const char* defaultValue = nullptr; // text form, converted to the field's type
    bool required = false;
    int tag = 0;
    const char* displayFormat = nullptr;
    const char* editMask = nullptr;
    const char* label = nullptr;
    // Lookup fields: lookupTable.lookupKey by keyField -> lookupResult.
    const char* keyField = nullptr;
    const char* lookupTable = nullptr;
    const char* lookupKey = nullptr;
    const char* lookupResult = nullptr;
    // Where this type enlarges a base field: the size in the base module (0: unchanged).
    int baseSize = 0;
};

struct TableSpec {
    const char* name;
    Level level; // Type: a table only this application type has
    std::span<const FieldSpec> fields;
};

namespace Catalogue {
// Every table of the data module except the main record and the dictionaries, in
// creation order; the main record dsWniosek; the dictionary tables.
std::span<const TableSpec> sectionTables();
const TableSpec& mainRecord();
std::span<const TableSpec> dictionaryTables();
// The filter a flat dictionary list is declared with (table name in any letter case);
// nullptr for a table declared without one.
const char* declaredDictionaryFilter(const char* table);
// Turns a catalogue entry into the table library's field description.
FieldDef toFieldDef(const FieldSpec& spec);
} // namespace Catalogue
