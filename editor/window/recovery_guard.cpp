#include "editor/window/recovery_guard.h"

#include "file/application_file.h"
#include "file/application_tables.h"
#include "file/recovery_copy.h"
#include "model/dm_main.h"
#include "platform/ui/userinterface.h"
#include "platform/utils/scopeexit.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace editor {

namespace {

const QString kKeptCopy =
    QStringLiteral("Zmian nie zapisano: kopia zapasowa wniosku została zachowana i zostanie "
                   "zaproponowana przy następnym otwarciu.");

} // namespace

RecoveryGuard::RecoveryGuard(QWidget& window, TdmDataSets& dm, UserInterface& ui,
                             ApplicationFile& file,
                             std::function<void(const QString&)> reportFailure)
    : QObject(&window), window_(window), dm_(dm), ui_(ui), file_(file),
      reportFailure_(std::move(reportFailure)) {
    timer_.setInterval(intervalMs());
    connect(&timer_, &QTimer::timeout, this, &RecoveryGuard::writeIfChanged);
    window_.installEventFilter(this);
}

RecoveryGuard::~RecoveryGuard() = default;

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

bool RecoveryGuard::adopt(const QString& copy, QString* error) {
    if (copy == copy_ && lock_) return true;
    std::unique_ptr<QLockFile> lock = RecoveryCopy::own(copy, error);
    if (!lock) return false;
    release(true); // a new application saved under a name keeps its copy under that name only
    lock_ = std::move(lock);
    copy_ = copy;
    return true;
}

void RecoveryGuard::release(bool remove) {
    if (remove && !copy_.isEmpty() && !restoring_) QFile::remove(copy_);
    lock_.reset();
    copy_.clear();
}

// The application has a file of its own; the bare name a cancelled save dialog proposed
// is none.
bool RecoveryGuard::named() const {
    return !file_.FileName.isEmpty() && QFileInfo(file_.FileName).isAbsolute();
}

void RecoveryGuard::offer() {
    QString candidate;
    if (!named()) {
        const QStringList left = RecoveryCopy::orphanedNewApplicationCopies();
        if (!left.isEmpty()) candidate = left.front();
    } else {
        candidate = RecoveryCopy::pathFor(file_.FileName);
    }
    if (candidate.isEmpty() || !adopt(candidate)) return;
    const std::optional<QDateTime> written =
        RecoveryCopy::offered(candidate, named() ? file_.FileName : QString());
    if (!written) return;
    const MessageResult answer =
        ui_.messageBox(RecoveryCopy::question(*written), QStringLiteral("Zelgor"),
                       MessageIcon::Question, MessageButtons::YesNo);
    if (answer != MessageResult::Yes) {
        QFile::remove(candidate);
        return;
    }
    // Reading lets events through; a close that arrives meanwhile must not remove the copy.
    restoring_ = true;
    ScopeExit done([this] { restoring_ = false; });
    file_.restoreRecoveryCopy(candidate);
}

QString RecoveryGuard::copyForCurrentFile(QString* error) {
    if (named()) {
        const QString copy = RecoveryCopy::pathFor(file_.FileName);
        if (adopt(copy, error)) return copy;
        if (!error->isEmpty()) return QString();
    }
    if (!copy_.isEmpty()) return copy_;
    for (int attempt = 0; attempt < 3 && error->isEmpty(); ++attempt)
        if (adopt(RecoveryCopy::newApplicationPath(), error)) return copy_;
    if (error->isEmpty()) *error = QStringLiteral("kopia jest używana przez inny edytor");
    return QString();
}

// Unsaved: a posted change, or a record being edited whose buffer differs from the row.
bool RecoveryGuard::hasUnsavedData() const {
    if (dm_.Zmieniony) return true;
    for (const QString& name : applicationTableNames()) {
        const DataSet* t = dm_.findTable(name);
        if (!t || !t->isActive() || !t->isEditing()) continue;
        if (t->state() != DataSetState::Edit) return true; // a record being inserted
        for (const auto& f : t->fields())
            if (f->kind() == FieldKind::Data && f->value() != t->valueAt(t->recNo(), *f))
                return true;
    }
    return false;
}

void RecoveryGuard::writeIfChanged() {
    if (!active() || restoring_ || !hasUnsavedData()) return;
    QString error = RecoveryCopy::prepareFolder();
    const QString copy = error.isEmpty() ? copyForCurrentFile(&error) : QString();
    if (!copy.isEmpty()) error = file_.writeRecoveryCopy(copy);
    if (!error.isEmpty())
        reportFailure_(QStringLiteral("Nie można zapisać kopii zapasowej wniosku: %1").arg(error));
}

void RecoveryGuard::saved() {
    if (active()) release(true);
}

void RecoveryGuard::closed() {
    if (active() && file_.ClosingByHost) {
        release(false); // the host closed at once: the copy waits for the next start
    } else if (active()) {
        if (file_.CloseLeftUnsaved) {
            writeIfChanged();
            if (!copy_.isEmpty() && QFile::exists(copy_))
                ui_.messageBox(kKeptCopy, QStringLiteral("Zelgor"), MessageIcon::Warning,
                               MessageButtons::Ok);
            release(false);
        } else {
            release(true);
        }
    }
    timer_.stop();
    started_ = false;
}

bool RecoveryGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::WindowDeactivate) writeIfChanged();
    return QObject::eventFilter(watched, event);
}

} // namespace editor
