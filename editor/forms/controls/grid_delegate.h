#pragma once

#include <QStyledItemDelegate>

namespace editor {

class GridControl;

// The cell editors of a grid: a drop-down list for lookup columns (narrowed to the
// children of the row's parent key while it is open), a masked edit for masked columns,
// a plain edit otherwise. A month column refuses a text that is no month.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(GridControl& grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

protected:
    // A refused month keeps the cell open with one message (see checkCellEvent).
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    GridControl& grid_;
};

} // namespace editor
