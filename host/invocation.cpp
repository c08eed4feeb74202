#include "host/invocation.h"

#include "file/application_file.h"
#include "file/host_settings.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"
#include "validation/application_validation.h"
#include "validation/rule_set.h"

#include <memory>

namespace {

// The process-wide references of one call, all empty between calls: the data module and
// the editor's file half (the editor window joins it with the editor layer).
std::unique_ptr<TdmDataSets> dmDataSets;
std::unique_ptr<ApplicationFile> fmWniosek;
std::unique_ptr<UserInterface> moduleUi;
std::unique_ptr<FindingList> fmValForm; // the validation window's list

const QString kGateMessage =
    QStringLiteral("Słownik zawiera niepoprawne dane dla tego wniosku.\r\n"
                   "Proszę dokonać aktualizacji lub zainstalowac najnowszą wersję programu.");

// Frees everything the call created, whatever way the call ends: the editor first (it
// refers to the data module), then the data module.
struct CommonEnd {
    ~CommonEnd() {
        fmValForm.reset();
        fmWniosek.reset();
        dmDataSets.reset();
        moduleUi.reset();
    }
};

bool isSilent(ExportKind kind) {
    return kind == ExportKind::SilentCrcCheck || kind == ExportKind::SilentPreview ||
           kind == ExportKind::SilentValidate || kind == ExportKind::SilentValCrcCheck;
}

const QString kChecksumQuestion =
    QStringLiteral("Niepoprawna suma kontrolna. Plik wniosku został zmieniony poza Zelgorem\r\n"
                   "Czy chcesz mimo to kontynuować?");

FindingList& prepareValidationWindow() {
    if (!fmValForm) fmValForm = std::make_unique<FindingList>();
    PrepareValidationWindow(*dmDataSets, *fmValForm);
    return *fmValForm;
}

// The export's own steps after the common start. Showing the editor belongs to the
// editor layer; until it is part of the build, nothing is shown and the modal result is 0.
int32_t runSteps(ExportKind kind, const QString& path) {
    ApplicationFile& editor = *fmWniosek;
    editor.Silent = isSilent(kind);
    switch (kind) {
    case ExportKind::NowyWniosek:
        return 0;
    case ExportKind::EdytujWniosek:
    case ExportKind::DrukujWniosek:
        editor.OpenApplicationFile(path);
        if (!editor.VerifyChecksum())
            moduleUi->messageBox(kChecksumQuestion, QStringLiteral("Zelgor"), MessageIcon::Warning,
                                 MessageButtons::YesNo);
        return 0;
    case ExportKind::SprawdzSume:
    case ExportKind::SilentCrcCheck:
        editor.OpenApplicationFile(path);
        return editor.VerifyChecksum() ? 1 : 0;
    case ExportKind::PodgladWniosku: {
        editor.OpenApplicationFile(path);
        editor.ViewOnly = true;
        FindingList& window = prepareValidationWindow();
        if (!editor.VerifyChecksum()) dmDataSets->Zmieniony = false;
        // The viewer is shown here; validation runs after it closes.
        return validateSafely(*dmDataSets, window) ? 1 : 0;
    }
    case ExportKind::SilentPreview:
    case ExportKind::SilentValidate: {
        editor.OpenApplicationFile(path);
        if (kind == ExportKind::SilentPreview) editor.ViewOnly = true;
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
    return !dmDataSets && !fmWniosek && !moduleUi && !fmValForm;
}

int32_t runExport(ExportKind kind, const QString& path) {
    CommonEnd end;
    try {
        // Without a display the module talks through standard error.
        moduleUi = std::make_unique<HeadlessUi>(true);
        if (!dmDataSets) dmDataSets = TdmDataSets::create(*moduleUi);
        if (!dmDataSets->SprawdzSlownik()) {
            if (isInteractive(kind))
                moduleUi->messageBox(kGateMessage, QStringLiteral("Zelgor"),
                                     MessageIcon::Information, MessageButtons::Ok);
            return 0;
        }
        if (!fmWniosek)
            fmWniosek = std::make_unique<ApplicationFile>(*dmDataSets, *moduleUi,
                                                          HostSettings::ReadHostSettings());
        return runSteps(kind, path);
    } catch (const std::exception& e) {
        // Nothing may escape into the host: an unexpected error counts as a failed check.
        if (moduleUi) moduleUi->errorDialog(QString::fromUtf8(e.what()));
        return 0;
    }
}
