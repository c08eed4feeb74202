#pragma once

// An editor window over a data module with the sample dictionary, built as the entry
// points build it but without one; message boxes are answered by a HeadlessUi, which
// records them. Tests make one per case and delete it in cleanup(). Each fixture keeps its
// recovery copies in a folder of its own, unless the test has chosen one.
#include "editor/window/editor_window.h"
#include "file/host_settings.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"
#include "tests/editor/model_tester.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

// The sample module past its dictionary gate and an editor window over it, as the entry
// points build them; the window must go before the module.
inline void openSampleEditor(HeadlessUi& ui, std::unique_ptr<TdmDataSets>& dm,
                             std::unique_ptr<editor::TfmWniosek>& window) {
    const HostEnv::HostFolderSources sources{[] { return QStringLiteral(TOPAZ_EXAMPLES); },
                                             [] { return QString(); }, [] { return QString(); }};
    DataModuleOptions options;
    options.folderSources = sources;
    dm = TdmDataSets::create(ui, options);
    dm->SprawdzSlownik();
    window = std::make_unique<editor::TfmWniosek>(*dm, ui, HostSettings::ReadHostSettings(sources));
}

// Runs `step` once the modal call that follows runs its own loop (a restored recovery copy
// lets events through before that).
inline void whenLooping(QObject* context, std::function<void()> step, int delayMs = 0) {
    QTimer::singleShot(delayMs, context, [context, step = std::move(step)]() mutable {
        if (QThread::currentThread()->loopLevel() == 0)
            whenLooping(context, std::move(step), 10);
        else
            step();
    });
}

template <typename Ui = HeadlessUi> struct BasicEditorFixture {
    QTemporaryDir stateFolder;
    Ui ui;
    std::unique_ptr<TdmDataSets> dm;
    std::unique_ptr<editor::TfmWniosek> window;

    explicit BasicEditorFixture(bool ownStateFolder = true) {
        if (ownStateFolder) qputenv("XDG_STATE_HOME", QFile::encodeName(stateFolder.path()));
        openSampleEditor(ui, dm, window);
        testItemModels(window.get());
    }
    ~BasicEditorFixture() {
        window.reset(); // the window refers to the data module
        dm.reset();
    }

    QString value(const char* table, const char* field) const {
        return dm->table(QLatin1String(table)).field(QLatin1String(field)).asString();
    }
    int questions() const { return int(ui.calls(UiCall::Kind::MessageBox).size()); }
};
using EditorFixture = BasicEditorFixture<>;
