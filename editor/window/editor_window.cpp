#include "editor/window/editor_window.h"

#include "editor/forms/frame_pages.h"
#include "editor/grid/year_grid_panel.h"
#include "editor/uiport/qt_user_interface.h"
#include "model/dm_main.h"

#include <QDir>
#include <QEvent>
#include <QLayout>

namespace editor {

TfmWniosek::TfmWniosek(TdmDataSets& dm, UserInterface& ui, const HostSettings& settings,
                       QWidget* parent)
    : TfmWniosek_t(dm, ui, settings, parent),
      helpFile_(QDir(settings.HostFolder).filePath(QStringLiteral("wn_typy/TOPAZ_Q.hlp"))) {
    buildPages(applicationPages());
}

namespace {

// The frames of the year-column pages that are panels of grids, after the page's other frames.
struct YearGridFrames {
    const char* pageCaption;
    QStringList frameClasses;
};
const YearGridFrames kYearGridFrames[] = {
    {"6&l", {QStringLiteral("Tfr_wsk_celow_topaz_q")}},
    {"6ł - 6&m",
     {QStringLiteral("Tfr_typ_proj_kat_zysk_topaz_q"),
      QStringLiteral("Tfr_planowane_wydatki_topaz_q")}},
    {"6&n - 6o",
     {QStringLiteral("Tfr_zr_finans_topaz_q"), QStringLiteral("Tfr_profil_wyd_topaz_q")}},
};

} // namespace

void TfmWniosek::fillPage(const QString& caption, QWidget* panel) {
    FrameContext context{dm()};
    editor::fillPage(caption, panel, context);
    for (const YearGridFrames& page : kYearGridFrames) {
        if (caption != QString::fromUtf8(page.pageCaption)) continue;
        for (const QString& frame : page.frameClasses) {
            // The panel's layout ends with a stretch: the grids go before it.
            auto* layout = qobject_cast<QBoxLayout*>(panel->layout());
            auto* grids = new YearGridPanel(dm(), yearGridPanelFor(frame), panel);
            if (layout) layout->insertWidget(std::max(0, layout->count() - 1), grids);
        }
    }
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
