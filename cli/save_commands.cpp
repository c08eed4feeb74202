#include "cli/save_commands.h"

#include "cli/console.h"
#include "cli/output_guard.h"
#include "cli/session.h"

#include <QFileInfo>

namespace {

int saveTo(Session& session, const QString& out) {
    if (!session.file().saveAs(out)) return ExitError; // the reason went to standard error
    Console::err(QStringLiteral("Zapisano %1").arg(session.file().FileName));
    return ExitOk;
}

} // namespace

int runResaveCommand(const Arguments& args) {
    const QString& in = args.files[0];
    if (!QFileInfo(in).isFile()) {
        Console::err(QStringLiteral("Nie znaleziono pliku wniosku: %1").arg(in));
        return ExitError;
    }
    // The name saved under gets ".xml" when it lacks it, as the save-as action gives it.
    QString out = args.files[1];
    if (out.right(4).toLower() != QLatin1String(".xml")) out += QStringLiteral(".xml");
    if (!OutputGuard::allowed(out, {in})) return ExitError;
    Session& session = Session::untilExit(args.binFolder);
    ApplicationFile& file = session.file();
    file.OpenApplicationFile(in);
    session.reportMessages(in);
    if (file.LoadFailed) {
        // Saving would replace the application by the empty one standing in for it.
        Console::err(QStringLiteral("Plik wniosku %1 jest uszkodzony; nic nie zapisano.").arg(in));
        return ExitError;
    }
    if (!file.VerifyChecksum())
        Console::err(
            QStringLiteral(
                "%1: Niepoprawna suma kontrolna. Plik wniosku został zmieniony poza Zelgorem; "
                "zapisany plik otrzyma nową sumę.")
                .arg(in));
    return saveTo(session, args.files[1]);
}

int runNewCommand(const Arguments& args) {
    Session session(args.binFolder);
    return saveTo(session, args.files[0]);
}
