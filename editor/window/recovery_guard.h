#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class ApplicationFile;
class TdmDataSets;
class UserInterface;

namespace editor {

// Keeps a recovery copy of an application that has unsaved changes, so a crash, a power cut
// or a killed session costs at most a minute of work. While the editor is open for editing
// it writes the copy at most once a minute and whenever the window loses the focus, with
// what the focused control shows even before it is left. The copy is this editor's own
// (it holds the copy's lock): a save and a normal close remove it and no other. When the
// editor opens an application with a newer copy, or a new application while a copy of a
// new application is left by an editor that is gone, it offers to restore it. A close
// after a cancelled or failed save keeps the copy for the next start. View-only and silent
// runs neither write, offer nor remove copies.
class RecoveryGuard : public QObject {
    Q_OBJECT
public:
    // `reportFailure` shows a one-line note (the status bar); a copy that cannot be written
    // costs nothing else.
    RecoveryGuard(QWidget& window, TdmDataSets& dm, UserInterface& ui, ApplicationFile& file,
                  std::function<void(const QString&)> reportFailure);
    ~RecoveryGuard() override;

    // After the show-time steps: offers a copy, then starts keeping one.
    void start();
    // The application was saved: this editor's copy has nothing left to keep.
    void saved();
    // The editor closes. Unless the user's last save failed or was cancelled (then the
    // copy is brought up to date and kept, and the user is told so), the copy is removed.
    void closed();
    // Writes the copy now when there are unsaved changes, typed text included.
    void writeIfChanged();

    // The copy this editor writes; empty before the first one.
    const QString& ownCopy() const { return copy_; }

    // The interval between two copies: TOPAZ_RECOVERY_INTERVAL_MS when set, else a minute.
    static int intervalMs();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool active() const;
    bool named() const;
    bool hasUnsavedData() const;
    void offer();
    // Makes `copy` this editor's own copy; false when another living editor has it.
    bool adopt(const QString& copy, QString* error = nullptr);
    void release(bool remove);
    QString copyForCurrentFile(QString* error);

    QWidget& window_;
    TdmDataSets& dm_;
    UserInterface& ui_;
    ApplicationFile& file_;
    std::function<void(const QString&)> reportFailure_;
    QTimer timer_;
    bool started_ = false;
    bool restoring_ = false; // a copy is being read: nothing may remove it
    QString copy_;           // this editor's copy (it holds its lock)
    std::unique_ptr<QLockFile> lock_;
};

} // namespace editor
