#include "editor/forms/controls/grid_delegate.h"

#include "editor/forms/controls/cell_refusal.h"
#include "editor/forms/controls/dataset_model.h"
#include "editor/forms/controls/edit_mask.h"
#include "editor/forms/controls/grid_control.h"
#include "model/dm_main_tmpl.h"
#include "platform/dataset/dataset.h"
#include "platform/ui/userinterface.h"
#include "platform/utils/dictionaryfilter.h"
#include "validation/input_handlers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

namespace editor {

namespace {

DataSet* dictionaryOf(const GridControl& grid, int column) {
    const DataSet* table = grid.model()->table();
    if (!table) return nullptr;
    const Field* f = table->findField(QLatin1String(grid.model()->column(column).field));
    if (!f || f->kind() != FieldKind::Lookup) return nullptr;
    return grid.dataModule().findTable(f->definition().lookupDataSet);
}

} // namespace

GridDelegate::GridDelegate(GridControl& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const {
    const ColumnRow& column = grid_.model()->column(index.column());
    DataSet* table = grid_.model()->table();
    if (DataSet* dictionary = dictionaryOf(grid_, index.column())) {
        if (column.cascade.isSet() && table) {
            const Field* parentKey = table->findField(QLatin1String(column.cascade.parentField));
            // The parent key of the row being edited (the table's current record).
            Utils::setDictionaryFilter(*dictionary, QLatin1String(column.cascade.keyField),
                                       parentKey ? parentKey->asString() : QString(), true);
        }
        auto* combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("cellList"));
        const Field* lookup = table->findField(QLatin1String(column.field));
        const Field* key = dictionary->findField(lookup->definition().lookupKeyField);
        const Field* name = dictionary->findField(lookup->definition().lookupResultField);
        if (key && name)
            for (int r = 1; r <= dictionary->recordCount(); ++r)
                combo->addItem(dictionary->valueAt(r, *name).toString(),
                               dictionary->valueAt(r, *key).toString());
        return combo;
    }
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("cellEdit"));
    if (column.mask) edit->setInputMask(EditMask::parse(QLatin1String(column.mask)).inputMask);
    return edit;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString value = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(combo->findData(value));
        return;
    }
    static_cast<QLineEdit*>(editor)->setText(value);
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    const ColumnRow& column = grid_.model()->column(index.column());
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->currentIndex() >= 0) model->setData(index, combo->currentData(), Qt::EditRole);
        return;
    }
    auto* edit = static_cast<QLineEdit*>(editor);
    QString text = edit->text();
    if (column.mask) {
        text = EditMask::parse(QLatin1String(column.mask)).storedText(edit->displayText());
        if (text == index.data(Qt::EditRole).toString()) return; // nothing typed
    }
    if (column.monthCheck) {
        const InputVerdict verdict = validateMonthYearInput(text);
        if (!verdict.accept) {
            if (!refusalShown(editor)) grid_.dataModule().ui().errorDialog(verdict.message);
            return;
        }
    }
    model->setData(index, text, Qt::EditRole);
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(object);
    const QModelIndex index = edit ? grid_.view()->currentIndex() : QModelIndex();
    if (index.isValid() && grid_.model()->column(index.column()).monthCheck) {
        const char* mask = grid_.model()->column(index.column()).mask;
        const auto verdict = [&] {
            const QString text =
                mask ? EditMask::parse(QLatin1String(mask)).storedText(edit->displayText())
                     : edit->text();
            if (text == index.data(Qt::EditRole).toString()) return InputVerdict::accepted();
            return validateMonthYearInput(text);
        };
        const CellEvent e = checkCellEvent(edit, event, verdict, grid_.dataModule().ui());
        if (e == CellEvent::Consumed) return true;
        if (e == CellEvent::Withheld) return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void GridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    // An editor closed by a reset of the model (a record deleted or cancelled) comes with an
    // index that is no longer valid: the cascades of every column are released then.
    for (int c = 0; c < grid_.model()->columnCount(); ++c) {
        if (index.isValid() && c != index.column()) continue;
        if (!grid_.model()->column(c).cascade.isSet()) continue;
        if (DataSet* dictionary = dictionaryOf(grid_, c))
            Utils::setDictionaryFilter(*dictionary, QString(), QString(), false);
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

} // namespace editor
