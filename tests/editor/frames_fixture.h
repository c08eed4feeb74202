#pragma once

// A data module over the sample dictionary with a recording user interface that also
// enables the controls the rules name, and one top-level window per case to build
// controls or whole pages in.
#include "editor/forms/builder/frame_builder.h"
#include "editor/forms/controls/data_control.h"
#include "editor/forms/frame_pages.h"
#include "editor/forms/frames/frame_registry.h"
#include "model/dm_main.h"
#include "platform/dataset/dataset.h"
#include "platform/ui/headlessui.h"
#include "tests/editor/model_tester.h"
#include "type_text.h"

#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

// Records like HeadlessUi and, as the editor does, enables the control of a field.
class WidgetUi : public HeadlessUi {
public:
    QWidget* root = nullptr;
    void enableControlForField(const Field& field, bool enabled) override {
        HeadlessUi::enableControlForField(field, enabled);
        if (QWidget* c = editor::findControlForField(root, field.dataSet()->name(), field.name()))
            c->setEnabled(enabled);
    }
};

struct FramesFixture {
    WidgetUi ui;
    std::unique_ptr<TdmDataSets> dm;
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();

    FramesFixture() {
        DataModuleOptions options;
        options.folderSources =
            HostEnv::HostFolderSources{[] { return QStringLiteral(TOPAZ_EXAMPLES); },
                                       [] { return QString(); }, [] { return QString(); }};
        dm = TdmDataSets::create(ui, options);
        dm->SprawdzSlownik(); // the dictionary gate sets the programme, as every export does
        ui.root = window.get();
        new QVBoxLayout(window.get());
    }

    DataSet& t(const char* name) const { return dm->table(QString::fromUtf8(name)); }
    Field& f(const char* table, const char* field) const {
        return t(table).field(QString::fromUtf8(field));
    }

    // Builds one control from a row, with a plain edit after it to tab to.
    editor::DataControl* control(const editor::ControlRow& row) {
        editor::FrameBuilder builder(*dm, window.get());
        editor::DataControl* c = builder.makeControl(row, window.get());
        window->layout()->addWidget(c);
        next = new QWidget(window.get());
        next->setFocusPolicy(Qt::StrongFocus);
        window->layout()->addWidget(next);
        return c;
    }

    bool show() {
        testItemModels(window.get());
        window->show();
        return QTest::qWaitForWindowActive(window.get());
    }

    QWidget* next = nullptr;
};

// Every page with frames, built into one window as the editor stacks them; each page's
// panel is named after its caption.
struct AllPages : FramesFixture {
    AllPages() {
        editor::FrameContext context{*dm};
        for (const editor::PageFrames& page : editor::framePages()) {
            auto* panel = new QWidget(window.get());
            panel->setObjectName(page.caption);
            window->layout()->addWidget(panel);
            filled += editor::fillPage(page.caption, panel, context);
        }
    }
    int filled = 0;
};
