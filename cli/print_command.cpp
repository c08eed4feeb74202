#include "cli/print_command.h"

#include "cli/arguments.h"
#include "cli/console.h"
#include "cli/output_guard.h"
#include "cli/session.h"
#include "model/validation_port.h"
#include "print/print_routine.h"
#include "validation/findings.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>

namespace {

QString defaultPdfName(const QString& in) {
    const QFileInfo info(in);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".pdf"));
}

} // namespace

bool commandNeedsGui(int argc, char* argv[]) {
    return argc > 1 && (std::strcmp(argv[1], "print") == 0 || std::strcmp(argv[1], "help") == 0);
}

void prepareGuiPlatform() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
    if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int runPrintCommand(const Arguments& args) {
    const QString& in = args.files[0];
    if (!QFileInfo(in).isFile()) {
        Console::err(QStringLiteral("Nie znaleziono pliku wniosku: %1").arg(in));
        return ExitError;
    }
    const QString out =
        args.isSet(QStringLiteral("pdf")) ? args.value(QStringLiteral("pdf")) : defaultPdfName(in);
    if (!OutputGuard::allowed(out, {in})) return ExitError;
    Session session(args.binFolder);
    ApplicationFile& file = session.file();
    file.OpenApplicationFile(in);
    session.reportMessages(in);
    if (file.LoadFailed) {
        Console::err(
            QStringLiteral("Plik wniosku %1 jest uszkodzony; nic nie wydrukowano.").arg(in));
        return ExitError;
    }
    file.runShowTimeSteps();
    if (!file.VerifyChecksum())
        Console::err(QStringLiteral("%1: Niepoprawna suma kontrolna. Plik wniosku został "
                                    "zmieniony poza Zelgorem.")
                         .arg(in));

    FindingList window;
    bool written = false;
    int pages = 0;
    PrintRoutineHooks hooks;
    hooks.validate = validationInto(session.dm(), window, [&](const FindingList& findings) {
        for (const Finding& f : findings.findings())
            Console::err(QStringLiteral("%1: [%2] %3").arg(in, f.rule, f.message));
    });
    hooks.output = [&](const PrintMarks& marks) {
        written = writeApplicationPdf(session.dm(), marks, out, &pages);
    };
    const PrintMarks marks = runPrintRoutine(file, session.dm(), hooks);
    session.dm().plugValidation(nullptr); // the window ends here
    if (!written) {
        Console::err(QStringLiteral("Nie można zapisać pliku %1.").arg(out));
        return ExitError;
    }
    Console::out(QStringLiteral("%1: stron %2%3")
                     .arg(out)
                     .arg(pages)
                     .arg(marks.trialPrint ? QStringLiteral(" (wydruk próbny)") : QString()));
    return marks.trialPrint ? ExitCheckFailed : ExitOk;
}
