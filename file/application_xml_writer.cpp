// The writer: the datasets into the skeleton, as the mapping table prescribes.
#include "file/application_xml.h"

#include "platform/utils/datasetscanscope.h"

#include "file/mapping_lists.h"
#include "file/value_text.h"
#include "model/dm_main_tmpl.h"

#include <QHash>

#include <utility>
#include <vector>

namespace {

const QString kApplicationTable = QStringLiteral("PLO_WNIOSKI");
const QString kSpecialFields = QStringLiteral("dsPolaSpec");

void appendAttribute(XmlElement& row, const XmlText& column, const XmlText& dataSet,
                     const XmlText& field, const XmlText& recNo, const QString& value) {
    XmlElement a = row.appendElement("ATRYBUT");
    a.setAttribute("nazwa", column);
    a.setAttribute("dsN", dataSet);
    a.setAttribute("dsK", field);
    a.setAttribute("nrW", recNo);
    a.setText(value);
}

// The text of the first ATRYBUT of the row that came from the given dataset and field.
QString linkValue(const XmlElement& row, const QString& dataSet, const QString& field) {
    for (XmlElement a = row.firstChildElement("ATRYBUT"); !a.isNull(); a = a.nextSiblingElement()) {
        if (a.attribute("dsN").compare(dataSet, Qt::CaseInsensitive) == 0 &&
            a.attribute("dsK").compare(field, Qt::CaseInsensitive) == 0)
            return a.text();
    }
    return {};
}

XmlElement childTableNamed(XmlElement& row, const QString& name) {
    for (XmlElement t = row.firstChildElement("TABELA"); !t.isNull(); t = t.nextSiblingElement())
        if (t.attribute("nazwa") == name) return t;
    XmlElement t = row.appendElement("TABELA");
    t.setAttribute("nazwa", name);
    return t;
}

} // namespace

// A mapping row with its fields found in its dataset, resolved once per row; the names
// written on every value are converted for the document once as well.
struct ApplicationXml::Target {
    struct Column {
        XmlText column;    // "nazwa"; empty for non-base fields
        XmlText fieldName; // "dsK"
        const Field* field;
    };
    struct Constant {
        XmlText column;
        QString value;
    };

    const MappingLists& mapping;
    DataSet& ds;
    XmlText dsName;
    std::vector<Column> columns; // non-base fields first, then the mapped columns
    std::vector<Constant> constants;

    Target(const MappingLists& m, DataSet& table) : mapping(m), ds(table), dsName(table.name()) {
        columns.reserve(size_t(m.nonBase.size() + m.columns.size()));
        for (const QString& name : m.nonBase)
            columns.push_back({XmlText(), XmlText(name), &ds.field(name)});
        for (const auto& [column, name] : m.columns)
            columns.push_back({XmlText(column), XmlText(name), &ds.field(name)});
        for (const auto& [column, constant] : m.constants)
            constants.push_back({XmlText(column), constant});
    }
};

// Walking a table from its first record posts a pending edit, as moving would; a copy on the
// side reads the edit buffer instead.
void ApplicationXml::finishEdit(DataSet& ds) const {
    if (!snapshot_ && ds.isEditing()) ds.post();
}

void ApplicationXml::WriteMappedRow(XmlElement row, const Target& target, int recNo,
                                    bool currentRecord) const {
    const XmlText nr(QString::number(recNo == -1 ? 1 : recNo));
    static const XmlText noName;
    auto value = [&](const Field& f) {
        if (snapshot_) {
            if (f.name() == QLatin1String("suma_kontrolna")) return snapshot_->checksum;
            if (!currentRecord) return FileValueText::ofShownRecord(target.ds, recNo, f);
        }
        return currentRecord ? FileValueText::ofCurrentRecord(f)
                             : FileValueText::ofRecord(target.ds, recNo, f);
    };
    for (const Target::Column& c : target.columns)
        appendAttribute(row, c.column, target.dsName, c.fieldName, nr, value(*c.field));
    for (const Target::Constant& c : target.constants)
        appendAttribute(row, c.column, target.dsName, noName, nr, c.value);
}

void ApplicationXml::proba2xml() {
    if (doc_.isNull()) InitWniosekXML(QString());
    const std::vector<MappingLists> mapping =
        readMappingLists(dm_.table(QStringLiteral("tabMapowanie")));

    for (const MappingLists& m : mapping) {
        if (!m.parent.isEmpty() || m.table != kApplicationTable) continue;
        DataSet* ds = dm_.findTable(m.dsname);
        if (!ds || !ds->isActive()) continue;
        const Target target(m, *ds);
        WriteMappedRow(row_, target, ds->recNo(), true);
    }
    WriteChildTables(dane_.firstChildElement("TABELA"), mapping);
}

