#pragma once

#include "editor/forms/controls/data_control.h"
#include "platform/dataset/dataset.h"

#include <memory>

class QScrollBar;
class QVBoxLayout;

namespace editor {

// One block of controls repeated over the records of a table, two records at a time, with
// a scroll bar over the records beside them. The block of the current record holds the
// live controls; the other visible record is shown by a second block of the same controls,
// bound to a one-record copy of that record and never focused. A click into the other
// block makes its record current and puts the focus into the control clicked; Ctrl+Up and
// Ctrl+Down go to the record before and after. Whenever the current record moves (navigator,
// scroll bar, keys, rules), the blocks follow so that it stays in view. Records are added
// and removed only through the section's navigator. The panel takes the focus itself (a
// finding on its table leads to it) and hands it on to the first control of the block
// while there is a record to show.
class RepeatingPanelControl : public DataControl {
    Q_OBJECT
public:
    RepeatingPanelControl(const ControlRow& row, UserInterface& ui, QWidget* parent);
    ~RepeatingPanelControl() override;

    bool standsForTable() const override { return true; }
    // Where the builder puts the live controls.
    QWidget* block() const { return block_; }
    // Where the builder puts the controls that show the other visible record.
    QWidget* otherBlock() const { return other_; }
    QScrollBar* scrollBar() const { return scroll_; }
    // The record the other block shows; 0 when it shows none.
    int otherRecord() const { return otherRecord_; }

    // The one-record table the other block is bound to, with the fields of `table`; its
    // lookups read their dictionaries through `resolver`.
    DataSet& copyTableFor(const DataSet& table, DataSet::TableResolver resolver);

    void bind(Binder* binder) override;
    void refresh(const Field* changed) override;
    void setViewOnly(bool on) override;

    // Stores what the focused control of the block holds into its own record, then makes
    // `recNo` current. False when the text or the record was refused or nothing moved.
    bool moveTo(int recNo);

protected:
    QString shownText() const override { return {}; }
    void showText(const QString&) override {}
    void applyReadOnly(bool) override {}
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int currentRecord() const;
    int recordTotal() const;
    void placeBlocks(int current, int count);
    void copyRecord(int recNo);
    void otherBlockClicked(const QPoint& pos);
    void keepInView(QWidget* w);

    QWidget* block_;
    QWidget* other_;
    QWidget* cover_; // over the other block: its clicks choose a record
    QVBoxLayout* slots_;
    QScrollBar* scroll_;
    std::unique_ptr<DataSet> copy_;
    int top_ = 1;         // the record in the upper slot
    int otherRecord_ = 0; // the record copied into the other block
    quint64 copiedVersion_ = 0;
};

} // namespace editor
