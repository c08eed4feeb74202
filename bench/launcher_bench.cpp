// The host's main window over a full folder: how soon it first paints and the longest time
// its event loop does not answer while the files are read in the background.
//   launcher_bench FILE COUNT [SCREENSHOT.png]
// The folder gets COUNT copies of FILE; the host folder is the examples' (its dictionary).
// Prints the figures; exits 1 when the first paint takes over 0.5 s or a stall over 100 ms.
#include "launcher/launcher_window.h"
#include "launcher/module_library.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

namespace {

// Records when the list first paints.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}
    qint64 at = -1;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && at < 0) at = clock_.elapsed();
        return QObject::eventFilter(o, e);
    }

private:
    const QElapsedTimer& clock_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "Użycie: launcher_bench PLIK LICZBA [ZRZUT.png]\n");
        return 2;
    }
    QTemporaryDir folder, home;
    qputenv("ZELGR_REGISTRY", QFile::encodeName(home.filePath(QStringLiteral("registry.ini"))));
    {
        QSettings registry(home.filePath(QStringLiteral("registry.ini")), QSettings::IniFormat);
        registry.setValue(QStringLiteral("Zelgr/bin"), QStringLiteral(TOPAZ_EXAMPLES));
    }
    const int count = args[2].toInt();
    for (int i = 0; i < count; ++i)
        QFile::copy(args[1],
                    folder.filePath(QStringLiteral("w%1.xml").arg(i, 4, 10, QLatin1Char('0'))));

    ModuleLibrary module; // the listing needs no export
    QElapsedTimer clock;
    clock.start();
    LauncherWindow window(module, folder.path());
    FirstPaint paint(clock);
    window.findChild<QTreeWidget*>()->viewport()->installEventFilter(&paint);
    window.resize(1000, 600);
    window.show();

    // A timer that should fire every 10 ms: any longer gap is time the window did not answer.
    qint64 last = clock.elapsed(), longest = 0;
    int over100 = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (paint.at < 0) { // the first paint is measured on its own
            last = now;
            return;
        }
        longest = std::max(longest, now - last - 10);
        over100 += now - last - 10 > 100;
        last = now;
    });
    tick.start(10);
    bool shot = args.size() < 4;
    // The screenshot is taken while files are still read; writing the PNG is the bench's own
    // work and is not counted as the window's stall (rendering the window is).
    if (!shot)
        QTimer::singleShot(1500, [&] {
            const QPixmap pixmap = window.grab();
            const qint64 saving = clock.elapsed();
            shot = pixmap.save(args[3]);
            last += clock.elapsed() - saving;
        });
    QEventLoop loop;
    QObject::connect(&window, &LauncherWindow::checkingFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);
    if (window.isChecking()) loop.exec();
    const qint64 done = clock.elapsed();
    QApplication::processEvents();
    std::printf("pliki: %d\npierwsze odmalowanie listy: %lld ms\nnajdłuższy przestój pętli "
                "zdarzeń: %lld ms (przestojów ponad 100 ms: %d)\nwszystkie sprawdzone po: %.1f "
                "s\n",
                count, paint.at, longest, over100, done / 1000.0);
    if (!shot) std::fprintf(stderr, "launcher_bench: zrzut ekranu nie powstał\n");
    return paint.at >= 0 && paint.at <= 500 && longest <= 100 && !window.isChecking() ? 0 : 1;
}
