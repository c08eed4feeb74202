// The reader: a parsed application file applied to the datasets.
#include "file/application_xml.h"

#include "platform/utils/datasetscanscope.h"

#include "file/file_rows.h"
#include "file/mapping_lists.h"
#include "file/value_text.h"
#include "model/dm_main_tmpl.h"
#include "platform/utils/datetext.h"
#include "platform/utils/numbertext.h"

#include <optional>

namespace {

// nrW as a number; nullopt when it is not a whole number. Numbers too long to hold are
// reported as just above the limit, with their sign.
std::optional<qint64> recordNumber(const QString& attributeText) {
    const QString text = attributeText.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i >= text.size()) return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') return std::nullopt;
        if (value <= ApplicationXml::MaxRecordNumber) value = value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

} // namespace

void checkRecordNumber(const QString& number, const QString& dataSet,
                       const QSet<QString>& singleRecord) {
    const std::optional<qint64> n = recordNumber(number);
    if (n && *n > ApplicationXml::MaxRecordNumber)
        throw XmlError(QStringLiteral("Parser error: record number %1 exceeds %2")
                           .arg(number.left(40))
                           .arg(ApplicationXml::MaxRecordNumber)
                           .toStdString());
    if (n && *n > 1 && !singleRecord.isEmpty() && singleRecord.contains(dataSet))
        throw XmlError(
            QStringLiteral("Parser error: record number %1 of %2, which holds one record")
                .arg(*n)
                .arg(dataSet.left(40))
                .toStdString());
}

// Every ATRYBUT or POLE below the element is checked before anything is applied, so a
// file naming an absurd record number changes no table.
void checkRecordNumbers(const XmlElement& element, const QSet<QString>& singleRecord) {
    for (const XmlElement& child : element.childElements()) {
        if (child.nameIs("ATRYBUT") || child.nameIs("POLE"))
            checkRecordNumber(child.attribute("nrW"), child.attribute("dsN"), singleRecord);
        else
            checkRecordNumbers(child, singleRecord);
    }
}

namespace {

// Lifts a field's read-only flag for one assignment.
class Writable {
public:
    explicit Writable(Field& f) : f_(f), readOnly_(f.isReadOnly()) { f_.setReadOnly(false); }
    ~Writable() { f_.setReadOnly(readOnly_); }
    Writable(const Writable&) = delete;
    Writable& operator=(const Writable&) = delete;

private:
    Field& f_;
    bool readOnly_;
};

// Appends posted empty records until there are n, then makes record n current; false
// when a rule refused a record or the move, or when an empty record does not pass the
// table's filter (the count would never grow).
bool moveToRecord(DataSet& ds, int n) {
    while (ds.recordCount() < n) {
        const int before = ds.recordCount();
        if (!ds.append()) return false;
        if (!ds.post()) {
            ds.cancel();
            return false;
        }
        if (ds.recordCount() <= before) return false;
    }
    if (ds.recNo() != n) ds.setRecNo(n);
    return ds.recNo() == n && !(ds.state() == DataSetState::Insert);
}

// A date text of the file in the local pattern; invalid when it names no date.
QDate fileDate(const QString& text, const QString& filePattern) {
    const Utils::LocalFormats& local = Utils::LocalFormats::standard();
    return QDate::fromString(Utils::normaliseDateText(text, filePattern, local),
                             local.shortDatePattern);
}

} // namespace

void ApplicationXml::XML2proba(const XmlElement& table) {
    checkRecordNumbers(table);
    FileNamePool names;
    readFileTable(fileTableOf(table, names));
}

void ApplicationXml::readFileTable(const FileTable& table) {
    collectWrittenFields();
    readTable(table);
}

// Only the fields that a save writes back are read: a value the file holds for any other
// field (the form never shows it, the mapping never writes it) would enter the checksum of
// the loaded data and be missing from every file saved from it, which would then fail its
// own checksum.
void ApplicationXml::collectWrittenFields() {
    written_.clear();
    const DataSet* mapping = dm_.findTable(QStringLiteral("tabMapowanie"));
    if (!mapping) return;
    for (const MappingLists& m : readMappingLists(*mapping)) {
        const DataSet* ds = dm_.findTable(m.dsname);
        if (!ds) continue;
        for (const QString& name : m.nonBase)
            if (const Field* f = ds->findField(name)) written_.insert(f);
        for (const auto& [column, name] : m.columns)
            if (const Field* f = ds->findField(name)) written_.insert(f);
    }
}

void ApplicationXml::readTable(const FileTable& table) {
    for (const FileRow& row : table.rows)
        ReadRow(row);
}

