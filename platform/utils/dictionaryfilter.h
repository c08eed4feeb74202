#pragma once

#include <QString>

class DataSet;

namespace Utils {

// Narrows a dictionary table to the children of one parent while a cascading lookup
// has the focus. On: the filter becomes keyField + " = " + keyValue ("-1", which no
// row has, when the value is empty) and filtering is switched on. Off: filtering is
// switched off and the filter text is left as it was. A filter the table cannot parse
// throws DataSetError.
void setDictionaryFilter(DataSet& dictionary, const QString& keyField, const QString& keyValue,
                         bool on);

} // namespace Utils
