#pragma once

#include "launcher/module_library.h"

#include <QMainWindow>

class QAction;
class QTreeWidget;

// The host's main window: the application files of the folder "wnioski" with their title,
// date changed and checksum state, and the actions that call the module's exports. The
// editor hides this window (found by its object name) while it is shown.
class LauncherWindow : public QMainWindow {
    Q_OBJECT
public:
    LauncherWindow(ModuleLibrary& module, QString applicationsFolder, QWidget* parent = nullptr);

    // Reads the folder again and selects the file saved last (registry "ostatni").
    void refresh();
    // The selected application file; empty when none is selected.
    QString selectedFile() const;

private:
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
};
