#include "editor/window/active_control_restore.h"

#include <QApplication>
#include <QTabWidget>

namespace editor {

ActiveControlRestore::ActiveControlRestore(QTabWidget* tabs)
    : QObject(tabs), tabs_(tabs), shownPage_(tabs->currentWidget()) {
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusMoved(now); });
    connect(tabs_, &QTabWidget::currentChanged, this, &ActiveControlRestore::pageChanged);
}

QWidget* ActiveControlRestore::rememberedControl(QWidget* page) const {
    return remembered_.value(page).data();
}

// While the tab widget switches pages it moves the focus into the new page itself; that
// is no choice of the user, so only moves inside the page shown before the switch count.
void ActiveControlRestore::focusMoved(QWidget* now) {
    if (now && shownPage_ && shownPage_->isAncestorOf(now)) remembered_.insert(shownPage_, now);
}

void ActiveControlRestore::pageChanged(int index) {
    shownPage_ = tabs_->widget(index);
    QWidget* control = rememberedControl(shownPage_);
    if (control && control->isEnabled() && control->isVisibleTo(tabs_->widget(index)))
        control->setFocus(Qt::OtherFocusReason);
}

} // namespace editor
