// topaz_q: checks and rewrites application files without the editor.
#include "cli/arguments.h"
#include "cli/checksum_command.h"
#include "cli/console.h"
#include "cli/print_command.h"
#include "cli/save_commands.h"
#include "cli/session.h"
#include "cli/validate_command.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <memory>

int main(int argc, char* argv[]) {
    // Only printing needs fonts, and so a QGuiApplication.
    std::unique_ptr<QCoreApplication> app;
    if (commandNeedsGui(argc, argv)) {
        prepareGuiPlatform();
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QString error;
    const std::optional<Arguments> args = parseArguments(app->arguments().mid(1), error);
    if (!args) {
        Console::err(error);
        Console::err(usageText());
        return ExitError;
    }
    try {
        if (args->command == QLatin1String("validate")) return runValidateCommand(*args);
        if (args->command == QLatin1String("checksum")) return runChecksumCommand(*args);
        if (args->command == QLatin1String("resave")) return runResaveCommand(*args);
        if (args->command == QLatin1String("print")) return runPrintCommand(*args);
        return runNewCommand(*args);
    } catch (const std::exception& e) {
        Console::err(QString::fromUtf8(e.what()));
        return ExitError;
    }
}
