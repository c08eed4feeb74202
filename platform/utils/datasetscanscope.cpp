#include "platform/utils/datasetscanscope.h"

#include "platform/dataset/dataset.h"

namespace Utils {

ControlsDisabledScope::ControlsDisabledScope(DataSet& ds) : ds_(ds) {
    ds_.disableControls();
}

ControlsDisabledScope::~ControlsDisabledScope() {
    ds_.enableControls();
}

DataSetScanScope::DataSetScanScope(DataSet& ds) : ds_(ds), savedRecNo_(ds.recNo()), disabled_(ds) {}

DataSetScanScope::~DataSetScanScope() {
    // Moving may post a pending edit, which can fail; a destructor must not throw, and
    // the error that ended the walk (if any) is the one worth reporting.
    try {
        if (savedRecNo_ >= 1 && ds_.isActive()) ds_.setRecNo(savedRecNo_);
    } catch (...) {
    }
}

} // namespace Utils
