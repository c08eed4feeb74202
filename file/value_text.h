#pragma once

#include <QString>
#include <QVariant>

class DataSet;
class Field;

// The text in which a field's value travels in the application file: strings as stored,
// integers in decimal, floats in the plain form ("1200,5"), dates "yyyy.MM.dd", no value
// as the empty text.
namespace FileValueText {
QString ofCurrentRecord(const Field& field);
QString ofRecord(const DataSet& table, int recNo, const Field& field);
// The records as the editor shows them: the stored ones and, after them, one being inserted
// and not yet posted.
int shownRecordCount(const DataSet& table);
// A record's value as shown: the record being edited or inserted gives what its edit buffer
// holds (nothing is posted).
QVariant shownValue(const DataSet& table, int recNo, const Field& field);
// As ofRecord, over the shown records.
QString ofShownRecord(const DataSet& table, int recNo, const Field& field);
} // namespace FileValueText

// How the reader compares and stores the text of a string field.
namespace FileStringText {
// The text with every character other than A-Z, a-z, 0-9, ",", "-", "." and ";" made a
// blank: two texts that reduce alike count as the same value.
QString reduced(const QString& text);
// The text as it is stored: every byte 0x9A of the text in the system code page becomes
// 0xB9 (in windows-1250 "š" becomes "ą"; another code page keeps its own letters).
QString asStored(const QString& text);
} // namespace FileStringText
