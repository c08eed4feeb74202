#pragma once

class DataSet;

namespace Utils {

// Disables the bound controls of a table for the lifetime of the scope.
class ControlsDisabledScope {
public:
    explicit ControlsDisabledScope(DataSet& ds);
    ~ControlsDisabledScope();
    ControlsDisabledScope(const ControlsDisabledScope&) = delete;
    ControlsDisabledScope& operator=(const ControlsDisabledScope&) = delete;

private:
    DataSet& ds_;
};

// For a walk over a table: remembers the current record number and disables the
// controls; on leaving (also by an exception) returns to that record, then enables
// the controls again.
class DataSetScanScope {
public:
    explicit DataSetScanScope(DataSet& ds);
    ~DataSetScanScope();
    DataSetScanScope(const DataSetScanScope&) = delete;
    DataSetScanScope& operator=(const DataSetScanScope&) = delete;

private:
    DataSet& ds_;
    int savedRecNo_;
    ControlsDisabledScope disabled_; // destroyed after the record is restored
};

} // namespace Utils
