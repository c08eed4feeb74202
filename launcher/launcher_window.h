#pragma once

#include "launcher/file_checker.h"
#include "launcher/module_library.h"

#include <QHash>
#include <QMainWindow>

#include <memory>

struct HostShowPlace;
class QAction;
class QDialog;
class QProgressBar;
class QTreeWidget;
class QTreeWidgetItem;

// The host's main window: the application files of the folder "wnioski" with their title,
// date changed and checksum state, and the actions that call the module's exports. The
// editor hides this window (found by its object name) while it is shown. The files are
// listed at once; titles and checksum states are read by a background thread, remembered
// by size and modification time, and shown as they come, with the progress in the status
// bar, so the window answers however full the folder is.
class LauncherWindow : public QMainWindow {
    Q_OBJECT
public:
    LauncherWindow(ModuleLibrary& module, QString applicationsFolder, QWidget* parent = nullptr);

    ~LauncherWindow() override;

    // Reads the folder again and selects the file saved last (registry "ostatni"); files
    // changed since they were last read are read again in the background.
    void refresh();
    // The selected application file; empty when none is selected.
    QString selectedFile() const;
    // Every selected file ("Porównaj" takes two).
    QStringList selectedFiles() const;
    // Whether files are still being read in the background.
    bool isChecking() const { return waiting_ > 0; }

signals:
    // Every listed file has its title and checksum state.
    void checkingFinished();
    // "Porównaj" has read both files and shows the comparison window.
    void comparisonShown(QDialog* window);

private:
    void showChecked(const FileState& state);
    void fillRow(QTreeWidgetItem* item, const FileState& state);
    void showProgress();
    void fitColumns(int widestName);
    QString folderStatus() const;
    void compareSelected();
    // The file read-only in the editor, opened at the place.
    void viewAt(const HostShowPlace& place);
    QAction* makeAction(const char* objectName, const QString& caption, const QString& hint);
    void selectFile(const QString& path);
    // Calls an export as the host does. The interactive ones hide this window for the time
    // of the call; the list is refreshed afterwards.
    int32_t runExport(const QString& exportName, const QString& path);
    void openOther();
    void checkSum();
    void validate();
    void updateActions();
    void showHelp();

    ModuleLibrary& module_;
    QString folder_;
    QTreeWidget* list_ = nullptr;
    QList<QAction*> fileActions_;
    QAction* compare_ = nullptr;
    bool comparing_ = false;
    QProgressBar* progress_ = nullptr;
    FileChecker* checker_ = nullptr;
    QHash<QString, FileState> known_;       // by path, as last read
    QHash<QString, QTreeWidgetItem*> rows_; // the rows of the current listing
    int waiting_ = 0, queued_ = 0, round_ = 0;
};
