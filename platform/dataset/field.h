#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <functional>
#include <stdexcept>

class DataSet;

enum class FieldType { String, Integer, Int64, Float, Date, Boolean };

// data: stored in the row; lookup: read from a dictionary table, never stored;
// calculated: filled by the table's calculation hook whenever a row is read.
enum class FieldKind { Data, Lookup, Calculated };

// Every failure of the table library (missing field, wrong state, bad conversion,
// bad filter text) is a DataSetError; callers that load outside data catch it.
class DataSetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Description of one field, as the data module's catalogue declares it.
struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 20; // characters; strings only
    FieldKind kind = FieldKind::Data;
    bool required = false;
    QVariant defaultValue; // given on append and insert; invalid = none
    QString displayFormat;
    QString editMask;
    QString displayLabel;
    int tag = 0;
    bool readOnly = false;
    // Lookup fields: keyField of this table is looked up in lookupKeyField of the
    // table lookupDataSet (through its current filter); lookupResultField is returned.
    QString keyField;
    QString lookupDataSet;
    QString lookupKeyField;
    QString lookupResultField;
};

// One field of a table. Values are QVariants; an invalid QVariant is null, which
// stays distinct from an empty text, a zero and the zero date.
class Field {
public:
    using ChangeHook = std::function<void(Field&)>;

    Field(DataSet* owner, FieldDef def, int index);

    const QString& name() const { return def_.name; }
    FieldType type() const { return def_.type; }
    FieldKind kind() const { return def_.kind; }
    int size() const { return def_.size; }
    bool required() const { return def_.required; }
    const QVariant& defaultValue() const { return def_.defaultValue; }
    const QString& displayFormat() const { return def_.displayFormat; }
    void setDisplayFormat(const QString& f) { def_.displayFormat = f; }
    const QString& editMask() const { return def_.editMask; }
    const QString& displayLabel() const { return def_.displayLabel; }
    int tag() const { return def_.tag; }
    bool isReadOnly() const { return def_.readOnly; }
    void setReadOnly(bool ro) { def_.readOnly = ro; }
    const FieldDef& definition() const { return def_; }
    DataSet* dataSet() const { return owner_; }
    int index() const { return index_; }
    bool isNumeric() const;

    // Value of the current record (the edit buffer while editing or inserting).
    QVariant value() const;
    bool isNull() const;
    QString asString() const; // plain text form; empty for null
    qint64 asInteger() const; // 0 for null; throws when the text is no integer
    double asFloat() const;   // 0 for null; throws when the text is no number
    QDate asDate() const;     // invalid for null
    bool asBoolean() const;

    // Assignment converts to the field's type, cuts strings to size and fires the
    // change hook (also when the value does not change). Throws DataSetError when
    // the table is not editing or the field is read-only.
    void setValue(const QVariant& v);
    void setAsString(const QString& text); // converts text to the field's type
    void clear() { setValue(QVariant()); }

    ChangeHook onChange;

private:
    DataSet* owner_;
    FieldDef def_;
    int index_;
};

// Conversions between values and their text forms (decimal ",", dates "yyyy.MM.dd").
namespace FieldText {
QString format(FieldType type, const QVariant& v);
// Converts text to a value of the type; "" gives null. Throws DataSetError.
QVariant parse(FieldType type, const QString& text);
// Converts any value to the field type's representation; throws DataSetError.
QVariant coerce(FieldType type, int size, const QVariant& v);
QString formatFloat(double v);
} // namespace FieldText
