#pragma once

// The sample application opened as the editor opens it, over the sample dictionary, for
// tests that change it through the data module and save it as the editor saves it (so with
// a checksum that holds).
#include "file/application_file.h"
#include "file/host_settings.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <QString>

#include <functional>

namespace TestSupport {

// Runs `work` on the opened sample (or another application); false when it does not load.
inline bool withOpenedSample(const std::function<bool(TdmDataSets&, ApplicationFile&)>& work,
                             const QString& path = QStringLiteral(TOPAZ_EXAMPLES
                                                                  "/wniosek-przyklad.xml")) {
    HeadlessUi ui;
    DataModuleOptions options;
    options.folderSources = {[] { return QStringLiteral(TOPAZ_EXAMPLES); },
                             [] { return QString(); }, [] { return QString(); }};
    auto dm = TdmDataSets::create(ui, options);
    dm->SprawdzSlownik();
    ApplicationFile file(*dm, ui, HostSettings::ReadHostSettings(*options.folderSources));
    file.OpenApplicationFile(path);
    return !file.LoadFailed && work(*dm, file);
}

} // namespace TestSupport
