#pragma once

#include <QString>

class HostRegistry;

namespace HostEnv {

// The system's folder for temporary files.
QString tempFolder();

// The user's personal documents folder; the home folder when the system names none.
QString documentsFolder();

// The folder proposed for application files: registry "wnioski", else the documents
// folder.
QString applicationsFolder(const HostRegistry& registry);

} // namespace HostEnv
