#pragma once

#include "editor/forms/controls/data_control.h"

class QComboBox;
class DataSet;

namespace editor {

// A lookup field shown as a drop-down list of its dictionary table. Picking an entry
// stores the entry's key in the key field behind the lookup; Delete clears it. A
// cascading lookup lists only the children of the value chosen one level up while it
// has the focus ("-1", which no entry has, when nothing is chosen); a lookup with an
// entry filter narrows its dictionary the same way and puts the filter back afterwards.
class LookupControl : public DataControl {
    Q_OBJECT
public:
    LookupControl(const ControlRow& row, UserInterface& ui, QWidget* parent);
    void bind(Binder* binder) override;
    // The dictionary, and for a cascade the table holding the parent key.
    void setDictionary(DataSet* dictionary, DataSet* parentTable);
    QComboBox* comboBox() const { return combo_; }
    DataSet* dictionary() const { return dictionary_; }
    // Rebuilds the list from the dictionary as its filter now lets it through.
    void reloadList();

protected:
    QString fieldText(const Field& field) const override;
    QString shownText() const override;
    void showText(const QString& text) override;
    void applyReadOnly(bool readOnly) override;
    void entered() override;
    void left() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void picked(int index);
    const Field* keyField() const;
    void releaseFilter();

    QComboBox* combo_;
    FieldLink keyLink_;
    DataSet* dictionary_ = nullptr;
    DataSet* parentTable_ = nullptr;
    QString savedFilter_;
    bool savedFiltered_ = false;
    QMetaObject::Connection focusWatch_; // while the list filters its dictionary
};

} // namespace editor
