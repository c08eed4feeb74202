#pragma once

#include "platform/hostenv/hostfolder.h"

#include <QString>

// What the editor reads from the host at start-up: the host's program folder, the folder
// proposed for application files and the version of the module file.
struct HostSettings {
    QString HostFolder;         // registry "bin", shared memory, current folder
    QString ApplicationsFolder; // registry "wnioski", else the documents folder
    QString moduleVersionText;  // the version resource's answer, as the status bar shows it
    QString moduleVersion;      // the current module version written into files

    static HostSettings ReadHostSettings(const HostEnv::HostFolderSources& sources);
    static HostSettings ReadHostSettings(); // the system's sources
};

// The form type as the file and the editor name it.
inline constexpr const char* FormTypeCode = "TOPAZ_Q";
inline constexpr const char* FormTypeTitle = "SPO Transport / EFRR - Standardowy wniosek";

// The module file below the host folder: <host>/wn_typy/TOPAZ_Q.so.
QString moduleFilePath(const QString& hostFolder);

// The current module version: the resource's text, "1.0.0.0" when it has none.
QString currentModuleVersion(const QString& versionText);
