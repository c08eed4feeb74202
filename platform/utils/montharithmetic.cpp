#include "platform/utils/montharithmetic.h"

namespace Utils {

int monthsBetween(QDate start, QDate end) {
    if (!start.isValid() || !end.isValid() || start > end) return -1;
    int count = 0;
    for (QDate d = start.addMonths(1); d < end; d = d.addMonths(1))
        ++count;
    return count;
}

QDate endOfMonth(QDate date) {
    if (!date.isValid()) return {};
    return QDate(date.year(), date.month(), 1).addMonths(1).addDays(-1);
}

} // namespace Utils
