#pragma once

#include "validation/input_handlers.h"

#include <QStyledItemDelegate>

class UserInterface;

namespace editor {

// Cell editors of the year grids: amounts in a line edit that takes digits, one decimal
// separator and a sign, limited to the column's length; texts in a line edit; the unit in
// an editable combo box with its pick list. The input check of the column (found by the
// frame and the column's control name, grid name + field) runs when the edit ends: a
// refused amount stays in the editor with the check's message until corrected or
// cancelled with Esc; leaving the cell in another way drops it.
class AmountDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    AmountDelegate(UserInterface& ui, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    // Only the text columns wrap; every other cell is one line high, which spares the view
    // a text layout per cell whenever the sums change.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The verdict of the column's input check on a typed text; accepted when the column
    // has none.
    static InputVerdict checkInput(const QModelIndex& index, const QString& text);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QSize wrappedSizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    UserInterface& ui_;
    mutable int oneLineHeight_ = 0;
};

} // namespace editor
