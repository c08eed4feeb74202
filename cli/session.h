#pragma once

#include "file/application_file.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <memory>
#include <stdexcept>

// The host folder as a command finds it without reading the dictionary: binFolder when
// given, else the registry, the shared memory or the current (or the program's) folder.
QString hostFolderFor(const QString& binFolder);

// What one export call builds: the data module with its dictionaries, past the dictionary
// gate, and the editor's file half. Message boxes go to standard error.
class Session {
public:
    // The host folder is binFolder when given, else the registry, the shared memory or
    // the current folder. Throws SessionError when the dictionaries are unusable.
    explicit Session(const QString& binFolder);

    TdmDataSets& dm() { return *dm_; }
    ApplicationFile& file() { return *file_; }
    HeadlessUi& ui() { return ui_; }
    const HostSettings& settings() const { return file_->settings(); }

    // The load-time messages of the file, on standard error under the file's name.
    void reportMessages(const QString& path) const;

    // The session of a command that ends the process with it (one per process). It is
    // never freed: after a large application, freeing the data module row by row is a
    // good part of the run, and the process ends anyway. A static pointer keeps it
    // reachable, so leak checkers report nothing.
    static Session& untilExit(const QString& binFolder);

private:
    HeadlessUi ui_{true};
    std::unique_ptr<TdmDataSets> dm_;
    std::unique_ptr<ApplicationFile> file_;
};

// A data module of its own for one file of a batch, on the dictionaries of the session's
// module, with the editor's file half: what batch validation and import give each file.
class FileModule {
public:
    FileModule(const TdmDataSets& dictionaries, const HostSettings& settings);

    TdmDataSets& dm() { return *dm_; }
    ApplicationFile& file() { return *file_; }
    HeadlessUi& ui() { return ui_; }

    // Keeps the module until the process ends, never freed, for the reason untilExit gives;
    // a static list keeps it reachable.
    static void keepUntilExit(std::unique_ptr<FileModule> module);

private:
    HeadlessUi ui_;
    std::unique_ptr<TdmDataSets> dm_;
    std::unique_ptr<ApplicationFile> file_;
};

class SessionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
