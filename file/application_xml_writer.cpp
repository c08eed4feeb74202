// The writer: the datasets into the skeleton, as the mapping table prescribes.
#include "file/application_xml.h"

#include "platform/utils/datasetscanscope.h"

#include "file/file_rows.h"
#include "file/mapping_lists.h"
#include "file/value_text.h"
#include "model/dm_main_tmpl.h"
#include "platform/xmldom/xmlindentedwriter.h"

#include <QHash>

#include <vector>

namespace {

const QString kApplicationTable = QStringLiteral("PLO_WNIOSKI");
const QString kSpecialFields = QStringLiteral("dsPolaSpec");

} // namespace

// A mapping row with its fields found in its dataset, resolved once per row; the names
// every value carries are kept once for the whole save.
struct ApplicationXml::Target {
    struct Column {
        const FileNames* names;
        const Field* field;
    };
    struct Constant {
        const FileNames* names;
        QString value;
    };

    const MappingLists& mapping;
    DataSet& ds;
    std::vector<Column> columns; // non-base fields first, then the mapped columns
    std::vector<Constant> constants;

    Target(const MappingLists& m, DataSet& table, FileNamePool& names) : mapping(m), ds(table) {
        auto named = [&](const QString& column, const QString& field) {
            return names.add({column, table.name(), field});
        };
        columns.reserve(size_t(m.nonBase.size() + m.columns.size()));
        for (const QString& name : m.nonBase)
            columns.push_back({named(QString(), name), &ds.field(name)});
        for (const auto& [column, name] : m.columns)
            columns.push_back({named(column, name), &ds.field(name)});
        for (const auto& [column, constant] : m.constants)
            constants.push_back({named(column, QString()), constant});
    }
};

// Walking a table from its first record posts a pending edit, as moving would; a copy on the
// side reads the edit buffer instead.
void ApplicationXml::finishEdit(DataSet& ds) const {
    if (!snapshot_ && ds.isEditing()) ds.post();
}

void ApplicationXml::WriteMappedRow(FileRow& row, const Target& target, int recNo,
                                    bool currentRecord) const {
    const QString nr = QString::number(recNo == -1 ? 1 : recNo);
    auto value = [&](const Field& f) {
        if (snapshot_) {
            if (f.name() == QLatin1String("suma_kontrolna")) return snapshot_->checksum;
            if (!currentRecord) return FileValueText::ofShownRecord(target.ds, recNo, f);
        }
        return currentRecord ? FileValueText::ofCurrentRecord(f)
                             : FileValueText::ofRecord(target.ds, recNo, f);
    };
    row.items.reserve(row.items.size() + target.columns.size() + target.constants.size());
    for (const Target::Column& c : target.columns)
        row.items.push_back({c.names, nr, value(*c.field), nullptr});
    for (const Target::Constant& c : target.constants)
        row.items.push_back({c.names, nr, c.value, nullptr});
}

FileRows ApplicationXml::buildFileRows() {
    FileRows written;
    const std::vector<MappingLists> mapping =
        readMappingLists(dm_.table(QStringLiteral("tabMapowanie")));

    for (const MappingLists& m : mapping) {
        if (!m.parent.isEmpty() || m.table != kApplicationTable) continue;
        DataSet* ds = dm_.findTable(m.dsname);
        if (!ds || !ds->isActive()) continue;
        const Target target(m, *ds, written.names);
        WriteMappedRow(written.row, target, ds->recNo(), true);
    }
    WriteChildTables(kApplicationTable, {&written.row}, mapping, written.names);
    return written;
}

void ApplicationXml::proba2xml() {
    if (doc_.isNull()) InitWniosekXML(QString());
    appendFileRow(row_, buildFileRows().row);
}

