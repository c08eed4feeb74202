// The entry of zelgor_okno.so: the application object, Qt's Polish texts, the module and
// the main window over the folder of application files.
#include "file/host_settings.h"
#include "launcher/launcher_window.h"
#include "launcher/main_window_library.h"
#include "launcher/module_library.h"
#include "platform/ui/translations.h"

#include <QApplication>
#include <QTranslator>

#include <cstdio>

extern "C" __attribute__((visibility("default"))) int zelgor_okno_main(int argc, char** argv,
                                                                       const char* utf8HostFolder) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelgor"));
    const auto polish = installPolishTranslations();
    ModuleLibrary module;
    if (!module.load(ModuleLibrary::modulePath(QString::fromUtf8(utf8HostFolder)))) {
        std::fprintf(stderr, "zelgor: %s\n", qUtf8Printable(module.errorText()));
        return 3;
    }
    LauncherWindow window(module, HostSettings::ReadHostSettings().ApplicationsFolder);
    window.show();
    return app.exec();
}
