#pragma once

// An editor window over a data module with the sample dictionary, built as the entry
// points build it but without one; message boxes are answered by a HeadlessUi, which
// records them. Tests make one per case and delete it in cleanup(). Each fixture keeps its
// recovery copies in a folder of its own, unless the test has chosen one.
#include "editor/forms/builder/help_topic.h"
#include "editor/window/editor_window.h"
#include "file/host_settings.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"
#include "tests/editor/model_tester.h"
#include "tests/modal_step.h"

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <functional>
#include <memory>

inline const HostEnv::HostFolderSources kSampleSources{
    [] { return QStringLiteral(TOPAZ_EXAMPLES); }, [] { return QString(); },
    [] { return QString(); }};

// The sample module past its dictionary gate, as the entry points build it.
inline std::unique_ptr<TdmDataSets> openSampleModule(UserInterface& ui) {
    DataModuleOptions options;
    options.folderSources = kSampleSources;
    std::unique_ptr<TdmDataSets> dm = TdmDataSets::create(ui, options);
    dm->SprawdzSlownik();
    return dm;
}

// The sample module and an editor window over it; the window must go before the module.
inline void openSampleEditor(UserInterface& ui, std::unique_ptr<TdmDataSets>& dm,
                             std::unique_ptr<editor::TfmWniosek>& window) {
    dm = openSampleModule(ui);
    window = std::make_unique<editor::TfmWniosek>(*dm, ui,
                                                  HostSettings::ReadHostSettings(kSampleSources));
}

// One notch of the wheel over `w` at `at`, as a mouse sends it.
inline void wheelNotch(QWidget* w, QPoint at, int delta) {
    QWheelEvent notch(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &notch);
}

// The help topics opened while it lives, with any file that exists as the help file.
struct OpenedTopics {
    QList<int> topics;
    OpenedTopics() {
        editor::setHelpViewer([this](const QString&, int topic) {
            topics.append(topic);
            return true;
        });
        editor::setHelpFile(QCoreApplication::applicationFilePath());
    }
    ~OpenedTopics() {
        editor::setHelpViewer({});
        editor::setHelpFile({});
    }
};

// Stores `value` in the field and posts its table, appending a record to an empty one.
inline void store(Field& f, const QVariant& value) {
    DataSet& t = *f.dataSet();
    if (t.isEmpty()) t.append();
    if (!t.isEditing()) t.edit();
    f.setValue(value);
    t.post();
}

// The application's tables as lines of text, one per record; lookups by their keys, an
// amount without a value as 0, a record with nothing in it left out (the file keeps the
// main record's single-row tables, empty ones too).
inline QStringList tablesText(const TdmDataSets& dm) {
    QStringList lines;
    for (const auto& t : dm.tables()) {
        if (!t->name().startsWith(QLatin1String("ds")) || !t->isActive()) continue;
        for (int r = 1; r <= t->recordCount(); ++r) {
            QStringList values;
            bool empty = true;
            for (const auto& f : t->fields()) {
                // Lookups give names through the dictionaries' filters; the checksum is
                // recomputed by validation and saving.
                if (f->kind() == FieldKind::Lookup || f->name() == QLatin1String("suma_kontrolna"))
                    continue;
                // Amounts as the file holds them (15 significant digits): a sum's binary
                // noise beyond them is not a value the applicant sees or typed.
                const QVariant value = t->valueAt(r, *f);
                QString v = f->type() == FieldType::Float ? FieldText::format(f->type(), value)
                                                          : value.toString();
                empty = empty && v.isEmpty();
                if (v.isEmpty() && f->type() == FieldType::Float) v = QStringLiteral("0");
                values << f->name() + u'=' + v;
            }
            if (!empty)
                lines << QStringLiteral("%1[%2] %3").arg(t->name()).arg(r).arg(values.join(u' '));
        }
    }
    return lines;
}

// The first record that differs, by table and record, with the field that differs.
inline QString firstDifference(const QStringList& a, const QStringList& b) {
    const auto table = [](const QString& line) { return line.section(u'[', 0, 0); };
    QStringList as = a, bs = b;
    for (qsizetype i = 0; i < qMax(as.size(), bs.size()); ++i) {
        const QString x = as.value(i), y = bs.value(i);
        if (x == y) continue;
        if (table(x) != table(y)) // a record more on one side
            return QStringLiteral("%1 / %2: liczba rekordów")
                .arg(x.section(u' ', 0, 0), y.section(u' ', 0, 0));
        const QStringList xs = x.split(u' '), ys = y.split(u' ');
        for (qsizetype k = 0; k < qMax(xs.size(), ys.size()); ++k)
            if (xs.value(k) != ys.value(k))
                return QStringLiteral("%1: \"%2\" -> \"%3\"")
                    .arg(x.section(u' ', 0, 0), xs.value(k), ys.value(k));
    }
    return {};
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

    DataSet& t(const char* name) const { return dm->table(QLatin1String(name)); }
    QString value(const char* table, const char* field) const {
        return t(table).field(QLatin1String(field)).asString();
    }
    void store(const char* table, const char* field, const QVariant& v) const {
        ::store(t(table).field(QLatin1String(field)), v);
    }
    // A widget by name inside a frame, or nullptr.
    template <typename T = QWidget> T* in(QAnyStringView frame, QAnyStringView name) const {
        QWidget* f = window->findChild<QWidget*>(frame.toString());
        return f ? f->findChild<T*>(name.toString()) : nullptr;
    }
    int questions() const { return int(ui.calls(UiCall::Kind::MessageBox).size()); }

    // Runs the editor on `file` (a new application when empty) with `step` in its own loop.
    int runEditor(const QString& file, const std::function<void()>& step) {
        if (!file.isEmpty()) window->file().OpenApplicationFile(file);
        TestSupport::inModalLoop(window.get(), [this, step] {
            step();
            if (window->isVisible()) window->done(2);
        });
        return window->showModal();
    }
};
using EditorFixture = BasicEditorFixture<>;
