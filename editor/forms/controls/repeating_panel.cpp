#include "editor/forms/controls/repeating_panel.h"

#include "platform/dataset/dataset.h"

#include <QFocusEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QScrollBar>

namespace editor {

RepeatingPanelControl::RepeatingPanelControl(const ControlRow& row, UserInterface& ui,
                                             QWidget* parent)
    : DataControl(row, ui, parent), block_(new QFrame(this)),
      scroll_(new QScrollBar(Qt::Vertical, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    static_cast<QFrame*>(block_)->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(block_, 1);
    layout->addWidget(scroll_);
    scroll_->setObjectName(objectName() + QStringLiteral("_scroll"));
    setFocusPolicy(Qt::StrongFocus);
    scroll_->setAccessibleName(row.label);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int recNo) {
        DataSet* t = link().table();
        if (isPainting() || !t || !t->isActive() || recNo == t->recNo()) return;
        t->setRecNo(recNo);
    });
}

void RepeatingPanelControl::refresh(const Field* changed) {
    DataControl::refresh(changed);
    const DataSet* t = link().table();
    const int count =
        t && t->isActive() ? t->recordCount() + (t->state() == DataSetState::Insert) : 0;
    const QSignalBlocker block(scroll_);
    scroll_->setRange(1, std::max(1, count));
    scroll_->setPageStep(1);
    if (t && t->isActive()) scroll_->setValue(std::max(1, t->recNo()));
    scroll_->setEnabled(count > 1);
    // The block takes input only while there is a record to show.
    block_->setEnabled(count > 0);
}

void RepeatingPanelControl::focusInEvent(QFocusEvent* event) {
    DataControl::focusInEvent(event);
    // Shift+Tab out of the block stops on the panel instead of going straight back in.
    if (event->reason() == Qt::BacktabFocusReason || !block_->isEnabled()) return;
    for (QWidget* w : block_->findChildren<QWidget*>())
        if (w->isEnabled() && w->isVisible() && w->focusPolicy() != Qt::NoFocus &&
            !w->focusProxy()) {
            w->setFocus(event->reason());
            return;
        }
}

void RepeatingPanelControl::setViewOnly(bool on) {
    DataControl::setViewOnly(on);
    for (DataControl* c : block_->findChildren<DataControl*>())
        c->setViewOnly(on);
}

} // namespace editor
