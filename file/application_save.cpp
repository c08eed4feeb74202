// The save and save-as actions, the proposed file name, the remembered location and the
// close query of ApplicationFile.
#include "file/application_file.h"

#include "model/dm_main.h"
#include "platform/hostenv/hostregistry.h"
#include "platform/hostenv/pathtext.h"
#include "platform/ui/userinterface.h"
#include "platform/utils/scopeexit.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kCloseCaption = QStringLiteral("Edytor Wniosku");
const QString kCloseQuestion = QStringLiteral("Czy na pewno chcesz zamknąć Edytor Wniosku?");
const QString kSaveQuestion =
    QStringLiteral("Dane zawarte we wniosku zmieniły się. Czy chcesz zapisać zmiany?");

bool askYes(UserInterface& ui, const QString& question) {
    return ui.messageBox(question, kCloseCaption, MessageIcon::Question, MessageButtons::YesNo) ==
           MessageResult::Yes;
}

} // namespace

// A name without a folder is the proposal of a cancelled save dialog: saving under it
// would write wherever the process happens to run, possibly over another file. A damaged
// file's name is not reused unasked either: saving would replace it with the empty
// application that stands in for it.
bool ApplicationFile::nameMustBeChosen() const {
    return FileName.isEmpty() || QFileInfo(FileName).isRelative() || confirmName_;
}

// The saved file always carries the checksum of its data, in the state in which the editor
// shows it: a file written without being shown (a new application or a resave from the
// command line) would otherwise read back differently in the checks that show it first.
void ApplicationFile::refreshChecksumForSaving() {
    if (!shownData_) applyShowTimeData();
    const bool trusted = checksum_.ChecksumTrusted;
    checksum_.ChecksumTrusted = false;
    ScopeExit restore([&] { checksum_.ChecksumTrusted = trusted; });
    checksum_.acSumaK();
}

bool ApplicationFile::save() {
    if (nameMustBeChosen()) return saveAs();
    // A refused text in the control: what it shows could not be written.
    if (CommitActiveControl && !CommitActiveControl()) return false;
    // A record its rules refuse to post: they said why and where; writing would meet it
    // again at every step through its table.
    if (!PostPendingEdits()) return false;
    refreshChecksumForSaving();
    if (!WriteApplicationFile(FileName)) return false;
    RememberFileLocation();
    if (onFileSaved) onFileSaved();
    return true;
}

bool ApplicationFile::saveAs() {
    // The proposal stays the current name even when the dialog is cancelled.
    if (FileName.isEmpty()) FileName = DefaultFileName();
    if (!chooseSavePath) return false;
    const std::optional<QString> chosen = chooseSavePath(dialogFolder_, FileName);
    if (!chosen || chosen->isEmpty()) return false;
    return saveAs(*chosen);
}

bool ApplicationFile::saveAs(const QString& path) {
    QString name = path;
    if (name.right(4).toLower() != QLatin1String(".xml")) name += QStringLiteral(".xml");
    const QFileInfo chosen(name);
    QString holder;
    if (lockFile(chosen.absoluteFilePath(), &holder) == LockResult::HeldByOther) {
        ui_.messageBox(lockedByOtherMessage(chosen.absoluteFilePath(), holder) +
                           QStringLiteral("\r\nNie zapisano; proszę wybrać inną nazwę."),
                       QStringLiteral("Zelgor"), MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    FileName = chosen.absoluteFilePath();
    dialogFolder_ = chosen.absolutePath();
    confirmName_ = false;
    return save();
}

QString ApplicationFile::DefaultFileName() const {
    const QDir folder(dialogFolder_);
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("wniosek%1.xml").arg(n, 3, 10, QLatin1Char('0'));
        if (!QFileInfo(folder.filePath(name)).isFile()) return name;
    }
}

void ApplicationFile::RememberFileLocation() {
    const HostRegistry registry;
    if (!registry.writeString(QLatin1String(HostRegistry::ValueLastFile), FileName)) return;
    const QString folder = HostEnv::withoutTrailingSeparator(dialogFolder_);
    if (folder != settings_.ApplicationsFolder &&
        registry.writeString(QLatin1String(HostRegistry::ValueApplications), folder))
        settings_.ApplicationsFolder = folder;
}

bool ApplicationFile::closeQuery() {
    if (ClosingByHost) return true;
    if (CommitActiveControl) CommitActiveControl();
    if (!askYes(ui_, kCloseQuestion)) return false;
    // The close goes ahead also when the save dialog was cancelled.
    CloseLeftUnsaved = false;
    if (!ViewOnly && dm_.Zmieniony && askYes(ui_, kSaveQuestion)) CloseLeftUnsaved = !save();
    return true;
}

QString ApplicationFile::statusFileText() const {
    return QStringLiteral("Plik wniosku: ") + FileName;
}

QString ApplicationFile::captionAfterSave() const {
    return QStringLiteral("Edytor wniosku ") + QLatin1String(FormTypeTitle) +
           QStringLiteral(" - ") + FileName;
}
