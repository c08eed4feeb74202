#include "editor/window/recovery_guard.h"

#include "file/application_file.h"
#include "file/recovery_copy.h"
#include "model/dm_main.h"
#include "platform/ui/userinterface.h"

#include <QEvent>
#include <QFile>
#include <QWidget>

namespace editor {

RecoveryGuard::RecoveryGuard(QWidget& window, TdmDataSets& dm, UserInterface& ui,
                             ApplicationFile& file,
                             std::function<void(const QString&)> reportFailure)
    : QObject(&window), window_(window), dm_(dm), ui_(ui), file_(file),
      reportFailure_(std::move(reportFailure)) {
    timer_.setInterval(intervalMs());
    connect(&timer_, &QTimer::timeout, this, &RecoveryGuard::writeIfChanged);
    window_.installEventFilter(this);
}

int RecoveryGuard::intervalMs() {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("TOPAZ_RECOVERY_INTERVAL_MS", &ok);
    return ok && ms > 0 ? ms : 60 * 1000;
}

bool RecoveryGuard::active() const {
    return started_ && !file_.ViewOnly && !file_.Silent;
}

void RecoveryGuard::start() {
    started_ = true;
    if (!active()) return;
    offer();
    timer_.start();
}

void RecoveryGuard::offer() {
    const std::optional<QDateTime> written = RecoveryCopy::offered(file_.FileName);
    if (!written) return;
    const QString copy = RecoveryCopy::pathFor(file_.FileName);
    const MessageResult answer =
        ui_.messageBox(RecoveryCopy::question(*written), QStringLiteral("Zelgor"),
                       MessageIcon::Question, MessageButtons::YesNo);
    if (answer == MessageResult::Yes) {
        file_.restoreRecoveryCopy(copy);
        writtenCopy_ = copy;
    } else {
        QFile::remove(copy);
    }
}

void RecoveryGuard::writeIfChanged() {
    if (!active() || !dm_.Zmieniony) return;
    const QString copy = RecoveryCopy::pathFor(file_.FileName);
    const QString error = file_.writeRecoveryCopy(copy);
    if (!error.isEmpty()) {
        reportFailure_(QStringLiteral("Nie można zapisać kopii zapasowej wniosku: %1").arg(error));
        return;
    }
    // A new application saved under a name keeps its copy under the new name only.
    if (!writtenCopy_.isEmpty() && writtenCopy_ != copy) QFile::remove(writtenCopy_);
    writtenCopy_ = copy;
}

void RecoveryGuard::removeCopies() {
    if (!writtenCopy_.isEmpty()) QFile::remove(writtenCopy_);
    RecoveryCopy::remove(file_.FileName);
    writtenCopy_.clear();
}

void RecoveryGuard::saved() {
    if (active()) removeCopies();
}

void RecoveryGuard::closedNormally() {
    if (active()) removeCopies();
    timer_.stop();
    started_ = false;
}

bool RecoveryGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::WindowDeactivate) writeIfChanged();
    return QObject::eventFilter(watched, event);
}

} // namespace editor
