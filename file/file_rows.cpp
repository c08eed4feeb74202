#include "file/file_rows.h"

#include "platform/xmldom/xmlelement.h"
#include "platform/xmldom/xmlindentedwriter.h"

#include <utility>

const FileNames* FileNamePool::add(FileNames names) {
    return &names_.emplace_back(std::move(names));
}

const FileNames* FileNamePool::shared(const QString& column, const QString& dataSet,
                                      const QString& field) {
    const QString key = column + QChar(0) + dataSet + QChar(0) + field;
    const FileNames*& found = index_[key];
    if (!found) found = add({column, dataSet, field});
    return found;
}

QString FileRow::valueOf(const QString& dataSet, const QString& field) const {
    for (const FileItem& item : items) {
        if (item.names && item.names->dataSet.compare(dataSet, Qt::CaseInsensitive) == 0 &&
            item.names->field.compare(field, Qt::CaseInsensitive) == 0)
            return item.value;
    }
    return {};
}

FileTable& FileRow::table(const QString& name) {
    for (FileItem& item : items)
        if (item.table && item.table->name == name) return *item.table;
    FileItem& added = items.emplace_back();
    added.table = std::make_unique<FileTable>();
    added.table->name = name;
    return *added.table;
}

void appendFileRow(XmlElement row, const FileRow& written) {
    for (const FileItem& item : written.items) {
        if (item.table) {
            XmlElement table = row.appendElement("TABELA");
            table.setAttribute("nazwa", item.table->name);
            for (const FileRow& child : item.table->rows)
                appendFileRow(table.appendElement("WIERSZ"), child);
            continue;
        }
        XmlElement a = row.appendElement("ATRYBUT");
        a.setAttribute("nazwa", item.names->column);
        a.setAttribute("dsN", item.names->dataSet);
        a.setAttribute("dsK", item.names->field);
        a.setAttribute("nrW", item.number);
        a.setText(item.value);
    }
}

void writeFileRow(XmlIndentedWriter& out, const FileRow& written) {
    for (const FileItem& item : written.items) {
        if (item.table) {
            out.startElement(QLatin1StringView("TABELA"));
            out.attribute(QLatin1StringView("nazwa"), item.table->name);
            for (const FileRow& child : item.table->rows) {
                out.startElement(QLatin1StringView("WIERSZ"));
                writeFileRow(out, child);
                out.endElement();
            }
            out.endElement();
            continue;
        }
        out.startElement(QLatin1StringView("ATRYBUT"));
        out.attribute(QLatin1StringView("nazwa"), item.names->column);
        out.attribute(QLatin1StringView("dsN"), item.names->dataSet);
        out.attribute(QLatin1StringView("dsK"), item.names->field);
        out.attribute(QLatin1StringView("nrW"), item.number);
        out.text(item.value);
        out.endElement();
    }
}

FileTable fileTableOf(const XmlElement& table, FileNamePool& names) {
    FileTable read;
    read.name = table.attribute("nazwa");
    for (XmlElement row = table.firstChildElement("WIERSZ"); !row.isNull();
         row = row.nextSiblingElement()) {
        FileRow& r = read.rows.emplace_back();
        for (const XmlElement& e : row.childElements()) {
            if (e.nameIs("TABELA")) {
                r.items.push_back(
                    {nullptr, {}, {}, std::make_unique<FileTable>(fileTableOf(e, names))});
            } else if (e.nameIs("ATRYBUT")) {
                r.items.push_back(
                    {names.shared(e.attribute("nazwa"), e.attribute("dsN"), e.attribute("dsK")),
                     e.attribute("nrW"), e.text(), nullptr});
            }
        }
    }
    return read;
}
