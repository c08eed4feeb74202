#include "file/value_text.h"

#include "platform/dataset/dataset.h"
#include "platform/hostenv/codepage.h"
#include "platform/hostenv/codepagetext.h"

namespace FileValueText {

QString ofCurrentRecord(const Field& field) {
    return FieldText::format(field.type(), field.value());
}

QString ofRecord(const DataSet& table, int recNo, const Field& field) {
    return FieldText::format(field.type(), table.valueAt(recNo, field));
}

int shownRecordCount(const DataSet& table) {
    return table.recordCount() + (table.state() == DataSetState::Insert ? 1 : 0);
}

QVariant shownValue(const DataSet& table, int recNo, const Field& field) {
    const bool buffer = (table.state() == DataSetState::Edit && table.recNo() == recNo) ||
                        (table.state() == DataSetState::Insert && recNo > table.recordCount());
    return buffer ? field.value() : table.valueAt(recNo, field);
}

QString ofShownRecord(const DataSet& table, int recNo, const Field& field) {
    return FieldText::format(field.type(), shownValue(table, recNo, field));
}

} // namespace FileValueText

namespace FileStringText {

namespace {
bool kept(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') ||
           u == u',' || u == u'-' || u == u'.' || u == u';';
}
} // namespace

QString reduced(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (!kept(c)) c = u' ';
    return out;
}

QString asStored(const QString& text) {
    return HostEnv::replaceCodePageByte(text, '\x9A', '\xB9', HostEnv::systemCodePageName());
}

} // namespace FileStringText
