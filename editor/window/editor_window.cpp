#include "editor/window/editor_window.h"

#include "editor/forms/builder/help_topic.h"
#include "editor/forms/frame_pages.h"
#include "editor/grid/year_grid_panel.h"
#include "editor/help/help_book.h"
#include "editor/help/help_content.h"
#include "editor/uiport/qt_user_interface.h"
#include "model/dm_main.h"

#include <QDir>
#include <QEvent>
#include <QKeyEvent>

namespace editor {

TfmWniosek::TfmWniosek(TdmDataSets& dm, UserInterface& ui, const HostSettings& settings,
                       QWidget* parent)
    : TfmWniosek_t(dm, ui, settings, parent),
      helpFile_(help::HelpBook::indexIn(settings.HostFolder)) {
    buildPages(applicationPages());
}

void TfmWniosek::fillPage(const QString& caption, QWidget* panel) {
    FrameContext context{dm()};
    editor::fillPage(caption, panel, context);
}

void TfmWniosek::restoreYearColumns() {
    restoreYearGrids(this);
}

void TfmWniosek::EnterViewMode() {
    TfmWniosek_t::EnterViewMode();
    setYearGridsReadOnly(this, true);
}

// Whenever the window becomes active the trees of the finance pages open fully.
bool TfmWniosek::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) expandYearGrids(this);
    return TfmWniosek_t::event(event);
}

// F1 that no frame took (the tool bar, the page tabs, the status line) opens the overview of
// the whole form; inside a frame the frame's own shortcut opens its topic first.
void TfmWniosek::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::HelpContents)) {
        showHelpTopic(dm(), kWindowHelpTopic);
        event->accept();
        return;
    }
    TfmWniosek_t::keyPressEvent(event);
}

std::unique_ptr<EditorShell> createEditor(TdmDataSets& dm, UserInterface& ui,
                                          const HostSettings& settings) {
    auto window = std::make_unique<TfmWniosek>(dm, ui, settings);
    // The port finds, enables and focuses controls in this window from now on.
    if (auto* qtUi = dynamic_cast<QtUserInterface*>(&ui)) qtUi->setEditorWindow(window.get());
    return window;
}

} // namespace editor
