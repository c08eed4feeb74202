// topaz_q: checks and rewrites application files without the editor.
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/console.h"

#include "cli/print_command.h"

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
    const CommandLine line = parseCommandLine(app->arguments().mid(1));
    switch (line.kind) {
    case CommandLine::Help:
    case CommandLine::Version:
        Console::out(line.text);
        return ExitOk;
    case CommandLine::Error:
        Console::err(line.text);
        Console::err(usageText(line.spec));
        return ExitError;
    case CommandLine::Run:
        break;
    }
    try {
        return line.spec->run(line.args);
    } catch (const std::exception& e) {
        Console::err(QString::fromUtf8(e.what()));
        return ExitError;
    }
}
