// Writes COUNT different applications for the batch benchmarks: the application FILE,
// each copy with its own title (so its own checksum), saved as the editor saves.
//   make_applications FILE OUT_DIR COUNT
#include "bench/sample_module.h"
#include "file/application_file.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "Użycie: make_applications PLIK KATALOG LICZBA\n");
        return 2;
    }
    HeadlessUi ui;
    auto dm = makeSampleModule(ui);
    dm->SprawdzSlownik();
    ApplicationFile file(*dm, ui, HostSettings::ReadHostSettings(sampleFolderSources()));
    file.OpenApplicationFile(QString::fromLocal8Bit(argv[1]));
    if (file.LoadFailed) return 1;
    const QDir out(QString::fromLocal8Bit(argv[2]));
    DataSet& w = dm->table("dsWniosek");
    const QString title = w.field("tytul_projektu").asString();
    for (int i = 0, n = std::atoi(argv[3]); i < n; ++i) {
        w.edit();
        w.field("tytul_projektu").setValue(QStringLiteral("%1 (%2)").arg(title).arg(i));
        w.post();
        if (!file.saveAs(
                out.filePath(QStringLiteral("wniosek%1.xml").arg(i, 4, 10, QLatin1Char('0')))))
            return 1;
    }
    return 0;
}
