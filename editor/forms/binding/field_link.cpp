#include "editor/forms/binding/field_link.h"

#include "editor/forms/binding/binder.h"
#include "platform/dataset/dataset.h"
#include "platform/ui/userinterface.h"

namespace editor {

namespace {

void report(UserInterface& ui, const DataSetError& e) {
    ui.errorDialog(QString::fromStdString(e.what()));
}

// Lowers the writing flag on every way out.
struct WritingFlag {
    bool& flag;
    explicit WritingFlag(bool& f) : flag(f) { flag = true; }
    ~WritingFlag() { flag = false; }
};

} // namespace

void FieldLink::attach(Binder* binder, const QString& fieldName) {
    binder_ = binder;
    fieldName_ = fieldName;
}

DataSet* FieldLink::table() const {
    return binder_ ? binder_->table() : nullptr;
}

Field* FieldLink::field() const {
    DataSet* t = table();
    return t && !fieldName_.isEmpty() ? t->findField(fieldName_) : nullptr;
}

bool FieldLink::writable() const {
    Field* f = field();
    return f && f->dataSet()->isActive() && !f->isReadOnly();
}

bool FieldLink::prepare(UserInterface& ui) {
    DataSet* t = table();
    if (!t || !t->isActive() || !field()) return false;
    try {
        if (!t->isEditing()) t->edit(); // an empty table gets its first row
    } catch (const DataSetError& e) {
        report(ui, e);
        return false;
    }
    return t->isEditing();
}

bool FieldLink::write(const QVariant& value, UserInterface& ui) {
    if (!writable()) return false;
    WritingFlag guard(writing_); // also over the state change that edit() announces
    if (!prepare(ui)) return false;
    try {
        field()->setValue(value);
    } catch (const DataSetError& e) {
        report(ui, e);
        return false;
    }
    return true;
}

bool FieldLink::writeText(const QString& text, UserInterface& ui) {
    if (!writable()) return false;
    WritingFlag guard(writing_); // also over the state change that edit() announces
    if (!prepare(ui)) return false;
    try {
        field()->setAsString(text);
    } catch (const DataSetError& e) {
        report(ui, e);
        return false;
    }
    return true;
}

bool FieldLink::post(UserInterface& ui) {
    DataSet* t = table();
    if (!t || !t->isActive() || !t->isEditing()) return true;
    try {
        return t->post();
    } catch (const DataSetError& e) {
        report(ui, e);
        return false;
    }
}

} // namespace editor
