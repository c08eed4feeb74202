// zelgor — the host stand-in: publishes its program folder as the host does, loads
// <bin>/wn_typy/TOPAZ_Q.so and calls its exports. The program itself needs only Qt Core,
// so that a call of an export from the command line starts quickly; the main window
// lives in zelgor_okno.so beside it, loaded when it is shown.
//   zelgor [--bin DIR]                  the main window: application files and actions
//   zelgor [--bin DIR] FILE             edits FILE, as a file manager opens it
//   zelgor [--bin DIR] EXPORT [FILE]    calls one export and prints its result
//   zelgor --module-version [--bin DIR]
#include "launcher/main_window_library.h"
#include "launcher/module_library.h"
#include "platform/hostenv/hostregistry.h"
#include "platform/hostenv/moduleversion.h"
#include "platform/hostenv/sharedfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <optional>

namespace {

const QStringList kExports{"NowyWniosek_",   "EdytujWniosek_",  "PodgladWniosku_",
                           "DrukujWniosek_", "SprawdzSume_",    "SilentCrcCheck_",
                           "SilentPreview_", "SilentValidate_", "SilentValCrcCheck_"};

enum Exit { Ok = 0, Usage = 2, NotLoadable = 3 };

// The usage on standard output when asked for (--help, exit 0), else after the reason on
// standard error (exit 2).
int usage(const QString& why) {
    FILE* to = why.isEmpty() ? stdout : stderr;
    if (!why.isEmpty()) std::fprintf(stderr, "zelgor: %s\n", qUtf8Printable(why));
    std::fprintf(to,
                 "Użycie: zelgor [--bin KATALOG]\n"
                 "        zelgor [--bin KATALOG] PLIK\n"
                 "        zelgor [--bin KATALOG] EKSPORT [PLIK]\n"
                 "        zelgor --module-version [--bin KATALOG]\n"
                 "EKSPORT: %s\n",
                 qUtf8Printable(kExports.join(QStringLiteral(", "))));
    return why.isEmpty() ? Ok : Usage;
}

// The folder of the executable itself, links resolved (installed, zelgor is started
// through a link on the PATH). Read without an application object, which the module
// creates itself for an interactive export called from the command line.
QString ownFolder() {
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

// Every start, the host publishes the folder it runs from in the registry ("bin") and in the
// shared memory, for as long as it runs: the module reads the registry first, so a folder
// left there by another installation must never decide which dictionary is read. The block
// goes with the host, so no later program reads a folder that may be gone.
class PublishedHostFolder {
public:
    explicit PublishedHostFolder(const QString& bin) : bin_(bin) {
        HostRegistry registry;
        if (registry.readString(HostRegistry::ValueBin) != bin)
            registry.writeString(HostRegistry::ValueBin, bin);
        HostEnv::publishSharedFolder(bin);
    }
    ~PublishedHostFolder() {
        // Another host started meanwhile keeps its own folder published.
        if (HostEnv::readSharedFolder() == bin_) HostEnv::removeSharedFolder();
    }
    PublishedHostFolder(const PublishedHostFolder&) = delete;
    PublishedHostFolder& operator=(const PublishedHostFolder&) = delete;

private:
    QString bin_;
};

struct Invocation {
    QString bin = ownFolder();
    bool versionOnly = false;
    QStringList positional;
};

// Returns an exit code when the arguments are wrong or only help was asked for.
std::optional<int> parse(int argc, char** argv, Invocation& call) {
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--bin")) {
            if (++i >= argc) return usage(QStringLiteral("--bin wymaga katalogu"));
            call.bin = QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath();
        } else if (a == QLatin1String("--module-version")) {
            call.versionOnly = true;
        } else if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            return usage(QString());
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return usage(QStringLiteral("nieznana opcja: %1").arg(a));
        } else {
            call.positional << a;
        }
    }
    // A file named alone, as a file manager passes it, is opened for editing.
    if (call.positional.size() == 1 && !kExports.contains(call.positional[0]) &&
        QFileInfo(call.positional[0]).isFile())
        call.positional.prepend(QStringLiteral("EdytujWniosek_"));
    return std::nullopt;
}

int printModuleVersion(const Invocation& call) {
    if (!call.positional.isEmpty()) return usage(QStringLiteral("nadmiarowe argumenty"));
    QString version = HostEnv::readModuleVersion(ModuleLibrary::modulePath(call.bin));
    if (version == QLatin1String(HostEnv::VersionNotAvailable)) version = QStringLiteral("1.0.0.0");
    std::printf("%s\n", qUtf8Printable(version));
    return Ok;
}

int callExport(const Invocation& call) {
    if (call.positional.size() > 2) return usage(QStringLiteral("nadmiarowe argumenty"));
    const QString exportName = call.positional[0];
    // A name with a dot or a slash is a file the user meant to open.
    if (!kExports.contains(exportName) && call.positional.size() == 1 &&
        (exportName.contains(QLatin1Char('.')) || exportName.contains(QLatin1Char('/')))) {
        std::fprintf(stderr, "zelgor: plik %s nie istnieje\n",
                     qUtf8Printable(QDir::toNativeSeparators(exportName)));
        return Usage;
    }
    if (!kExports.contains(exportName))
        return usage(QStringLiteral("nieznany eksport: %1").arg(exportName));
    const bool takesPath = ModuleLibrary::takesPath(exportName);
    if (takesPath && call.positional.size() != 2)
        return usage(QStringLiteral("%1 wymaga ścieżki pliku").arg(exportName));
    if (!takesPath && call.positional.size() != 1)
        return usage(QStringLiteral("NowyWniosek_ nie przyjmuje pliku"));

    const PublishedHostFolder published(call.bin);
    ModuleLibrary module;
    int32_t result = 0;
    if (!module.load(ModuleLibrary::modulePath(call.bin)) ||
        !module.call(exportName, takesPath ? call.positional[1] : QString(), result)) {
        std::fprintf(stderr, "zelgor: %s\n", qUtf8Printable(module.errorText()));
        return NotLoadable;
    }
    std::printf("%d\n", result);
    std::fflush(stdout);
    return Ok;
}

int showMainWindow(int argc, char** argv, const Invocation& call) {
    const QString library = ownFolder() + QStringLiteral("/" ZELGOR_MAIN_WINDOW_LIBRARY);
    void* handle = dlopen(QFile::encodeName(library).constData(), RTLD_NOW | RTLD_LOCAL);
    auto* run =
        handle ? reinterpret_cast<MainWindowFunction*>(dlsym(handle, ZELGOR_MAIN_WINDOW_FUNCTION))
               : nullptr;
    if (!run) {
        std::fprintf(stderr, "zelgor: nie można wczytać okna programu: %s\n", dlerror());
        return NotLoadable;
    }
    const PublishedHostFolder published(call.bin);
    return run(argc, argv, call.bin.toUtf8().constData());
}

} // namespace

int main(int argc, char** argv) {
    Invocation call;
    if (const std::optional<int> exit = parse(argc, argv, call)) return *exit;
    if (call.versionOnly) return printModuleVersion(call);
    if (call.positional.isEmpty()) return showMainWindow(argc, argv, call);
    return callExport(call);
}