void ApplicationXml::ReadRow(const FileRow& row) {
    DataSet* lastDataSet = nullptr;
    for (const FileItem& item : row.items) {
        if (item.table) {
            readTable(*item.table);
            continue;
        }
        lastDataSet = dm_.findTable(item.names->dataSet);
        if (lastDataSet) readAttribute(*lastDataSet, item);
    }
    if (lastDataSet && lastDataSet->isEditing()) {
        try {
            lastDataSet->post();
        } catch (const DataSetError&) {
            lastDataSet->cancel();
        }
    }
}

void ApplicationXml::readAttribute(DataSet& ds, const FileItem& attribute) {
    // A field no save writes adds no record either: the table would be saved with one more.
    Field* field = ds.findField(attribute.names->field);
    if (field && !written_.contains(field)) return;
    if (!ds.isActive()) ds.open();
    const Utils::ControlsDisabledScope quiet(ds);
    const std::optional<qint64> n = recordNumber(attribute.number);
    if (!n || *n <= 0) return;
    try {
        if (!moveToRecord(ds, int(*n)) || !field) return;
        if (!ds.isEditing()) ds.edit();
        const Writable writable(*field);
        assignFromFile(*field, attribute.value);
    } catch (const DataSetError&) {
        // A record the table refuses (a required value missing, a rule saying no): the
        // element is skipped like a value that cannot be converted.
        if (ds.isEditing()) ds.cancel();
    }
}

void ApplicationXml::assignFromFile(Field& field, const QString& text) {
    if (field.type() == FieldType::Date) {
        if (Utils::normaliseDateText(text, FileDateFormat).isEmpty()) {
            field.clear();
            return;
        }
        const QDate d = fileDate(text, FileDateFormat);
        if (d.isValid()) field.setValue(d);
        return;
    }
    const QString current = FileValueText::ofCurrentRecord(field);
    if (current == text) return;
    if (text.isEmpty()) {
        field.clear();
        return;
    }
    try {
        switch (field.type()) {
        case FieldType::Float:
            if (const std::optional<double> v = Utils::textToNumber(text)) field.setValue(*v);
            break;
        case FieldType::String:
            // Reducing keeps the length: texts of different lengths always differ.
            if (current.size() != text.size() ||
                FileStringText::reduced(current) != FileStringText::reduced(text))
                field.setValue(FileStringText::asStored(text));
            break;
        default:
            field.setAsString(text);
            break;
        }
    } catch (const DataSetError&) {
        // The field keeps its value.
    }
}

void ApplicationXml::XML2PolaSpec(const XmlElement& polaSpec) {
    checkRecordNumbers(polaSpec);
    std::vector<FileSpecialField> fields;
    for (XmlElement pole = polaSpec.firstChildElement("POLE"); !pole.isNull();
         pole = pole.nextSiblingElement())
        fields.push_back({pole.attribute("kod"), pole.attribute("nrW"), pole.attribute("dsN"),
                          pole.attribute("dsKN"), pole.attribute("dsKW"), pole.text()});
    readSpecialFields(fields);
}

void ApplicationXml::readSpecialFields(const std::vector<FileSpecialField>& fields) {
    struct Loading {
        TdmDataSets_t& dm;
        bool before;
        ~Loading() { dm.Wczytywanie = before; }
    } loading{dm_, dm_.Wczytywanie};
    dm_.Wczytywanie = true;

    for (const FileSpecialField& pole : fields) {
        if (pole.value.isEmpty()) continue;
        if (DataSet* ds = dm_.findTable(pole.dataSet)) readSpecialField(*ds, pole);
    }
}

void ApplicationXml::readSpecialField(DataSet& ds, const FileSpecialField& pole) {
    if (!ds.isActive()) ds.open();
    const Utils::ControlsDisabledScope quiet(ds);
    const std::optional<qint64> n = recordNumber(pole.number);
    if (!n || *n <= 0) return;
    try {
        if (!moveToRecord(ds, int(*n))) return;
        ds.edit();
        if (Field* f = pole.nameField.isEmpty() ? nullptr : ds.findField(pole.nameField)) {
            const Writable writable(*f);
            if (f->type() != FieldType::Date)
                f->setAsString(pole.code);
            else if (const QDate d = fileDate(pole.code, QString()); d.isValid())
                f->setValue(d);
        }
        if (Field* f = ds.findField(pole.valueField)) {
            const Writable writable(*f);
            const QString& text = pole.value;
            if (f->type() == FieldType::Date) {
                if (const QDate d = fileDate(text, FileDateFormat); d.isValid()) f->setValue(d);
            } else if (f->type() == FieldType::Float) {
                if (const std::optional<double> v = Utils::textToNumber(text)) f->setValue(*v);
            } else {
                f->setAsString(text);
            }
        }
        ds.post();
    } catch (const DataSetError&) {
        if (ds.isEditing()) ds.cancel();
    }
}
