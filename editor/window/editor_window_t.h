#pragma once

#include "editor/window/editor_shell.h"
#include "editor/window/page_table.h"
#include "file/application_file.h"

#include <QDialog>
#include <QEvent>
#include <QList>
#include <QPointer>

#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QStatusBar;
class QTabWidget;
class QToolBar;

namespace editor {

class ChecksumEditLink;
class RecoveryGuard;
class ScrollBox;
class TfmValForm;
class WheelFilter;

// The editor window all application types share: the tool bar and its actions, the main
// pages with vertical tabs and their inner pages, one scroll box per page, the checksum
// page, the status bar, the file handling (through ApplicationFile), the validation run,
// and the start-up, show and close steps. The application type derives from it, names
// its pages and fills them with frames.
class TfmWniosek_t : public QDialog, public EditorShell {
    Q_OBJECT
public:
    // The host's request to close the editor at once, without questions (the host's
    // message number 1125 is inside Qt's range of user events).
    static constexpr QEvent::Type HostCloseEvent = QEvent::Type(1125);

    ~TfmWniosek_t() override;

    // ---- EditorShell
    ApplicationFile& file() override { return *file_; }
    int showModal() override;
    void EnterViewMode() override;
    void setStatusFileText(const QString& text) override;
    void setCaption(const QString& caption) override { setWindowTitle(caption); }
    FindingList& PrepareValidationWindow() override;
    void setPrintRoutine(PrintRoutine routine) override { printRoutine_ = std::move(routine); }
    void openAt(const HostShowPlace& place) override { openAt_ = place; }

    // Leads the user to the place at once; false when no control shows it.
    bool goToPlace(const HostShowPlace& place);

    TdmDataSets& dm() const { return dm_; }
    UserInterface& ui() const { return ui_; }

    // ---- operations of the actions
    // Moves the focus out of the active control and back, so the value being typed is
    // posted by the control. False when the control refused it.
    bool CommitActiveControl();
    bool PostPendingEdits() { return file_->PostPendingEdits(); }
    void SuspendDataControls(bool on) { file_->SuspendDataControls(on); }
    // Commits the active control, validates and shows the findings; true when the
    // application passed. With showSuccess a passing run without warnings says so.
    bool RunValidation(bool showSuccess);

    // ---- parts of the window (tests and the validation window reach them by name too)
    QTabWidget* mainPages() const { return mainPages_; }
    // The tab widget of a main page's inner pages; nullptr for a page without them.
    QTabWidget* innerPages(int mainPage) const;
    // The scroll box of an inner page (or of a main page without inner pages).
    ScrollBox* scrollBox(int mainPage, int innerPage = 0) const;
    const QList<ScrollBox*>& scrollBoxes() const { return scrollBoxes_; }
    QLabel* statusPanel(int i) const { return statusPanels_[i]; }
    QLineEdit* checksumEdit() const { return checksumEdit_; }
    TfmValForm* validationWindow() const { return fmValForm_; }
    int modalResult() const { return result(); }

protected:
    // Start-up: the window, the actions, the host settings and the file half. The type
    // builds its pages with buildPages() afterwards.
    TfmWniosek_t(TdmDataSets& dm, UserInterface& ui, const HostSettings& settings, QWidget* parent);

    void buildPages(const QList<MainPageSpec>& pages);
    // The frames of one page into its scroll box's panel.
    virtual void fillPage(const QString& caption, QWidget* panel) = 0;
    // Show steps of the type that need widgets.
    virtual void restoreYearColumns() {}

    bool event(QEvent* event) override;
    // Resolves an Alt+letter shared by several captions in view.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Escape does not close the editor: it closes through acZamknij or the close box.
    void reject() override {}

private:
    void createActions();
    void createToolBar(QToolBar* bar);
    QWidget* createChecksumPanel(ScrollBox* box);
    void mainPageChanged(int index);
    void acWalidacjaExecute();
    void acZamknijExecute();
    void runPrint(PrintDevice device);
    void showMessageBrowser();
    void hideHostWindow();
    void showHostWindow();
    void updateCaptionAfterSave();
    quint64 dataVersion() const;

    TdmDataSets& dm_;
    UserInterface& ui_;
    std::unique_ptr<ApplicationFile> file_;
    // A window of its own; a child of the editor so that the modal editor lets it take input.
    TfmValForm* fmValForm_ = nullptr;
    std::unique_ptr<ChecksumEditLink> checksumLink_;
    WheelFilter* wheelFilter_ = nullptr;
    PrintRoutine printRoutine_;
    RecoveryGuard* recovery_ = nullptr;

    QTabWidget* mainPages_ = nullptr;
    QList<QTabWidget*> innerPages_; // per main page; nullptr without inner pages
    QList<QList<ScrollBox*>> pageBoxes_;
    QList<ScrollBox*> scrollBoxes_;
    int checksumPage_ = -1;
    QLabel* statusPanels_[3] = {};
    QLineEdit* checksumEdit_ = nullptr;
    QPointer<QWidget> hiddenHostWindow_;
    int closeResult_ = 2;          // the modal result a close box gives; acZamknij sets 1
    quint64 validatedVersion_ = 0; // dataVersion() at the end of the last validation run
    HostShowPlace openAt_;

public:
    QAction* acZapisz = nullptr;
    QAction* acZapiszJako = nullptr;
    QAction* acWalidacja = nullptr;
    QAction* acSumaK = nullptr;
    QAction* acPodglad = nullptr;
    QAction* acDrukuj = nullptr;
    QAction* acZamknij = nullptr;
};

} // namespace editor
