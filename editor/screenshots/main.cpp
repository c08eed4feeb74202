// editor_screenshots — renders every page of the editor with an application file into PNG
// files, without a display (run it with QT_QPA_PLATFORM=offscreen).
//   editor_screenshots DICTIONARY_FOLDER APPLICATION.xml OUTPUT_FOLDER
#include "editor/window/editor_window.h"
#include "file/host_settings.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"
#include "platform/ui/translations.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTranslator>

#include <cstdio>

namespace {

// "&Oświadczenie beneficjenta" -> "oswiadczenie-beneficjenta"
QString fileWord(const QString& caption) {
    QString plain = caption;
    plain.remove(QLatin1Char('&'));
    plain.replace(QChar(u'ł'), QLatin1Char('l'));
    plain = plain.normalized(QString::NormalizationForm_D).toLower();
    QString out;
    for (QChar c : plain) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            out += c;
        else if (!out.isEmpty() && !out.endsWith(QLatin1Char('-')) && c.unicode() < 128)
            out += QLatin1Char('-');
    }
    while (out.endsWith(QLatin1Char('-')))
        out.chop(1);
    return out;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "Użycie: editor_screenshots KATALOG_SLOWNIKA WNIOSEK.xml KATALOG\n");
        return 2;
    }
    const std::unique_ptr<QTranslator> polish = installPolishTranslations();
    const QString dictionaryFolder = args[1];
    const HostEnv::HostFolderSources sources{[dictionaryFolder] { return dictionaryFolder; },
                                             [] { return QString(); }, [] { return QString(); }};
    HeadlessUi ui;
    DataModuleOptions options;
    options.folderSources = sources;
    std::unique_ptr<TdmDataSets> dm = TdmDataSets::create(ui, options);
    if (!dm->SprawdzSlownik()) {
        std::fprintf(stderr, "editor_screenshots: słownik nie nadaje się do użycia\n");
        return 1;
    }
    const QDir out(args[3]);
    if (!out.mkpath(QStringLiteral("."))) return 1;
    int written = 0;
    {
        editor::TfmWniosek window(*dm, ui, HostSettings::ReadHostSettings(sources));
        window.file().Silent = true; // the pictures show the pages, not the load messages
        window.file().OpenApplicationFile(args[2]);
        window.setStatusFileText(QStringLiteral("Plik wniosku: ") + QFileInfo(args[2]).fileName());
        window.resize(1000, 720);
        window.show();
        window.file().runShowTimeSteps();
        QTabWidget* pages = window.mainPages();
        for (int m = 0; m < pages->count(); ++m) {
            pages->setCurrentIndex(m);
            QTabWidget* inner = window.innerPages(m);
            const int count = inner ? inner->count() : 1;
            for (int i = 0; i < count; ++i) {
                if (inner) inner->setCurrentIndex(i);
                QApplication::processEvents();
                QString name = QStringLiteral("%1-%2")
                                   .arg(++written, 2, 10, QLatin1Char('0'))
                                   .arg(fileWord(pages->tabText(m)));
                if (inner) name += QLatin1Char('-') + fileWord(inner->tabText(i));
                const QString path = out.filePath(name + QStringLiteral(".png"));
                if (!window.grab().save(path)) {
                    std::fprintf(stderr, "editor_screenshots: nie można zapisać %s\n",
                                 qUtf8Printable(path));
                    return 1;
                }
                std::printf("%s\n", qUtf8Printable(path));
            }
        }
        window.hide();
    }
    return 0;
}
