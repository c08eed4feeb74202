#include "editor/forms/controls/repeating_panel.h"

#include "platform/ui/userinterface.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QVBoxLayout>

#include <algorithm>

namespace editor {

namespace {

const QString kCopySuffix = QStringLiteral("_copy");

QFrame* blockFrame(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    // A block without a record keeps its place, so the page does not jump.
    QSizePolicy policy = frame->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    frame->setSizePolicy(policy);
    return frame;
}

} // namespace

RepeatingPanelControl::RepeatingPanelControl(const ControlRow& row, UserInterface& ui,
                                             QWidget* parent)
    : DataControl(row, ui, parent), block_(blockFrame(this)), other_(blockFrame(this)),
      cover_(new QWidget(other_)), slots_(new QVBoxLayout),
      scroll_(new QScrollBar(Qt::Vertical, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    slots_->setContentsMargins(2, 2, 2, 2); // room for the outline of the current block
    slots_->addWidget(block_);
    slots_->addWidget(other_);
    layout->addLayout(slots_, 1);
    layout->addWidget(scroll_);
    other_->setObjectName(objectName() + QStringLiteral("_other"));
    block_->installEventFilter(this);
    other_->installEventFilter(this);
    cover_->setObjectName(objectName() + QStringLiteral("_cover"));
    cover_->installEventFilter(this);
    scroll_->setObjectName(objectName() + QStringLiteral("_scroll"));
    scroll_->setAccessibleName(row.label);
    setFocusPolicy(Qt::StrongFocus);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int recNo) {
        if (!isPainting()) moveTo(recNo);
    });
    const std::pair<QKeyCombination, int> steps[] = {{Qt::CTRL | Qt::Key_Up, -1},
                                                     {Qt::CTRL | Qt::Key_Down, 1}};
    for (const auto& [keys, step] : steps) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, step] { moveTo(currentRecord() + step); });
    }
}

RepeatingPanelControl::~RepeatingPanelControl() = default;

DataSet& RepeatingPanelControl::copyTableFor(const DataSet& table,
                                             DataSet::TableResolver resolver) {
    copy_ = std::make_unique<DataSet>(table.name());
    for (const auto& f : table.fields()) {
        FieldDef def = f->definition();
        // The copy only shows values: calculated ones are copied, nothing is checked.
        if (def.kind == FieldKind::Calculated) def.kind = FieldKind::Data;
        def.required = false;
        def.readOnly = false;
        def.defaultValue = QVariant();
        copy_->addField(def);
    }
    copy_->setTableResolver(std::move(resolver));
    copy_->open();
    copy_->append();
    copy_->post();
    otherRecord_ = 0;
    return *copy_;
}

void RepeatingPanelControl::bind(Binder* binder) {
    // The controls of the other block show a copy: they never take the focus and their
    // names say what they are, so a control is still found under its own name.
    for (DataControl* c : other_->findChildren<DataControl*>())
        if (!c->objectName().endsWith(kCopySuffix)) c->setObjectName(c->objectName() + kCopySuffix);
    for (QWidget* w : other_->findChildren<QWidget*>())
        w->setFocusPolicy(Qt::NoFocus);
    cover_->raise();
    DataControl::bind(binder);
}

int RepeatingPanelControl::recordTotal() const {
    const DataSet* t = link().table();
    if (!t || !t->isActive()) return 0;
    return t->recordCount() + (t->state() == DataSetState::Insert ? 1 : 0);
}

// The navigator appends, so a record being inserted is the last one.
int RepeatingPanelControl::currentRecord() const {
    const DataSet* t = link().table();
    if (!t || !t->isActive()) return 0;
    if (t->state() == DataSetState::Insert) return t->recordCount() + 1;
    return std::max(0, t->recNo());
}

void RepeatingPanelControl::refresh(const Field* changed) {
    DataControl::refresh(changed);
    const int count = recordTotal();
    const int current = currentRecord();
    {
        const QSignalBlocker block(scroll_);
        scroll_->setRange(1, std::max(1, count));
        scroll_->setPageStep(1);
        scroll_->setValue(std::max(1, current));
    }
    scroll_->setEnabled(count > 1);
    // The block takes input only while there is a record to show.
    block_->setEnabled(count > 0);
    placeBlocks(current, count);
}

