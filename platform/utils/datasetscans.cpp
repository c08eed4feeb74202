#include "platform/utils/datasetscans.h"

#include "platform/dataset/dataset.h"
#include "platform/utils/datasetscanscope.h"

namespace Utils {

namespace {

// Visits the rows from the first until the predicate answers true; reports whether it did.
template <typename Pred> bool anyRow(DataSet& ds, Pred pred) {
    DataSetScanScope scope(ds);
    for (ds.first(); !ds.eof(); ds.next())
        if (pred()) return true;
    return false;
}

bool onlyDigits(const QString& s) {
    for (const QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return true;
}

} // namespace

bool anyRowEmpty(DataSet& ds, const QString& fieldName) {
    if (ds.isEmpty()) return true;
    const Field* f = ds.findField(fieldName);
    if (!f) return false;
    return anyRow(ds, [f] { return f->asString().trimmed().isEmpty(); });
}

bool anyRowWithBadDigits(DataSet& ds, const QString& fieldName, int requiredLength) {
    if (ds.isEmpty()) return false;
    const Field* f = ds.findField(fieldName);
    if (!f) return false;
    return anyRow(ds, [f, requiredLength] {
        const QString v = f->asString().trimmed();
        return !v.isEmpty() && (v.size() != requiredLength || !onlyDigits(v));
    });
}

bool allRowsZero(DataSet& ds, const QString& fieldName) {
    if (ds.isEmpty()) return true;
    const Field* f = ds.findField(fieldName);
    if (!f) return true;
    return !anyRow(ds, [f] { return f->asFloat() != 0.0; });
}

} // namespace Utils
