#include "import/imported_application.h"

#include "file/application_file.h"
#include "import/import_schema.h"
#include "model/dm_main.h"
#include "platform/dataset/field.h"

namespace {

const QString kFormType = QStringLiteral("TOPAZ_Q");

FieldType fieldTypeOf(ColumnKind kind) {
    switch (kind) {
    case ColumnKind::Integer:
        return FieldType::Int64;
    case ColumnKind::Numeric:
        return FieldType::Float;
    case ColumnKind::Date:
        return FieldType::Date;
    case ColumnKind::Text:
        break;
    }
    return FieldType::String;
}

// Values in the writer's text forms ("1200,5", "2005.03.31"); empty is null.
QVariant typedValue(ColumnKind kind, const QString& text) {
    if (text.isEmpty()) return QVariant();
    if (kind == ColumnKind::Text) return text;
    try {
        return FieldText::parse(fieldTypeOf(kind), text);
    } catch (const DataSetError&) {
        return QVariant(); // the writer writes only values its fields hold
    }
}

class RowCollector {
public:
    explicit RowCollector(const ImportSchema& schema) : schema_(schema) {}

    void table(const XmlElement& tabela, std::vector<ImportedRow>& into) {
        const int t = schema_.tableIndex(tabela.attribute("nazwa"));
        if (t < 0) return; // the writer only writes the mapping's tables
        const ImportTable& spec = schema_.tables()[size_t(t)];
        for (XmlElement wiersz = tabela.firstChildElement("WIERSZ"); !wiersz.isNull();
             wiersz = wiersz.nextSiblingElement()) {
            ImportedRow& row = into.emplace_back();
            row.table = t;
            row.values = QVariantList(spec.columns.size());
            ++count;
            for (const XmlElement child : wiersz.childElements()) {
                if (child.nameIs("TABELA")) {
                    table(child, row.children);
                    continue;
                }
                const int c =
                    child.nameIs("ATRYBUT") ? spec.columnIndex(child.attribute("nazwa")) : -1;
                if (c >= 0) row.values[c] = typedValue(spec.columns[c].kind, child.text());
            }
        }
    }

    qsizetype count = 0;

private:
    const ImportSchema& schema_;
};

} // namespace

ImportCandidate readForImport(ApplicationFile& editor, TdmDataSets& dm, const QString& path,
                              const ImportSchema& schema) {
    ImportCandidate c;
    editor.OpenApplicationFile(path);
    if (editor.LoadFailed) {
        c.refusal = QStringLiteral("plik uszkodzony");
        return c;
    }
    const QString formType = editor.FileFormType;
    if (formType != kFormType) {
        c.refusal = QStringLiteral("plik innego typu wniosku (%1)")
                        .arg(formType.isEmpty() ? QStringLiteral("brak typu") : formType);
        return c;
    }
    editor.runShowTimeSteps();
    if (!editor.VerifyChecksum()) {
        c.refusal = QStringLiteral("niepoprawna suma kontrolna");
        return c;
    }
    ImportedApplication& app = c.application;
    app.file = path;
    app.checksum =
        dm.table(QStringLiteral("dsWniosek")).field(QStringLiteral("suma_kontrolna")).asString();
    app.moduleVersion = editor.FileVersion;
    editor.RebuildDocument();
    RowCollector collector(schema);
    collector.table(editor.xml().dane().firstChildElement("TABELA"), app.rows);
    app.rowCount = collector.count;
    return c;
}
