// topaz_help_writer FOLDER: writes the instruction generated from the frame and rule
// tables into FOLDER (the build puts it into wn_typy/pomoc/ beside the module).
// topaz_help_writer --screenshot PNG [QUERY]: the help window with a search, as a picture.
#include "editor/help/help_content.h"
#include "editor/help/help_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString error;
    if (args.size() >= 2 && args[0] == QLatin1String("--screenshot")) {
        help::HelpWindow window(editor::generateHelpBook());
        window.show();
        window.findChild<QLineEdit*>(QStringLiteral("helpSearch"))
            ->setText(args.value(2, QStringLiteral("NIP")));
        QApplication::processEvents();
        return window.grab().save(args[1]) ? 0 : 1;
    }
    if (args.size() != 1) {
        QTextStream(stderr) << "Użycie: topaz_help_writer KATALOG | --screenshot PNG [SZUKANE]\n";
        return 2;
    }
    if (!editor::generateHelpBook().save(args[0], &error)) {
        QTextStream(stderr) << error << '\n';
        return 1;
    }
    return 0;
}
