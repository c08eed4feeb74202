#include "file/host_settings.h"

#include "platform/hostenv/hostregistry.h"
#include "platform/hostenv/moduleversion.h"
#include "platform/hostenv/systemfolders.h"

#include <QDir>

QString moduleFilePath(const QString& hostFolder) {
    return QDir(hostFolder)
        .filePath(QStringLiteral("wn_typy/%1.so").arg(QLatin1String(FormTypeCode)));
}

QString currentModuleVersion(const QString& versionText) {
    return versionText == QLatin1String(HostEnv::VersionNotAvailable) ? QStringLiteral("1.0.0.0")
                                                                      : versionText;
}

HostSettings HostSettings::ReadHostSettings(const HostEnv::HostFolderSources& sources) {
    HostSettings s;
    s.HostFolder = HostEnv::hostFolder(sources);
    s.ApplicationsFolder = HostEnv::applicationsFolder(HostRegistry());
    s.moduleVersionText = HostEnv::readModuleVersion(moduleFilePath(s.HostFolder));
    s.moduleVersion = currentModuleVersion(s.moduleVersionText);
    return s;
}

HostSettings HostSettings::ReadHostSettings() {
    return ReadHostSettings(HostEnv::HostFolderSources::system());
}
