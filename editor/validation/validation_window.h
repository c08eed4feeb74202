#pragma once

#include "validation/findings.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QListWidget;
class QStatusBar;

namespace editor {

// The validation window all application types share: the findings of the last run in the
// order recorded, each with its error or warning image; a double-click or Enter on a line
// leads the editor to the line's control. It stays on top while the user edits, so one
// finding after another can be visited.
class TfmValForm_t : public QWidget {
    Q_OBJECT
public:
    // `editorWindow` is the editor whose controls the findings lead to; the window is a
    // window of its own but goes with the editor.
    explicit TfmValForm_t(QWidget* editorWindow);

    // The list the data module's validation records into.
    FindingList& findings() { return findings_; }
    // Fills the list from the recorded findings; a finding whose control is not in the
    // editor gets no line.
    void showFindings();
    // Leads the editor to the control of line `row`; false when there is none.
    bool goToFinding(int row);

    QListWidget* list() const { return lvErrors_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* controlOf(const Finding& finding) const;

    QWidget* editor_;
    FindingList findings_;
    QList<QPointer<QWidget>> controls_; // per line
    QListWidget* lvErrors_;
    QStatusBar* statusBar_;
};

// The validation window of this application type: the template as it is.
class TfmValForm : public TfmValForm_t {
public:
    using TfmValForm_t::TfmValForm_t;
};

} // namespace editor
