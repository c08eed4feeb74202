#include "editor/uiport/auto_close_driver.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace editor {

AutoCloseDriver::AutoCloseDriver(bool closeBox) : closeBox_(closeBox) {
    connect(&timer_, &QTimer::timeout, this, &AutoCloseDriver::step);
    timer_.start(20);
}

std::unique_ptr<AutoCloseDriver> AutoCloseDriver::fromEnvironment() {
    const QByteArray mode = qgetenv("TOPAZ_AUTOCLOSE");
    if (mode.isEmpty()) return nullptr;
    return std::make_unique<AutoCloseDriver>(mode == "closebox");
}

namespace {

// The step's answers run after the step returns: an answer may open the next modal window,
// whose event loop would otherwise run inside this timer's own event, and the timer would
// not fire again until that window closed.
template <typename Fn> void later(QObject* target, Fn fn) {
    QMetaObject::invokeMethod(target, fn, Qt::QueuedConnection);
}

} // namespace

void AutoCloseDriver::step() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        QAbstractButton* button = box->defaultButton();
        if (!button && !box->buttons().isEmpty()) button = box->buttons().constFirst();
        QString line = box->windowTitle() + QStringLiteral(": ") + box->text();
        if (button && box->buttons().size() > 1)
            line +=
                QStringLiteral(" [") + button->text().remove(QLatin1Char('&')) + QLatin1Char(']');
        std::fprintf(stderr, "%s\n", qUtf8Printable(line));
        std::fflush(stderr);
        if (button) later(button, [button] { button->click(); });
        return;
    }
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        later(dialog, [dialog] { dialog->reject(); });
        return;
    }
    if (modal->objectName() == QLatin1String("fmMsgForm")) {
        auto* next = modal->findChild<QPushButton*>(QStringLiteral("btnNastepny"));
        auto* done = modal->findChild<QPushButton*>(QStringLiteral("btnZamknij"));
        if (next && next->isEnabled())
            later(next, [next] { next->click(); });
        else if (done && done->isEnabled())
            later(done, [done] { done->click(); });
        return;
    }
    if (modal->objectName() == QLatin1String("fmWniosek") && !editorClosed_) {
        editorClosed_ = true;
        if (closeBox_) {
            later(modal, [modal] { modal->close(); });
        } else if (auto* close = modal->findChild<QAction*>(QStringLiteral("acZamknij"))) {
            later(close, [close] { close->trigger(); });
        }
    }
}

} // namespace editor
