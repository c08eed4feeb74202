#pragma once

#include "model/catalogue/catalogue.h"

#include <initializer_list>
#include <vector>

// Building blocks of the catalogue: one short expression per field, and the rules that
// expand into many fields (year columns, year flags, attachment flags).
namespace CatalogueBuild {

inline constexpr const char* kAmountFormat = "###,###,###,##0.00";
inline constexpr const char* kCountFormat = "###,###,###,##0";
inline constexpr const char* kPostCodeMask = "00-000;1;_";

inline constexpr int kFirstYear = 2004;
inline constexpr int kLastBaseYear = 2008; // later years are added by this application type
inline constexpr int kLastYear = 2016;

// A FieldSpec refined by chained calls, so that each catalogue line reads like the
// field's row in the data design.
struct Spec : FieldSpec {
    constexpr Spec titled(const char* text) const {
        Spec s = *this;
        s.label = text;
        return s;
    }
    constexpr Spec formatted(const char* f) const {
        Spec s = *this;
        s.displayFormat = f;
        return s;
    }
    constexpr Spec masked(const char* m) const {
        Spec s = *this;
        s.editMask = m;
        return s;
    }
    constexpr Spec byDefault(const char* v) const {
        Spec s = *this;
        s.defaultValue = v;
        return s;
    }
    constexpr Spec mandatory() const {
        Spec s = *this;
        s.required = true;
        return s;
    }
    constexpr Spec tagged(int t) const {
        Spec s = *this;
        s.tag = t;
        return s;
    }
    constexpr Spec calculated() const {
        Spec s = *this;
        s.kind = FieldKind::Calculated;
        return s;
    }
    // Declared by this application type rather than the base module.
    constexpr Spec ofType() const {
        Spec s = *this;
        s.level = Level::Type;
        return s;
    }
    // This type enlarges a base field that had the given size.
    constexpr Spec enlargedFrom(int size) const {
        Spec s = *this;
        s.baseSize = size;
        return s;
    }
};

constexpr Spec field(const char* name, FieldType type, int size = 20) {
    Spec s{};
    s.name = name;
    s.type = type;
    s.size = size;
    return s;
}
constexpr Spec str(const char* name, int size = 20) {
    return field(name, FieldType::String, size);
}
constexpr Spec integer(const char* name) {
    return field(name, FieldType::Integer);
}
constexpr Spec int64(const char* name) {
    return field(name, FieldType::Int64);
}
constexpr Spec real(const char* name) {
    return field(name, FieldType::Float);
}
constexpr Spec date(const char* name) {
    return field(name, FieldType::Date);
}
constexpr Spec boolean(const char* name) {
    return field(name, FieldType::Boolean);
}

// A string lookup field: table.key by keyField -> result.
constexpr Spec lookup(const char* name, int size, const char* table, const char* key,
                      const char* keyField, const char* result) {
    Spec s = str(name, size);
    s.kind = FieldKind::Lookup;
    s.lookupTable = table;
    s.lookupKey = key;
    s.keyField = keyField;
    s.lookupResult = result;
    return s;
}

using FieldList = std::vector<FieldSpec>;

// One field or a run of generated fields, so that both mix in one list.
class FieldRun {
public:
    FieldRun(const FieldSpec& f) : items_{f} {}
    FieldRun(FieldList run) : items_(std::move(run)) {}
    const FieldList& items() const { return items_; }

private:
    FieldList items_;
};

FieldList fields(std::initializer_list<FieldRun> runs);

// Columns "2004" ... lastYear shaped like the prototype. Years up to 2008 keep the
// prototype's level; 2009-2016 are always this type's.
FieldList yearColumns(const Spec& prototype, int lastYear = kLastYear);
// Columns "2004_pr" ... "2016_pr", levels as for yearColumns.
FieldList percentColumns(const Spec& prototype);
// The 78 year-visibility flags prefix + year + "v" of the main record, family by family.
FieldList yearVisibilityFlags();
// One-character flags code + suffix, in the order of the suffixes.
FieldList attachmentFlags(const char* code, std::initializer_list<const char*> suffixes,
                          Level level);

// Names composed at run time live as long as the program.
const char* internName(const char* prefix, const char* middle, const char* suffix);

} // namespace CatalogueBuild
