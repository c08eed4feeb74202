#include "print/report_data.h"

#include "model/dm_main_tmpl.h"
#include "platform/utils/amount.h"

#include <QDate>

const DataSet& ReportData::table(const char* name) const {
    return dm_.table(QString::fromLatin1(name));
}

int ReportData::rows(const char* name) const {
    const DataSet& t = table(name);
    return t.isActive() ? t.recordCount() : 0;
}

QVariant ReportData::value(const char* tableName, const char* field, int row) const {
    const DataSet& t = table(tableName);
    const Field* f = t.findField(QString::fromLatin1(field));
    if (!f || row < 1 || row > rows(tableName)) return {};
    return t.valueAt(row, *f);
}

QString ReportData::text(const char* tableName, const char* field, int row) const {
    const QVariant v = value(tableName, field, row);
    if (!v.isValid() || v.isNull()) return {};
    const Field& f = table(tableName).field(QString::fromLatin1(field));
    switch (f.type()) {
    case FieldType::Date:
        return v.toDate().toString(QStringLiteral("yyyy.MM.dd"));
    case FieldType::Float:
        if (!f.displayFormat().isEmpty()) return Utils::amountText(v);
        return QString::number(v.toDouble(), 'g', 15).replace(u'.', u',');
    case FieldType::Integer:
    case FieldType::Int64:
        return QString::number(v.toLongLong());
    default:
        return v.toString();
    }
}

bool ReportData::is(const char* tableName, const char* field, const char* boxValue, int row) const {
    return value(tableName, field, row).toString() == QString::fromUtf8(boxValue);
}
