#pragma once

// A data module over the sample dictionary with a recording user interface that also
// enables the controls the rules name, and one top-level window per case to build
// controls or whole pages in.
#include "editor/forms/builder/frame_builder.h"
#include "editor/forms/controls/data_control.h"
#include "editor/forms/frame_pages.h"
#include "editor/forms/frames/frame_registry.h"
#include "editor_fixture.h"
#include "platform/dataset/dataset.h"
#include "type_text.h"

#include <QRandomGenerator>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <initializer_list>
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
        dm = openSampleModule(ui); // the dictionary gate sets the programme, as every export does
        ui.root = window.get();
        new QVBoxLayout(window.get());
    }

    DataSet& t(const char* name) const { return dm->table(QString::fromUtf8(name)); }
    Field& f(const char* table, const char* field) const {
        return t(table).field(QString::fromUtf8(field));
    }

    // Builds one control of a kind over a field, named after the field.
    editor::DataControl* control(editor::ControlKind kind, const char* table, const char* field,
                                 editor::Behaviours behaviour = {}, int maxLength = 0,
                                 const char* mask = nullptr) {
        return control({.name = field,
                        .kind = kind,
                        .table = table,
                        .field = field,
                        .label = QString::fromLatin1(field),
                        .behaviour = behaviour,
                        .maxLength = maxLength,
                        .mask = mask});
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

// One page filled as the editor fills it, with its controls found by name.
struct PageFixture : FramesFixture {
    explicit PageFixture(const QString& caption) {
        editor::FrameContext context{*dm};
        editor::fillPage(caption, window.get(), context);
    }
    template <typename T = editor::DataControl> T* find(const QString& name) const {
        return window->findChild<T*>(name);
    }
    QString value(const char* table, const char* field) const { return f(table, field).asString(); }
    // Puts the focus in a control and waits until it has it.
    bool enter(editor::DataControl* c) const {
        c->editor()->setFocus();
        return QTest::qWaitFor([c] { return c->editor()->hasFocus(); });
    }
};

// The seed of a random test: TOPAZ_SEED when set (a replay), else a new one.
inline quint32 testSeed() {
    return qEnvironmentVariableIsSet("TOPAZ_SEED")
               ? quint32(qEnvironmentVariableIntValue("TOPAZ_SEED"))
               : QRandomGenerator::global()->generate();
}

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
