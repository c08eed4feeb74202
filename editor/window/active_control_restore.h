#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QTabWidget;
class QWidget;

namespace editor {

// Each page of an inner tab widget remembers the control that last had the focus on it and
// gives the focus back to that control when the page is selected again, so returning to a
// page puts the cursor where it was.
class ActiveControlRestore : public QObject {
    Q_OBJECT
public:
    explicit ActiveControlRestore(QTabWidget* tabs);

    // The control remembered for the page, or nullptr.
    QWidget* rememberedControl(QWidget* page) const;

private:
    void focusMoved(QWidget* now);
    void pageChanged(int index);

    QTabWidget* tabs_;
    QPointer<QWidget> shownPage_; // the page the user works on; changed only after a switch
    QHash<QWidget*, QPointer<QWidget>> remembered_;
};

} // namespace editor
