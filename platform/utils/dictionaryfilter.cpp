#include "platform/utils/dictionaryfilter.h"

#include "platform/dataset/dataset.h"

namespace Utils {

void setDictionaryFilter(DataSet& dictionary, const QString& keyField, const QString& keyValue,
                         bool on) {
    if (!on) {
        dictionary.setFiltered(false);
        return;
    }
    const QString value = keyValue.isEmpty() ? QStringLiteral("-1") : keyValue;
    dictionary.setFilter(keyField + QLatin1String(" = ") + value);
    dictionary.setFiltered(true);
}

} // namespace Utils
