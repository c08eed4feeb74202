#pragma once

// Steps of a test that run inside a modal window's event loop. A check that fails inside a
// step only returns from the step; without more, the window would stay open and the unit
// would wait for CTest's time limit. Here every modal window is closed when a check has
// failed, so the modal call returns and the unit fails in seconds.
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace TestSupport {

inline void closeModalWindows() {
    for (int i = 0; i < 10; ++i) {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->isVisible() && top->isModal()) w = top;
        }
        if (!w) return;
        if (auto* d = qobject_cast<QDialog*>(w))
            d->done(QDialog::Rejected);
        else
            w->close();
        QCoreApplication::processEvents();
    }
}

// Runs `step` as soon as the event loop of the modal call that follows is running (opening a
// file, a restored recovery copy among them, lets events through before that).
inline void inModalLoop(QObject* context, std::function<void()> step, int delayMs = 0) {
    QTimer::singleShot(delayMs, context, [context, step = std::move(step)]() mutable {
        if (QThread::currentThread()->loopLevel() == 0)
            return inModalLoop(context, std::move(step), 10);
        step();
        if (QTest::currentTestFailed()) closeModalWindows();
    });
}

} // namespace TestSupport
