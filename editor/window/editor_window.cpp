#include "editor/window/editor_window.h"

#include "editor/forms/frame_pages.h"
#include "editor/grid/year_grid_panel.h"
#include "editor/help/help_book.h"
#include "editor/uiport/qt_user_interface.h"
#include "model/dm_main.h"

#include <QDir>
#include <QEvent>

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

std::unique_ptr<EditorShell> createEditor(TdmDataSets& dm, UserInterface& ui,
                                          const HostSettings& settings) {
    auto window = std::make_unique<TfmWniosek>(dm, ui, settings);
    // The port finds, enables and focuses controls in this window from now on.
    if (auto* qtUi = dynamic_cast<QtUserInterface*>(&ui)) qtUi->setEditorWindow(window.get());
    return window;
}

} // namespace editor
