#include "platform/dataset/datasource.h"

#include "platform/dataset/dataset.h"

DataSource::DataSource(QString name, DataSet* dataSet) : name_(std::move(name)) {
    setDataSet(dataSet);
}

DataSource::~DataSource() {
    setDataSet(nullptr);
}

void DataSource::setDataSet(DataSet* ds) {
    if (dataSet_ == ds) return;
    if (dataSet_) dataSet_->removeObserver(this);
    dataSet_ = ds;
    if (dataSet_) dataSet_->addObserver(this);
}

void DataSource::stateChanged(DataSet&) {
    if (onStateChange) onStateChange(*this);
}

void DataSource::updateData(DataSet&) {
    if (onUpdateData) onUpdateData(*this);
}

void DataSource::dataChanged(Field* f) {
    if (onDataChange) onDataChange(*this, f);
}
