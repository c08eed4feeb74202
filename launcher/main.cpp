// zelgor — the host stand-in: publishes its program folder as the host does, loads
// <bin>/wn_typy/TOPAZ_Q.so, calls one export and prints its result.
//   zelgor [--bin DIR] EXPORT [FILE]
//   zelgor --module-version [--bin DIR]
#include "platform/hostenv/hostregistry.h"
#include "platform/hostenv/moduleversion.h"
#include "platform/hostenv/sharedfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <dlfcn.h>

namespace {

const QStringList kExports{"NowyWniosek_",   "EdytujWniosek_",  "PodgladWniosku_",
                           "DrukujWniosek_", "SprawdzSume_",    "SilentCrcCheck_",
                           "SilentPreview_", "SilentValidate_", "SilentValCrcCheck_"};

enum Exit { Ok = 0, Usage = 2, NotLoadable = 3 };

int usage(const QString& why) {
    if (!why.isEmpty()) std::fprintf(stderr, "zelgor: %s\n", qUtf8Printable(why));
    std::fprintf(stderr,
                 "Użycie: zelgor [--bin KATALOG] EKSPORT [PLIK]\n"
                 "        zelgor --module-version [--bin KATALOG]\n"
                 "EKSPORT: %s\n",
                 qUtf8Printable(kExports.join(QStringLiteral(", "))));
    return Usage;
}

QString modulePath(const QString& bin) {
    return QDir(bin).filePath(QStringLiteral("wn_typy/TOPAZ_Q.so"));
}

// The host publishes its folder in the registry ("bin", unless the registry named by
// ZELGR_REGISTRY already gives one) and in the shared memory.
void publishHostFolder(const QString& bin) {
    HostRegistry registry;
    if (!qEnvironmentVariableIsSet("ZELGR_REGISTRY") ||
        registry.readString(HostRegistry::ValueBin).isEmpty())
        registry.writeString(HostRegistry::ValueBin, bin);
    HostEnv::publishSharedFolder(bin);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString bin = QCoreApplication::applicationDirPath();
    bool versionOnly = false;
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--bin")) {
            if (++i >= args.size()) return usage(QStringLiteral("--bin wymaga katalogu"));
            bin = QFileInfo(args[i]).absoluteFilePath();
        } else if (a == QLatin1String("--module-version")) {
            versionOnly = true;
        } else if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            return usage(QString());
        } else {
            positional << a;
        }
    }
    if (versionOnly) {
        if (!positional.isEmpty()) return usage(QStringLiteral("nadmiarowe argumenty"));
        QString version = HostEnv::readModuleVersion(modulePath(bin));
        if (version == QLatin1String(HostEnv::VersionNotAvailable))
            version = QStringLiteral("1.0.0.0");
        std::printf("%s\n", qUtf8Printable(version));
        return Ok;
    }
    if (positional.isEmpty() || positional.size() > 2)
        return usage(QStringLiteral("podaj nazwę eksportu"));
    const QString exportName = positional[0];
    if (!kExports.contains(exportName))
        return usage(QStringLiteral("nieznany eksport: %1").arg(exportName));
    const bool takesPath = exportName != QLatin1String("NowyWniosek_");
    if (takesPath && positional.size() != 2)
        return usage(QStringLiteral("%1 wymaga ścieżki pliku").arg(exportName));
    if (!takesPath && positional.size() != 1)
        return usage(QStringLiteral("NowyWniosek_ nie przyjmuje pliku"));

    publishHostFolder(bin);
    const QString module = modulePath(bin);
    void* handle = dlopen(QFile::encodeName(module).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "zelgor: nie można załadować modułu %s: %s\n", qUtf8Printable(module),
                     dlerror());
        return NotLoadable;
    }
    void* symbol = dlsym(handle, exportName.toLatin1().constData());
    if (!symbol) {
        std::fprintf(stderr, "zelgor: moduł nie eksportuje %s\n", qUtf8Printable(exportName));
        dlclose(handle);
        return NotLoadable;
    }
    int32_t result;
    if (takesPath) {
        const QByteArray path = QFile::encodeName(QFileInfo(positional[1]).absoluteFilePath());
        result = reinterpret_cast<int32_t (*)(const char*)>(symbol)(path.constData());
    } else {
        result = reinterpret_cast<int32_t (*)()>(symbol)();
    }
    std::printf("%d\n", result);
    std::fflush(stdout);
    dlclose(handle);
    return Ok;
}
