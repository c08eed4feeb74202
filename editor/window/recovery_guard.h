#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class ApplicationFile;
class TdmDataSets;
class UserInterface;

namespace editor {

// Keeps a recovery copy of an application that has unsaved changes, so a crash, a power cut
// or a killed session costs at most a minute of work. While the editor is open for editing
// it writes the copy at most once a minute and whenever the window loses the focus; a
// normal close and every save remove it. When the editor opens an application whose copy
// is newer than the file, it offers to restore the copy. View-only and silent runs neither
// write, offer nor remove copies.
class RecoveryGuard : public QObject {
    Q_OBJECT
public:
    // `reportFailure` shows a one-line note (the status bar); a copy that cannot be written
    // costs nothing else.
    RecoveryGuard(QWidget& window, TdmDataSets& dm, UserInterface& ui, ApplicationFile& file,
                  std::function<void(const QString&)> reportFailure);

    // After the show-time steps: offers a newer copy, then starts keeping one.
    void start();
    // The application was saved: its copies have nothing left to keep.
    void saved();
    // The editor closes normally (saved, or the user chose not to save).
    void closedNormally();
    // Writes the copy now when there are unsaved changes.
    void writeIfChanged();

    // The interval between two copies: TOPAZ_RECOVERY_INTERVAL_MS when set, else a minute.
    static int intervalMs();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool active() const;
    void offer();
    void removeCopies();

    QWidget& window_;
    TdmDataSets& dm_;
    UserInterface& ui_;
    ApplicationFile& file_;
    std::function<void(const QString&)> reportFailure_;
    QTimer timer_;
    bool started_ = false;
    QString writtenCopy_; // the copy written last; the file's name may change by save-as
};

} // namespace editor