void ApplicationXml::WriteChildTables(const XmlElement& table,
                                      const std::vector<MappingLists>& mapping) {
    const QString parentName = table.attribute("nazwa");
    std::vector<XmlElement> rows;
    for (XmlElement r = table.firstChildElement("WIERSZ"); !r.isNull(); r = r.nextSiblingElement())
        rows.push_back(r);

    for (const MappingLists& m : mapping) {
        if (m.parent != parentName) continue;
        DataSet* ds = dm_.findTable(m.dsname);
        if (!ds || !ds->isActive()) continue;
        finishEdit(*ds);
        // A copy on the side also holds a record being inserted, after the stored ones.
        const int records = snapshot_ ? FileValueText::shownRecordCount(*ds) : ds->recordCount();
        if (records == 0) continue;
        const Target target(m, *ds);

        // The records of the dataset by the text of their child field, in record order,
        // so that each parent row finds its children without a scan of the table.
        QList<int> allRecords;
        QHash<QString, QList<int>> byLink;
        const Field* childField = m.childField.isEmpty() ? nullptr : ds->findField(m.childField);
        for (int rec = 1; rec <= records; ++rec) {
            allRecords.append(rec);
            if (childField)
                byLink[snapshot_ ? FileValueText::ofShownRecord(*ds, rec, *childField)
                                 : FileValueText::ofRecord(*ds, rec, *childField)]
                    .append(rec);
        }

        for (XmlElement& r : rows) {
            const QList<int>* records = &allRecords;
            if (m.hasCondition) {
                QString link;
                if (!m.parentDataSet.isEmpty() && !m.parentField.isEmpty() &&
                    !m.childField.isEmpty())
                    link = linkValue(r, m.parentDataSet, m.parentField);
                if (!m.fixedParentValue.isEmpty() && !m.childField.isEmpty())
                    link = m.fixedParentValue == QLatin1String("NULL") ? QString()
                                                                       : m.fixedParentValue;
                const auto found = byLink.constFind(link);
                if (found == byLink.constEnd()) continue;
                records = &found.value();
            }
            WriteTableRows(childTableNamed(r, m.table), target, *records);
        }
    }

    for (const XmlElement& r : rows)
        for (XmlElement child = r.firstChildElement("TABELA"); !child.isNull();
             child = child.nextSiblingElement())
            WriteChildTables(child, mapping);
}

void ApplicationXml::WriteTableRows(XmlElement childTable, const Target& target,
                                    const QList<int>& records) const {
    const Utils::ControlsDisabledScope quiet(target.ds);
    if (target.mapping.newRow) {
        for (int rec : records)
            WriteMappedRow(childTable.appendElement("WIERSZ"), target, rec, false);
        return;
    }
    std::vector<XmlElement> existing;
    for (XmlElement w = childTable.firstChildElement("WIERSZ"); !w.isNull();
         w = w.nextSiblingElement())
        existing.push_back(w);
    for (int rec : records)
        for (const XmlElement& w : existing)
            WriteMappedRow(w, target, rec, false);
}

void ApplicationXml::Spec2XML() {
    if (doc_.isNull()) InitWniosekXML(QString());
    // This type names its special-fields dataset; its mapping has no POLA_SPECYFICZNE rows
    // to fall back to, so without the dataset POLA_SPEC stays empty.
    DataSet* ds = dm_.findTable(kSpecialFields);
    if (!ds || !ds->isActive()) return;
    finishEdit(*ds);
    const bool hasRecord =
        (snapshot_ ? FileValueText::shownRecordCount(*ds) : ds->recordCount()) > 0;
    for (const auto& f : ds->fields()) {
        XmlElement pole = polaSpec_.appendElement("POLE");
        pole.setAttribute("kod", f->name());
        pole.setAttribute("nrW", QStringLiteral("1"));
        pole.setAttribute("dsN", ds->name());
        pole.setAttribute("dsKN", QString());
        pole.setAttribute("dsKW", f->name());
        pole.setText(hasRecord ? snapshot_ ? FileValueText::ofShownRecord(*ds, 1, *f)
                                           : FileValueText::ofRecord(*ds, 1, *f)
                               : QString());
    }
}
