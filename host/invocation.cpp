#include "host/invocation.h"

#include "host/window_library.h"

#include "editor/window/editor_shell.h"
#include "file/application_file.h"
#include "file/host_settings.h"
#include "model/dm_main.h"
#include "platform/hostenv/hostregistry.h"
#include "platform/ui/headlessui.h"
#include "validation/application_validation.h"
#include "validation/rule_set.h"

#include <QFileInfo>

#include <memory>

namespace {

// The editor's half, registered by the library that has the widgets; null in the module
// itself, which then hands the calls that show a window to that library.
EditorParts* editorParts = nullptr;

// The process-wide references of one call, all empty between calls: the data module and
// the editor. The editor is the window when the call shows one and widgets can be shown,
// else its file half alone.
UserInterface* guiUi = nullptr; // the port of the GUI session the editor's half opened
std::unique_ptr<HeadlessUi> headlessUi;
UserInterface* moduleUi = nullptr;
std::unique_ptr<TdmDataSets> dmDataSets;
std::unique_ptr<editor::EditorShell> fmWniosek;
std::unique_ptr<ApplicationFile> fmFileOnly;
std::unique_ptr<FindingList> fmValForm; // the validation window's list without a window

const QString kGateMessage =
    QStringLiteral("Słownik zawiera niepoprawne dane dla tego wniosku.\r\n"
                   "Proszę dokonać aktualizacji lub zainstalowac najnowszą wersję programu.");

// Frees everything the call created, whatever way the call ends: the editor first (it
// refers to the data module), then the data module.
struct CommonEnd {
    ~CommonEnd() {
        fmValForm.reset();
        fmWniosek.reset();
        fmFileOnly.reset();
        dmDataSets.reset();
        moduleUi = nullptr;
        headlessUi.reset();
        if (guiUi) editorParts->closeSession(); // last: it may own the QApplication
        guiUi = nullptr;
    }
};

bool isSilent(ExportKind kind) {
    return kind == ExportKind::SilentCrcCheck || kind == ExportKind::SilentPreview ||
           kind == ExportKind::SilentValidate || kind == ExportKind::SilentValCrcCheck;
}

const QString kChecksumQuestion =
    QStringLiteral("Niepoprawna suma kontrolna. Plik wniosku został zmieniony poza Zelgorem\r\n"
                   "Czy chcesz mimo to kontynuować?");

// The exports that show the editor window.
bool showsWindow(ExportKind kind) {
    return isInteractive(kind) || kind == ExportKind::SilentPreview;
}

ApplicationFile& editorFile() {
    return fmWniosek ? fmWniosek->file() : *fmFileOnly;
}

FindingList& prepareValidationWindow() {
    if (fmWniosek) return fmWniosek->PrepareValidationWindow();
    if (!fmValForm) fmValForm = std::make_unique<FindingList>();
    PrepareValidationWindow(*dmDataSets, *fmValForm);
    return *fmValForm;
}

// The editor's modal result; without a window nothing is shown and the result is 0.
int32_t showModal() {
    return fmWniosek ? fmWniosek->showModal() : 0;
}

void setStatusFileText(const QString& path) {
    if (fmWniosek) fmWniosek->setStatusFileText(QStringLiteral("Plik wniosku: ") + path);
}

void EnterViewMode() {
    if (fmWniosek)
        fmWniosek->EnterViewMode();
    else
        editorFile().ViewOnly = true;
}

// The place the host asked this file's viewer to open at (a difference of two versions).
void openAtHostPlace(const QString& path) {
    const HostShowPlace place = HostShowPlace::fromText(
        HostRegistry().readString(QLatin1String(HostRegistry::ValueShowPlace)));
    if (fmWniosek && !place.isEmpty() &&
        QFileInfo(place.file).absoluteFilePath() == QFileInfo(path).absoluteFilePath())
        fmWniosek->openAt(place);
}

// The export's own steps after the common start.
int32_t runSteps(ExportKind kind, const QString& path) {
    ApplicationFile& editor = editorFile();
    editor.Silent = isSilent(kind);
    switch (kind) {
    case ExportKind::NowyWniosek:
        return showModal();
    case ExportKind::EdytujWniosek:
    case ExportKind::DrukujWniosek:
        editor.OpenApplicationFile(path);
        setStatusFileText(path);
        if (kind == ExportKind::EdytujWniosek && fmWniosek)
            fmWniosek->setCaption(QStringLiteral("Edytor wniosku  - ") + path);
        if (!editor.VerifyChecksum() &&
            moduleUi->messageBox(kChecksumQuestion, QStringLiteral("Zelgor"), MessageIcon::Warning,
                                 MessageButtons::YesNo) != MessageResult::Yes)
            return 0;
        return showModal();
    case ExportKind::SprawdzSume:
    case ExportKind::SilentCrcCheck:
        editor.OpenApplicationFile(path);
        return editor.VerifyChecksum() ? 1 : 0;
    case ExportKind::PodgladWniosku: {
        editor.OpenApplicationFile(path);
        setStatusFileText(path);
        EnterViewMode();
        openAtHostPlace(path);
        FindingList& window = prepareValidationWindow();
        if (!editor.VerifyChecksum()) dmDataSets->Zmieniony = false;
        showModal();
        // Validation runs after the viewer closes.
        return validateSafely(*dmDataSets, window) ? 1 : 0;
    }
    case ExportKind::SilentPreview: {
        editor.OpenApplicationFile(path);
        setStatusFileText(path);
        EnterViewMode();
        const bool valid = validateSafely(*dmDataSets, prepareValidationWindow());
        showModal(); // view only; its modal result is not returned
        return valid ? 1 : 0;
    }
    case ExportKind::SilentValidate: {
        editor.OpenApplicationFile(path);
        return validateSafely(*dmDataSets, prepareValidationWindow()) ? 1 : 0;
    }
    case ExportKind::SilentValCrcCheck:
        return validateApplicationFile(editor, *dmDataSets, path).checksumAndValidationResult();
    }
    return 0;
}

} // namespace

