#pragma once

#include <QPointer>
#include <QString>
#include <QVariant>

class DataSet;
class Field;
class UserInterface;

namespace editor {

class Binder;

// The link of one control to one field of a table. Writing puts a browsing table into
// edit (an empty one gets its first row) and raises the writing flag, so the change that
// comes back from the table is not painted into the control that made it. Failures of
// the table (a required field, a read-only field) reach the user as a message.
class FieldLink {
public:
    FieldLink() = default;
    void attach(Binder* binder, const QString& fieldName);

    DataSet* table() const;
    Field* field() const; // null when unbound, not found or the table is gone
    const QString& fieldName() const { return fieldName_; }
    bool isWriting() const { return writing_; }
    // True when the table is open and the field may be written.
    bool writable() const;

    bool write(const QVariant& value, UserInterface& ui);
    bool writeText(const QString& text, UserInterface& ui);
    // Posts the table when it is being edited or inserted; false when the post failed or
    // was cancelled by a rule.
    bool post(UserInterface& ui);

private:
    bool prepare(UserInterface& ui);

    QPointer<Binder> binder_;
    QString fieldName_;
    bool writing_ = false;
};

} // namespace editor
