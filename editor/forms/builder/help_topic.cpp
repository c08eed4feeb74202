#include "editor/forms/builder/help_topic.h"

#include "model/dm_main_tmpl.h"
#include "platform/ui/userinterface.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

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

bool openWithDesktop(const QString& file, int topic) {
    QUrl url = QUrl::fromLocalFile(file);
    url.setFragment(QString::number(topic));
    return QDesktopServices::openUrl(url);
}

} // namespace

void setHelpFile(const QString& path) {
    fileSetting() = path;
}

QString helpFile(const TdmDataSets_t& dm) {
    if (!fileSetting().isEmpty()) return fileSetting();
    const QString hostFolder = QFileInfo(dm.dictionaryPath).absolutePath();
    return QDir(hostFolder).filePath(QStringLiteral("wn_typy/TOPAZ_Q.hlp"));
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
    const bool opened = viewer ? viewer(file, topic) : openWithDesktop(file, topic);
    if (!opened)
        dm.ui().messageBox(QStringLiteral("Nie można otworzyć pliku pomocy \"%1\" (temat %2).")
                               .arg(shown)
                               .arg(topic),
                           QStringLiteral("Zelgor"), MessageIcon::Warning, MessageButtons::Ok);
}

} // namespace editor