bool isInteractive(ExportKind kind) {
    return kind == ExportKind::NowyWniosek || kind == ExportKind::EdytujWniosek ||
           kind == ExportKind::PodgladWniosku || kind == ExportKind::DrukujWniosek;
}

bool invocationObjectsFreed() {
    return !dmDataSets && !fmWniosek && !fmFileOnly && !moduleUi && !fmValForm && !guiUi;
}

void registerEditorParts(EditorParts* parts) {
    editorParts = parts;
}

int32_t runExport(ExportKind kind, const QString& path) {
    // The module itself carries no widgets, so that the checking calls do not pay for
    // loading them: a call that shows a window runs in the library that has them.
    if (showsWindow(kind) && !editorParts) return runInWindowLibrary(kind, path);
    CommonEnd end;
    try {
        // The calls that show the editor talk through widgets when they can; without a
        // display (and in the checking calls) the module talks through standard error.
        if (showsWindow(kind)) guiUi = editorParts->openSession();
        if (guiUi) {
            moduleUi = guiUi;
        } else {
            headlessUi = std::make_unique<HeadlessUi>(true);
            moduleUi = headlessUi.get();
        }
        if (!dmDataSets) dmDataSets = TdmDataSets::create(*moduleUi);
        if (!dmDataSets->SprawdzSlownik()) {
            if (isInteractive(kind))
                moduleUi->messageBox(kGateMessage, QStringLiteral("Zelgor"),
                                     MessageIcon::Information, MessageButtons::Ok);
            return 0;
        }
        if (guiUi)
            fmWniosek =
                editorParts->createEditor(*dmDataSets, *moduleUi, HostSettings::ReadHostSettings());
        else
            fmFileOnly = std::make_unique<ApplicationFile>(*dmDataSets, *moduleUi,
                                                           HostSettings::ReadHostSettings());
        return runSteps(kind, path);
    } catch (const std::exception& e) {
        // Nothing may escape into the host: an unexpected error counts as a failed check.
        if (moduleUi) moduleUi->errorDialog(QString::fromUtf8(e.what()));
        return 0;
    }
}
