#include "editor/validation/validation_window.h"

#include "editor/forms/frame_pages.h"
#include "editor/window/action_images.h"
#include "editor/window/focus_control.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <QVBoxLayout>

namespace editor {

TfmValForm_t::TfmValForm_t(QWidget* editorWindow)
    : QWidget(editorWindow, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                Qt::WindowCloseButtonHint),
      editor_(editorWindow), lvErrors_(new QListWidget(this)), statusBar_(new QStatusBar(this)) {
    setObjectName(QStringLiteral("fmValForm"));
    setWindowTitle(QStringLiteral("Edytor wniosku - błędy walidacji"));
    setToolTip(QStringLiteral("Podwójne kliknięcie na błędzie powoduje przejście do edycji pola"));
    setMinimumSize(350, 150);
    resize(395, 177);

    lvErrors_->setObjectName(QStringLiteral("lvErrors"));
    lvErrors_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvErrors_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvErrors_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvErrors_->setUniformItemSizes(true);
    lvErrors_->setIconSize(QSize(16, 16));
    QPalette palette = lvErrors_->palette();
    palette.setColor(QPalette::Base, QColor(204, 227, 210));
    lvErrors_->setPalette(palette);
    lvErrors_->installEventFilter(this);
    connect(lvErrors_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { goToFinding(lvErrors_->row(item)); });

    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(true);
    auto* hint = new QLabel(
        QStringLiteral(
            "Podwójne kliknięcie na błąd walidacji przenosi kursor do odpowiedniego pola"),
        statusBar_);
    statusBar_->addWidget(hint, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(lvErrors_, 1);
    layout->addWidget(statusBar_);
}

QWidget* TfmValForm_t::controlOf(const Finding& finding) const {
    if (!editor_) return nullptr;
    if (!finding.table.isEmpty() && !finding.field.isEmpty()) {
        if (QWidget* c = findControlForField(editor_, finding.table, finding.field)) return c;
    }
    if (finding.control.isEmpty()) return nullptr;
    return editor_->findChild<QWidget*>(finding.control);
}

void TfmValForm_t::showFindings() {
    lvErrors_->clear();
    controls_.clear();
    for (const Finding& finding : findings_.findings()) {
        QWidget* control = controlOf(finding);
        if (!control) continue;
        auto* item = new QListWidgetItem(findingImage(finding.imageIndex()), finding.message);
        // Long messages can be read in full in the line's tooltip.
        item->setToolTip(finding.message);
        lvErrors_->addItem(item);
        controls_.append(control);
    }
}

bool TfmValForm_t::goToFinding(int row) {
    if (row < 0 || row >= controls_.size() || !controls_[row]) return false;
    editor_->show();
    editor_->raise();
    editor_->activateWindow();
    return focusControl(controls_[row]);
}

bool TfmValForm_t::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lvErrors_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            goToFinding(lvErrors_->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace editor
