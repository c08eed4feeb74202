#pragma once

#include "editor/grid/grid_description.h"

#include <QWidget>

#include <vector>

class QSpinBox;
class TdmDataSets_t;

namespace editor {

class YearGrid;

// What a frame embeds for its year grids: the grids (each with its heading line and
// navigator) and one year spinner with "Dodaj rok" and "Usuń rok" acting on every grid of
// the panel that has year switches.
struct YearGridPanelDescription {
    struct Entry {
        YearGridDescription grid;
        QString heading; // the line above the grid; empty for none
    };
    std::vector<Entry> grids;
    bool spinnerArrowsOnly = false; // the year is changed with the arrows only
};

// The panels of the frames: "Tfr_wsk_celow_topaz_q" (6l), "Tfr_typ_proj_kat_zysk_topaz_q"
// (6ł), "Tfr_planowane_wydatki_topaz_q" (6m), "Tfr_zr_finans_topaz_q" (6n) and
// "Tfr_profil_wyd_topaz_q" (6o). An empty description for any other frame.
YearGridPanelDescription yearGridPanelFor(const QString& frameClass);

class YearGridPanel : public QWidget {
    Q_OBJECT
public:
    YearGridPanel(TdmDataSets_t& dm, const YearGridPanelDescription& description,
                  QWidget* parent = nullptr);

    const std::vector<YearGrid*>& grids() const { return grids_; }
    YearGrid* grid(const QString& name) const;
    QSpinBox* yearSpinner() const { return spinner_; }

    // "Dodaj rok" and "Usuń rok" for the spinner's year.
    void addYear();
    void removeYear();

private:
    void switchSpinnerYear(bool shown);

    TdmDataSets_t& dm_;
    std::vector<YearGrid*> grids_;
    QSpinBox* spinner_ = nullptr;
};

// What the editor window calls when it is shown: every year grid below `root` shows the
// year columns its switches name.
void restoreYearGrids(QWidget* root);
// What the editor window calls whenever it becomes active: trees and groups fully open.
void expandYearGrids(QWidget* root);
// View mode: no cell takes input and the navigators and year buttons are disabled.
void setYearGridsReadOnly(QWidget* root, bool readOnly);

} // namespace editor
