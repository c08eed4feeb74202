#pragma once

#include "editor/window/editor_window_t.h"

namespace editor {

// The editor window of this application type: its pages filled with the section frames,
// its help file.
// No Q_OBJECT: it adds no signals or slots, and the meta-object names of a class and
// its "_t" template would collide.
class TfmWniosek : public TfmWniosek_t {
public:
    // Over a data module that passed the dictionary gate; `ui` is the port the data
    // module talks through. Tests build the window this way, without an entry point.
    TfmWniosek(TdmDataSets& dm, UserInterface& ui, const HostSettings& settings,
               QWidget* parent = nullptr);

    const QString& helpFile() const { return helpFile_; }

    void EnterViewMode() override;

protected:
    void fillPage(const QString& caption, QWidget* panel) override;
    void restoreYearColumns() override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString helpFile_;
};

} // namespace editor
