// launcher_screenshot — the host's main window over a folder of application files as a PNG
// file, without a display (run it with QT_QPA_PLATFORM=offscreen and a registry file that
// names the host folder, as scripts/screenshots.sh does).
//   launcher_screenshot HOST_FOLDER APPLICATIONS_FOLDER OUTPUT.png [COMPARISON.png]
// With COMPARISON.png, the two newest files are compared ("Porównaj") and that window saved.
#include "launcher/launcher_window.h"
#include "launcher/module_library.h"
#include "platform/ui/translations.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QEventLoop>
#include <QPixmap>
#include <QTranslator>
#include <QTreeWidget>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 && args.size() != 5) {
        std::fprintf(stderr, "Użycie: launcher_screenshot KATALOG_PROGRAMU KATALOG_WNIOSKÓW "
                             "PLIK.png\n");
        return 2;
    }
    const auto polish = installPolishTranslations();
    ModuleLibrary module;
    if (!module.load(ModuleLibrary::modulePath(args[1]))) {
        std::fprintf(stderr, "launcher_screenshot: %s\n", qUtf8Printable(module.errorText()));
        return 3;
    }
    LauncherWindow window(module, args[2]);
    window.resize(1000, 440);
    // The pointer stays off the window: over a tool button it would put the button's
    // hint into the status bar.
    QCursor::setPos(2000, 2000);
    window.show();
    // The titles and checksum states come from the background reader.
    QEventLoop loop;
    QObject::connect(&window, &LauncherWindow::checkingFinished, &loop, &QEventLoop::quit);
    if (window.isChecking()) loop.exec();
    QApplication::processEvents();
    if (!window.grab().save(args[3])) {
        std::fprintf(stderr, "launcher_screenshot: nie można zapisać %s\n",
                     qUtf8Printable(args[3]));
        return 1;
    }
    if (args.size() == 5) {
        auto* list = window.findChild<QTreeWidget*>(QStringLiteral("lvWnioski"));
        for (int i = 0; i < 2 && i < list->topLevelItemCount(); ++i)
            list->topLevelItem(i)->setSelected(true);
        QDialog* shown = nullptr;
        QObject::connect(&window, &LauncherWindow::comparisonShown, &loop, [&](QDialog* w) {
            shown = w;
            loop.quit();
        });
        window.findChild<QAction*>(QStringLiteral("acPorownaj"))->trigger();
        loop.exec();
        QApplication::processEvents();
        if (!shown || !shown->grab().save(args[4])) {
            std::fprintf(stderr, "launcher_screenshot: nie można zapisać %s\n",
                         qUtf8Printable(args[4]));
            return 1;
        }
    }
    return 0;
}