void ApplicationXml::WriteChildTables(const QString& parentName, const std::vector<FileRow*>& rows,
                                      const std::vector<MappingLists>& mapping,
                                      FileNamePool& names) {
    for (const MappingLists& m : mapping) {
        if (m.parent != parentName) continue;
        DataSet* ds = dm_.findTable(m.dsname);
        if (!ds || !ds->isActive()) continue;
        finishEdit(*ds);
        // A copy on the side also holds a record being inserted, after the stored ones.
        const int records = snapshot_ ? FileValueText::shownRecordCount(*ds) : ds->recordCount();
        if (records == 0) continue;
        const Target target(m, *ds, names);

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

        for (FileRow* r : rows) {
            const QList<int>* records = &allRecords;
            if (m.hasCondition) {
                QString link;
                if (!m.parentDataSet.isEmpty() && !m.parentField.isEmpty() &&
                    !m.childField.isEmpty())
                    link = r->valueOf(m.parentDataSet, m.parentField);
                if (!m.fixedParentValue.isEmpty() && !m.childField.isEmpty())
                    link = m.fixedParentValue == QLatin1String("NULL") ? QString()
                                                                       : m.fixedParentValue;
                const auto found = byLink.constFind(link);
                if (found == byLink.constEnd()) continue;
                records = &found.value();
            }
            WriteTableRows(r->table(m.table), target, *records);
        }
    }

    for (FileRow* r : rows)
        for (FileItem& item : r->items) {
            if (!item.table) continue;
            std::vector<FileRow*> childRows;
            childRows.reserve(item.table->rows.size());
            for (FileRow& child : item.table->rows)
                childRows.push_back(&child);
            WriteChildTables(item.table->name, childRows, mapping, names);
        }
}

void ApplicationXml::WriteTableRows(FileTable& childTable, const Target& target,
                                    const QList<int>& records) const {
    const Utils::ControlsDisabledScope quiet(target.ds);
    if (target.mapping.newRow) {
        for (int rec : records)
            WriteMappedRow(childTable.rows.emplace_back(), target, rec, false);
        return;
    }
    for (int rec : records)
        for (FileRow& w : childTable.rows)
            WriteMappedRow(w, target, rec, false);
}

// This type names its special-fields dataset; its mapping has no POLA_SPECYFICZNE rows to
// fall back to, so without the dataset POLA_SPEC stays empty.
std::vector<ApplicationXml::SpecialField> ApplicationXml::specialFields() {
    std::vector<SpecialField> fields;
    DataSet* ds = dm_.findTable(kSpecialFields);
    if (!ds || !ds->isActive()) return fields;
    finishEdit(*ds);
    const bool hasRecord =
        (snapshot_ ? FileValueText::shownRecordCount(*ds) : ds->recordCount()) > 0;
    for (const auto& f : ds->fields())
        fields.push_back({f->name(), ds->name(),
                          hasRecord ? snapshot_ ? FileValueText::ofShownRecord(*ds, 1, *f)
                                                : FileValueText::ofRecord(*ds, 1, *f)
                                    : QString()});
    return fields;
}

void ApplicationXml::Spec2XML() {
    if (doc_.isNull()) InitWniosekXML(QString());
    for (const SpecialField& f : specialFields()) {
        XmlElement pole = polaSpec_.appendElement("POLE");
        pole.setAttribute("kod", f.code);
        pole.setAttribute("nrW", QStringLiteral("1"));
        pole.setAttribute("dsN", f.dataSet);
        pole.setAttribute("dsKN", QString());
        pole.setAttribute("dsKW", f.code);
        pole.setText(f.value);
    }
}

// The document a fresh skeleton, proba2xml and Spec2XML build, written as it is built.
void ApplicationXml::writeFresh(XmlIndentedWriter& out) {
    using L = QLatin1StringView;
    // Built in the order of a rebuild: posting a pending edit may change what comes after.
    const FileRows rows = buildFileRows();
    const std::vector<SpecialField> special = specialFields();
    out.startElement(L("WNIOSEK"));
    out.startElement(L("INFO_DLL"));
    for (const auto& [name, value] : infoAttributes())
        out.attribute(L(name), value);
    out.endElement();
    out.startElement(L("DANE"));
    out.startElement(L("POLA_SPEC"));
    for (const SpecialField& f : special) {
        out.startElement(L("POLE"));
        out.attribute(L("kod"), f.code);
        out.attribute(L("nrW"), u"1");
        out.attribute(L("dsN"), f.dataSet);
        out.attribute(L("dsKN"), QStringView());
        out.attribute(L("dsKW"), f.code);
        out.text(f.value);
        out.endElement();
    }
    out.endElement();
    out.startElement(L("TABELA"));
    out.attribute(L("nazwa"), kApplicationTable);
    out.startElement(L("WIERSZ"));
    writeFileRow(out, rows.row);
    out.endElement();
    out.endElement();
    out.endElement();
    out.endElement();
    out.finish();
}
