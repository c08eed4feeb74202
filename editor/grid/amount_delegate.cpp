#include "editor/grid/amount_delegate.h"

#include "editor/forms/controls/cell_refusal.h"
#include "editor/grid/year_grid_model.h"
#include "platform/dataset/dataset.h"
#include "platform/ui/userinterface.h"
#include "validation/input_handler_table.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QTreeView>

namespace editor {

namespace {

const char* const kIndexProperty = "gridIndex";
const char* const kFilledProperty = "gridFilled";

const YearGridModel* gridModel(const QModelIndex& index) {
    return qobject_cast<const YearGridModel*>(index.model());
}

// Digits with blanks between groups, one decimal separator, an optional sign.
const QRegularExpression& amountShape() {
    static const QRegularExpression shape(QStringLiteral("[-+]?[0-9 \\x{00A0}]*([,.][0-9]*)?"));
    return shape;
}

} // namespace

AmountDelegate::AmountDelegate(UserInterface& ui, QObject* parent)
    : QStyledItemDelegate(parent), ui_(ui) {}

InputVerdict AmountDelegate::checkInput(const QModelIndex& index, const QString& text) {
    const YearGridModel* model = gridModel(index);
    if (!model) return InputVerdict::accepted();
    const YearGridDescription& d = model->description();
    const InputHandler check =
        inputHandlerFor(d.frameClass, d.name + model->column(index.column()).field);
    return check ? check(text) : InputVerdict::accepted();
}

QWidget* AmountDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    const YearGridModel* model = gridModel(index);
    if (!model) return QStyledItemDelegate::createEditor(parent, option, index);
    const GridColumn& c = model->column(index.column());
    const YearGridDescription& d = model->description();
    QWidget* editor = nullptr;
    if (c.kind == GridColumnKind::PickText) {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->addItems(c.pickList);
        editor = combo;
    } else {
        auto* line = new QLineEdit(parent);
        line->setFrame(false);
        int limit = c.maxLength;
        if (c.kind == GridColumnKind::Amount) {
            line->setValidator(new QRegularExpressionValidator(amountShape(), line));
            line->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        } else if (const Field* f = model->table() ? model->table()->findField(c.field) : nullptr) {
            if (limit == 0 && f->type() == FieldType::String) limit = f->size();
        }
        if (limit > 0) line->setMaxLength(limit);
        editor = line;
    }
    editor->setObjectName(d.name + c.field);
    editor->setProperty(kIndexProperty, QVariant::fromValue(QPersistentModelIndex(index)));
    return editor;
}

QSize AmountDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const YearGridModel* model = gridModel(index);
    const GridColumnKind kind = model ? model->column(index.column()).kind : GridColumnKind::Text;
    if (kind == GridColumnKind::Text) return wrappedSizeHint(option, index);
    if (oneLineHeight_ == 0) {
        QStyleOptionViewItem probe = option;
        initStyleOption(&probe, index);
        probe.text = QStringLiteral("0");
        const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        oneLineHeight_ =
            style->sizeFromContents(QStyle::CT_ItemViewItem, &probe, QSize(), option.widget)
                .height();
    }
    return QSize(0, oneLineHeight_);
}

// A text column is as high as its text wrapped at the column's width (less the tree's
// indentation in the first column), so a long name is shown whole on several lines.
QSize AmountDelegate::wrappedSizeHint(const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const auto* view = qobject_cast<const QTreeView*>(option.widget);
    if (!view) return size;
    int width = view->columnWidth(index.column());
    if (view->header()->visualIndex(index.column()) == 0) {
        int depth = view->rootIsDecorated() ? 1 : 0;
        for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
            ++depth;
        width -= depth * view->indentation();
    }
    QStyleOptionViewItem probe = option;
    initStyleOption(&probe, index);
    const QStyle* style = view->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int textWidth = std::max(20, width - 2 * margin - 4);
    const QRect text = probe.fontMetrics.boundingRect(QRect(0, 0, textWidth, 100000),
                                                      Qt::TextWordWrap | Qt::AlignLeft, probe.text);
    size.setHeight(std::max(size.height(), text.height() + 2 * margin + 2));
    return size;
}

void AmountDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    // Filled once when it opens: values announced later (the sums of other rows) must not
    // overwrite what the user is typing.
    if (editor->property(kFilledProperty).toBool()) return;
    editor->setProperty(kFilledProperty, true);
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentText(text);
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(text);
}

void AmountDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    QString text;
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        text = combo->currentText();
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        text = line->text();
    if (text == index.data(Qt::EditRole).toString()) return; // nothing typed
    const InputVerdict verdict = checkInput(index, text);
    if (!verdict.accept) {
        if (!refusalShown(editor)) ui_.errorDialog(verdict.message);
        return;
    }
    model->setData(index, text, Qt::EditRole);
}

bool AmountDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* line = qobject_cast<QLineEdit*>(object);
    if (line) {
        const QModelIndex index = line->property(kIndexProperty).value<QPersistentModelIndex>();
        const CellEvent e =
            index.isValid() ? checkCellEvent(
                                  line, event, [&] { return checkInput(index, line->text()); }, ui_)
                            : CellEvent::PassOn;
        if (e == CellEvent::Consumed) return true;
        if (e == CellEvent::Withheld) return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace editor
