#include "editor/forms/builder/help_topic.h"

#include "editor/help/help_window.h"
#include "model/dm_main_tmpl.h"
#include "platform/ui/userinterface.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace editor {

namespace {

QString& fileSetting() {
    static QString file;
    return file;
}

HelpViewer& viewerSetting() {
    static HelpViewer viewer;
    return viewer;
}

// The module's own help window over the instruction beside the index file.
bool openHelpWindow(const QString& file, int topic) {
    return help::HelpWindow::open(QFileInfo(file).absolutePath(), topic,
                                  QApplication::focusWidget()) != nullptr;
}

} // namespace

void setHelpFile(const QString& path) {
    fileSetting() = path;
}

QString helpFile(const TdmDataSets_t& dm) {
    if (!fileSetting().isEmpty()) return fileSetting();
    const QString hostFolder = QFileInfo(dm.dictionaryPath).absolutePath();
    return help::HelpBook::indexIn(hostFolder);
}

void setHelpViewer(HelpViewer viewer) {
    viewerSetting() = std::move(viewer);
}

void showHelpTopic(const TdmDataSets_t& dm, int topic) {
    const QString file = helpFile(dm);
    const QString shown = QDir::toNativeSeparators(file);
    if (!QFileInfo::exists(file)) {
        dm.ui().messageBox(QStringLiteral("Nie znaleziono pliku pomocy \"%1\".\nTemat pomocy: %2.")
                               .arg(shown)
                               .arg(topic),
                           QStringLiteral("Zelgor"), MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    const HelpViewer& viewer = viewerSetting();
    const bool opened = viewer ? viewer(file, topic) : openHelpWindow(file, topic);
    if (!opened)
        dm.ui().messageBox(QStringLiteral("Nie można otworzyć pliku pomocy \"%1\" (temat %2).")
                               .arg(shown)
                               .arg(topic),
                           QStringLiteral("Zelgor"), MessageIcon::Warning, MessageButtons::Ok);
}

} // namespace editor
