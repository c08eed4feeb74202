// libFuzzer target for the application file reader: any bytes as an application file,
// opened and checksum-verified as the silent export does. A crash, a leak or a sanitizer
// report is a finding; a damaged file is an ordinary outcome.
#include "file/application_file.h"
#include "file/host_settings.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <unistd.h>

namespace {

struct Environment {
    HeadlessUi ui;
    std::unique_ptr<TdmDataSets> dm;
    HostSettings settings;
    QString path;

    Environment() {
        const QString folder = QStringLiteral(TOPAZ_EXAMPLES);
        DataModuleOptions options;
        options.folderSources = HostEnv::HostFolderSources{
            [folder] { return folder; }, [] { return QString(); }, [] { return QString(); }};
        dm = TdmDataSets::create(ui, options);
        dm->SprawdzSlownik();
        settings = HostSettings::ReadHostSettings(*options.folderSources);
        path = QDir::temp().filePath(QStringLiteral("fuzz_reader_%1.xml").arg(::getpid()));
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Environment env;
    QFile f(env.path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    f.write(reinterpret_cast<const char*>(data), qint64(size));
    f.close();
    ApplicationFile file(*env.dm, env.ui, env.settings);
    file.Silent = true;
    file.OpenApplicationFile(env.path);
    file.VerifyChecksum();
    env.ui.clearCalls();
    return 0;
}
