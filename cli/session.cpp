#include "cli/session.h"

#include "cli/console.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <vector>

namespace {

bool holdsDictionary(const QString& folder) {
    return QFileInfo::exists(QDir(folder).filePath(QStringLiteral("slowniki.xml")));
}

// Installed, topaz_q lives in the host folder and is started through a link on the PATH:
// when nothing names the folder and the current one has no dictionary, its own folder serves.
QString currentOrOwnFolder() {
    const QString current = QDir::currentPath();
    const QString own = QCoreApplication::applicationDirPath();
    return !holdsDictionary(current) && holdsDictionary(own) ? own : current;
}

HostEnv::HostFolderSources folderSources(const QString& binFolder) {
    HostEnv::HostFolderSources sources = HostEnv::HostFolderSources::system();
    sources.currentFolder = currentOrOwnFolder;
    if (!binFolder.isEmpty()) {
        const QString folder = QDir(binFolder).absolutePath();
        sources.registryBin = [folder] { return folder; };
    }
    return sources;
}

} // namespace

QString hostFolderFor(const QString& binFolder) {
    return HostSettings::ReadHostSettings(folderSources(binFolder)).HostFolder;
}

Session::Session(const QString& binFolder) {
    const HostEnv::HostFolderSources sources = folderSources(binFolder);
    DataModuleOptions options;
    options.folderSources = sources;
    dm_ = TdmDataSets::create(ui_, options);
    if (!dm_->SprawdzSlownik()) {
        const QString dictionary = QDir::toNativeSeparators(dm_->dictionaryPath);
        const QString reason =
            dm_->BladSlownika
                ? QStringLiteral("Nie można wczytać słownika %1.").arg(dictionary)
                : QStringLiteral("Słownik %1 nie zawiera programu tego wniosku.").arg(dictionary);
        throw SessionError(
            QStringLiteral(
                "Słownik zawiera niepoprawne dane dla tego wniosku.\r\n"
                "Proszę dokonać aktualizacji lub zainstalowac najnowszą wersję programu.\r\n")
                .append(reason)
                .toStdString());
    }
    file_ = std::make_unique<ApplicationFile>(*dm_, ui_, HostSettings::ReadHostSettings(sources));
}

Session& Session::untilExit(const QString& binFolder) {
    static Session* const kept = new Session(binFolder);
    return *kept;
}

void FileModule::keepUntilExit(std::unique_ptr<FileModule> module) {
    static auto* const kept = new std::vector<FileModule*>;
    kept->push_back(module.release());
}

void Session::reportMessages(const QString& path) const {
    for (const QString& m : file_->MessageList)
        Console::err(path + QStringLiteral(": ") + m);
}

FileModule::FileModule(const TdmDataSets& dictionaries, const HostSettings& settings) {
    DataModuleOptions options;
    options.dictionarySource = &dictionaries;
    dm_ = TdmDataSets::create(ui_, options);
    dm_->SprawdzSlownik();
    file_ = std::make_unique<ApplicationFile>(*dm_, ui_, settings);
}
