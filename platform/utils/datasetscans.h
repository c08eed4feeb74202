#pragma once

#include <QString>

class DataSet;

namespace Utils {

// Whole-table checks used by validation. Each walks the rows from the first with the
// controls disabled and returns to the record that was current before, also when a
// value cannot be read (the DataSetError then propagates). Values are trimmed.

// True when the table has no rows, or some row's value of the field is empty; stops at
// the first empty one. A field the table lacks counts as not empty.
bool anyRowEmpty(DataSet& ds, const QString& fieldName);

// True when some row has a non-empty value whose length differs from requiredLength or
// that holds a character other than 0-9. Empty values and a missing field are not bad.
bool anyRowWithBadDigits(DataSet& ds, const QString& fieldName, int requiredLength);

// True when the table has no rows, lacks the field, or every row's value as a number is
// 0 (an empty value counts as 0); false at the first row that is not 0. A text that is
// no number throws DataSetError.
bool allRowsZero(DataSet& ds, const QString& fieldName);

} // namespace Utils
