// topaz_q: checks and rewrites application files without the editor.
#include "cli/arguments.h"
#include "cli/checksum_command.h"
#include "cli/console.h"
#include "cli/save_commands.h"
#include "cli/session.h"
#include "cli/validate_command.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QString error;
    const std::optional<Arguments> args = parseArguments(app.arguments().mid(1), error);
    if (!args) {
        Console::err(error);
        Console::err(usageText());
        return ExitError;
    }
    try {
        if (args->command == QLatin1String("validate")) return runValidateCommand(*args);
        if (args->command == QLatin1String("checksum")) return runChecksumCommand(*args);
        if (args->command == QLatin1String("resave")) return runResaveCommand(*args);
        return runNewCommand(*args);
    } catch (const std::exception& e) {
        Console::err(QString::fromUtf8(e.what()));
        return ExitError;
    }
}
