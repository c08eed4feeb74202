#include "platform/hostenv/systemfolders.h"

#include "platform/hostenv/hostregistry.h"

#include <QDir>
#include <QStandardPaths>

namespace HostEnv {

QString tempFolder() {
    return QDir::tempPath();
}

QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString applicationsFolder(const HostRegistry& registry) {
    const QString folder = registry.readString(QLatin1String(HostRegistry::ValueApplications));
    return folder.isEmpty() ? documentsFolder() : folder;
}

} // namespace HostEnv