// Two slots: the upper one shows record top_, the lower one the record after it. The
// current record's slot holds the live block, the other slot the copy.
void RepeatingPanelControl::placeBlocks(int current, int count) {
    if (count == 0 || current == 0) {
        top_ = 1;
        block_->hide();
        copyRecord(0);
        other_->hide();
        return;
    }
    if (current < top_) top_ = current;
    if (current > top_ + 1) top_ = current - 1;
    top_ = std::clamp(top_, 1, std::max(1, count - 1));
    const bool liveOnTop = current == top_;
    if (slots_->indexOf(block_) != (liveOnTop ? 0 : 1)) {
        slots_->removeWidget(block_);
        slots_->insertWidget(liveOnTop ? 0 : 1, block_);
    }
    block_->show();
    const int other = liveOnTop ? top_ + 1 : top_;
    copyRecord(other <= count && other != current ? other : 0);
    other_->setVisible(otherRecord_ > 0);
}

void RepeatingPanelControl::copyRecord(int recNo) {
    const DataSet* t = link().table();
    if (!copy_ || !t) {
        otherRecord_ = 0;
        return;
    }
    if (recNo == otherRecord_ && t->version() == copiedVersion_) return;
    otherRecord_ = recNo;
    copiedVersion_ = t->version();
    if (recNo == 0) return; // the other block is hidden
    // One repaint of the copy's controls instead of one per field.
    copy_->disableControls();
    try {
        copy_->edit();
        for (const auto& f : copy_->fields())
            if (f->kind() == FieldKind::Data)
                if (const Field* source = t->findField(f->name()))
                    f->setValue(t->valueAt(recNo, *source));
        copy_->post();
    } catch (const DataSetError&) {
        copy_->cancel(); // the copy keeps what it showed; the table itself is untouched
    }
    copy_->enableControls();
}

bool RepeatingPanelControl::moveTo(int recNo) {
    DataSet* t = link().table();
    if (!t || !t->isActive() || recNo < 1 || recNo > recordTotal() || recNo == currentRecord()) {
        refresh(nullptr);
        return false;
    }
    // What was typed belongs to the record it was typed for.
    DataControl* typing = DataControl::focused();
    const bool focusInside = typing && block_->isAncestorOf(typing);
    if (focusInside && !typing->commit()) {
        refresh(nullptr);
        return false;
    }
    try {
        t->setRecNo(recNo);
    } catch (const DataSetError& e) {
        ui().errorDialog(QString::fromStdString(e.what()));
    }
    refresh(nullptr);
    if (focusInside && QApplication::focusWidget()) keepInView(QApplication::focusWidget());
    return currentRecord() == recNo;
}

void RepeatingPanelControl::otherBlockClicked(const QPoint& pos) {
    const QList<DataControl*> copies = other_->findChildren<DataControl*>();
    const QList<DataControl*> live = block_->findChildren<DataControl*>();
    QWidget* target = nullptr;
    for (qsizetype i = 0; i < copies.size() && i < live.size() && !target; ++i)
        if (copies[i]->isVisibleTo(other_) &&
            QRect(copies[i]->mapTo(other_, QPoint(0, 0)), copies[i]->size()).contains(pos))
            target = live[i];
    if (!moveTo(otherRecord_)) return;
    while (target && target->focusProxy())
        target = target->focusProxy();
    if (target && target->isEnabled() && (target->focusPolicy() & Qt::ClickFocus))
        target->setFocus(Qt::MouseFocusReason);
    else
        setFocus(Qt::MouseFocusReason);
}

void RepeatingPanelControl::keepInView(QWidget* w) {
    for (QWidget* p = parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p)) {
            area->ensureWidgetVisible(w);
            return;
        }
}

void RepeatingPanelControl::focusInEvent(QFocusEvent* event) {
    DataControl::focusInEvent(event);
    // Shift+Tab out of the block stops on the panel instead of going straight back in.
    if (event->reason() == Qt::BacktabFocusReason || !block_->isEnabled() || block_->isHidden())
        return;
    for (QWidget* w : block_->findChildren<QWidget*>())
        if (w->isEnabled() && w->isVisible() && w->focusPolicy() != Qt::NoFocus &&
            !w->focusProxy()) {
            w->setFocus(event->reason());
            keepInView(block_);
            return;
        }
}

void RepeatingPanelControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    // The block that takes the keys is outlined while another record shows beside it.
    if (block_->isVisible() && other_->isVisible()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(block_->geometry().adjusted(-1, -1, 1, 1));
    }
    // The panel holds the focus itself only when it has no record to hand it to.
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = slots_->geometry();
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

bool RepeatingPanelControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == other_ && event->type() == QEvent::Resize) cover_->setGeometry(other_->rect());
    if (watched == cover_ && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) otherBlockClicked(mouse->position().toPoint());
        return true;
    }
    if ((watched == block_ || watched == other_) &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
         event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        update(); // the outline follows the block
    }
    return DataControl::eventFilter(watched, event);
}

void RepeatingPanelControl::setViewOnly(bool on) {
    DataControl::setViewOnly(on);
    for (DataControl* c : findChildren<DataControl*>())
        c->setViewOnly(on);
}

} // namespace editor
