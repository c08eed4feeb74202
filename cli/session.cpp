#include "cli/session.h"

#include "cli/console.h"

#include <QDir>

namespace {

HostEnv::HostFolderSources folderSources(const QString& binFolder) {
    HostEnv::HostFolderSources sources = HostEnv::HostFolderSources::system();
    if (!binFolder.isEmpty()) {
        const QString folder = QDir(binFolder).absolutePath();
        sources.registryBin = [folder] { return folder; };
    }
    return sources;
}

} // namespace

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

void Session::reportMessages(const QString& path) const {
    for (const QString& m : file_->MessageList)
        Console::err(path + QStringLiteral(": ") + m);
}
