#include "cli/help_command.h"

#include "cli/arguments.h"
#include "cli/console.h"
#include "cli/session.h"
#include "editor/help/help_book.h"

int runHelpCommand(const Arguments& args) {
    const QString folder = help::HelpBook::folderIn(hostFolderFor(args.binFolder));
    help::HelpBook book;
    QString error;
    if (!book.load(folder, &error)) {
        Console::err(error);
        return ExitError;
    }
    const QString out = args.value(QStringLiteral("pdf"));
    if (!book.writePdf(out, &error)) {
        Console::err(error);
        return ExitError;
    }
    Console::out(QStringLiteral("%1: tematów %2").arg(out).arg(book.topics().size()));
    return ExitOk;
}
