#pragma once

#include "file/application_xml.h"
#include "file/checksum.h"
#include "file/host_settings.h"
#include "file/loaded_application.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class DataSet;
class QLockFile;
class TdmDataSets;
class UserInterface;

// The editor's work on application files, without widgets: opening a file into the data
// module with the version and dictionary checks and the damaged-file fallback, the
// checksum, writing, the save and save-as actions, the proposed file name, the location
// remembered in the host's registry and the close query. The editor window owns one and
// supplies its widget steps through the hooks; the silent exports and the command line
// use it as it is.
class ApplicationFile {
public:
    // Start-up: extends the mapping table, takes the host settings, clears Zmieniony.
    ApplicationFile(TdmDataSets& dm, UserInterface& ui, HostSettings settings);
    ~ApplicationFile();
    ApplicationFile(const ApplicationFile&) = delete;
    ApplicationFile& operator=(const ApplicationFile&) = delete;

    // ---- editor state
    QString FileName;        // the current file; empty for a new application
    QString FileFormType;    // "plik" of the loaded file: the form type that wrote it
    QString FileVersion;     // "wersja" of the loaded file
    QString FirstVersion;    // "wersja_p": the version that first wrote the application
    QStringList MessageList; // messages collected while loading, for the message browser
    bool Silent = false;
    bool ViewOnly = false;
    bool ClosingByHost = false;
    bool LoadFailed = false; // the file could not be parsed

    const HostSettings& settings() const { return settings_; }
    const QString& ApplicationsFolder() const { return settings_.ApplicationsFolder; }
    // The folder the save dialog opens in.
    const QString& saveDialogFolder() const { return dialogFolder_; }
    ApplicationXml& xml() { return xml_; }

    // ---- widget steps supplied by the editor
    // Moves the focus out of the active control and back, so a value being typed is
    // posted. False when the control refused the typed text (it keeps the text and the
    // focus); a save then writes nothing. Without widgets there is nothing to commit.
    std::function<bool()> CommitActiveControl;
    // The save dialog: the initial folder and the proposed name in, the chosen path out;
    // no value when cancelled. Without it, save-as counts as cancelled.
    using PathChooser =
        std::function<std::optional<QString>(const QString& folder, const QString& proposed)>;
    PathChooser chooseSavePath;
    // After every successful save: the editor shows statusFileText() and captionAfterSave().
    std::function<void()> onFileSaved;
    // Show time: the message browser over MessageList (only called when there are
    // messages and the editor is not silent), and the year columns' visibility restored
    // from the flags of dsWniosek. Without an editor window neither has anything to show.
    std::function<void()> ShowMessageBrowser;
    std::function<void()> RestoreYearColumns;

    // ---- loading
    // The file into the data module with the stage events off and the finance trees
    // recomputed afterwards.
    void OpenApplicationFile(const QString& path);
    // The same for a file's bytes already in memory (fuzzing, files from a stream). The
    // application then has no file name.
    void OpenApplicationBytes(const QByteArray& bytes);
    void LoadApplicationFile(const QString& path);
    void ReadApplicationFile(const QString& path);

    // The steps of showing the editor after the host's window is hidden: the programme set
    // again, the load-time messages shown, the attachment flags of kind "IN" for an
    // application without a kind, the year columns, Zmieniony cleared. The editor window
    // runs them when it is shown, the silent validation without a window.
    void runShowTimeSteps();
    // The data part of the show-time steps alone: what the editor changes in the tables
    // when it shows them. Every write runs it first unless the steps already ran on the
    // data being written, so a file of ours reads back the same whether a check shows it
    // or not.
    void applyShowTimeData();

    // ---- checksum
    bool& ChecksumTrusted() { return checksum_.ChecksumTrusted; }
    void acSumaK() { checksum_.acSumaK(); }
    bool VerifyChecksum();

    // ---- saving
    // Writes the data module into the file. On failure the user is told why, the old file
    // stays as it was, Zmieniony stays set and the answer is false.
    bool WriteApplicationFile(const QString& path);
    // The document built afresh from the data module, as a save writes it (the loaded
    // document is replaced). Throws what the writer throws.
    void RebuildDocument();
    bool save();                      // acZapisz; true when the file was written
    bool saveAs();                    // acZapiszJako through chooseSavePath
    bool saveAs(const QString& path); // acZapiszJako with the path already chosen
    QString DefaultFileName() const;  // the first free "wniosekNNN.xml" of the dialog's folder
    void RememberFileLocation();
    // Whether the editor may close; asks the user and saves on request.
    bool closeQuery();

    // ---- recovery copy
    // Writes the data module to `path` as save would, with its checksum, but as a copy on
    // the side: the current file, its name, the remembered location and Zmieniony stay as
    // they were, and nobody is asked or told anything. Returns why it failed, else empty.
    QString writeRecoveryCopy(const QString& path);
    // Loads a recovery copy in place of the current file's data: the file name stays, and
    // Zmieniony is set, so the user still decides whether to save.
    void restoreRecoveryCopy(const QString& path);

    // ---- one editor per file
    // Set by the editor: the file it edits is locked ("." + name + ".lock" beside it), so
    // that a second editor can only view it. The command line and the checks lock nothing.
    bool LocksFile = false;
    enum class LockResult { Locked, HeldByOther };
    // Locks `path` for this editor (a lock of a dead process is taken over) and lets go of
    // the file locked before. HeldByOther, with `holder` naming the process, when a living
    // editor has it; a folder that cannot take a lock file locks nothing.
    LockResult lockFile(const QString& path, QString* holder = nullptr);
    void unlockFile();
    static QString lockedByOtherMessage(const QString& path, const QString& holder);
    // Set by the close query when the user asked to save but the save was cancelled or
    // failed: the unsaved work must survive the close.
    bool CloseLeftUnsaved = false;

    // ---- texts the editor shows after opening and saving
    QString statusFileText() const;   // "Plik wniosku: " + file
    QString captionAfterSave() const; // "Edytor wniosku " + title + " - " + file

    // ---- data controls
    // Off: notification of the controls of every open table behind a data source is
    // suspended (except the four whose controls must follow their rows); on: resumed.
    void SuspendDataControls(bool on);
    // Posts every table behind a data source that is being edited; false when a table's
    // rules refused a post (they said why and where).
    bool PostPendingEdits();

private:
    // Builds the document from the data module and writes it; throws on failure.
    void writeDocument(const QString& path);
    void refreshChecksumForSaving();
    ApplicationXml::InfoValues infoValues() const;
    LoadedApplication openDocument(const QString& path);
    void reportOpenError(const QString& text);
    void addMessage(const QString& text);
    bool nameMustBeChosen() const;

    TdmDataSets& dm_;
    UserInterface& ui_;
    HostSettings settings_;
    ApplicationXml xml_;
    ApplicationChecksum checksum_;
    QString dialogFolder_;
    const QByteArray* sourceBytes_ = nullptr; // set while OpenApplicationBytes reads
    bool confirmName_ = false; // a damaged file was opened: its name is not reused unasked
    bool shownData_ = false;   // the show-time steps ran on the data since it was loaded
    bool writing_ = false;     // a document is being built; a rule's message box may interrupt it
    std::vector<DataSet*> suspended_;
    std::unique_ptr<QLockFile> lock_;
};

// The check of SprawdzSume_ and SilentCrcCheck_ on a module that passed the dictionary
// gate: opens the file as the editor does and verifies its checksum. 1 when the checksum
// holds or the file is not held to it, else 0.
int32_t runSprawdzSume(TdmDataSets& dm, UserInterface& ui, const QString& path, bool silent);
