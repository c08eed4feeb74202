#include "editor/window/editor_window_t.h"

#include "editor/window/recovery_guard.h"

#include "editor/forms/controls/cell_refusal.h"
#include "editor/forms/controls/data_control.h"
#include "editor/forms/controls/grid_control.h"
#include "editor/forms/frame_pages.h"
#include "editor/uiport/save_dialog.h"
#include "editor/validation/message_browser.h"
#include "editor/validation/validation_window.h"
#include "editor/window/action_images.h"
#include "editor/window/active_control_restore.h"
#include "editor/window/checksum_edit_link.h"
#include "editor/window/focus_control.h"
#include "editor/window/scroll_box.h"
#include "editor/window/wheel_filter.h"
#include "model/dm_main.h"
#include "model/validation_port.h"
#include "platform/ui/userinterface.h"
#include "validation/rule_set.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QShortcutEvent>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace editor {

namespace {

const QString kNoPrinting =
    QStringLiteral("Podgląd wydruku i drukowanie wniosku nie są dostępne w tej wersji modułu.");

QAction* makeAction(QObject* owner, const char* name, const QString& caption, const QString& hint,
                    int image) {
    auto* a = new QAction(caption, owner);
    a->setObjectName(QLatin1String(name));
    // The button shows the caption with its accelerator letter; no shortcut keys.
    a->setIconText(caption);
    a->setToolTip(hint);
    a->setStatusTip(hint);
    a->setIcon(actionImage(image));
    return a;
}

} // namespace

TfmWniosek_t::TfmWniosek_t(TdmDataSets& dm, UserInterface& ui, const HostSettings& settings,
                           QWidget* parent)
    : QDialog(parent), dm_(dm), ui_(ui) {
    BusyCursor cursor(ui_);
    setObjectName(QStringLiteral("fmWniosek"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setMinimumSize(800, 580);
    resize(800, 600);
    setSizeGripEnabled(false);

    // The file half: mapping extended, host settings taken, flags cleared, Zmieniony clear.
    file_ = std::make_unique<ApplicationFile>(dm_, ui_, settings);
    file_->LocksFile = true;
    file_->CommitActiveControl = [this] { return CommitActiveControl(); };
    file_->chooseSavePath = [this](const QString& folder, const QString& proposed) {
        return chooseSavePath(this, folder, proposed);
    };
    file_->onFileSaved = [this] {
        updateCaptionAfterSave();
        recovery_->saved();
    };
    file_->ShowMessageBrowser = [this] { showMessageBrowser(); };
    file_->RestoreYearColumns = [this] { restoreYearColumns(); };

    wheelFilter_ = new WheelFilter(this);
    qApp->installEventFilter(wheelFilter_);

    createActions();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    createToolBar(bar);
    layout->addWidget(bar);

    mainPages_ = new QTabWidget(this);
    mainPages_->setObjectName(QStringLiteral("pcGlowny"));
    mainPages_->setTabPosition(QTabWidget::West);
    mainPages_->setDocumentMode(false);
    layout->addWidget(mainPages_, 1);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setSizeGripEnabled(true);
    // A copy that cannot be written costs one line here and nothing else.
    recovery_ = new RecoveryGuard(*this, dm_, ui_, *file_, [status](const QString& text) {
        status->showMessage(text, 15000);
    });
    for (int i = 0; i < 3; ++i) {
        statusPanels_[i] = new QLabel(status);
        statusPanels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        if (i < 2) {
            // 150 pixels, wider when the text needs it (a version resource's long answer).
            statusPanels_[i]->setMinimumWidth(150);
            status->addWidget(statusPanels_[i]);
        } else {
            status->addWidget(statusPanels_[i], 1);
        }
    }
    layout->addWidget(status);

    statusPanels_[0]->setText(QStringLiteral("Typ wniosku: ") + QLatin1String(FormTypeCode));
    statusPanels_[1]->setText(QStringLiteral("Wersja: ") + settings.moduleVersionText);
    setWindowTitle(QStringLiteral("Edytor wniosku ") + QLatin1String(FormTypeTitle));

    // Only a change of the data itself: re-enabling the controls after a run, or moving
    // through the records, leaves the action as the run left it.
    dm_.onDataChangeWhileEditing = [this] {
        if (!acWalidacja->isEnabled() && dataVersion() != validatedVersion_)
            acWalidacja->setEnabled(true);
    };
    dm_.Zmieniony = false;
}

TfmWniosek_t::~TfmWniosek_t() {
    dm_.onDataChangeWhileEditing = nullptr;
    // The plugged validation writes into this window's findings list, which goes with it.
    dm_.plugValidation(nullptr);
    qApp->removeEventFilter(wheelFilter_);
    // The checksum edit stops following the table before the widgets go.
    checksumLink_.reset();
    delete fmValForm_;
}

// ---------------------------------------------------------------- structure

void TfmWniosek_t::createActions() {
    acZapisz = makeAction(this, "acZapisz", QStringLiteral("&Zapisz"),
                          QStringLiteral("Zapisz wniosek"), 22);
    acZapiszJako = makeAction(this, "acZapiszJako", QStringLiteral("Zapisz &jako..."),
                              QStringLiteral("Zapisz wniosek jako..."), 6);
    acWalidacja = makeAction(this, "acWalidacja", QStringLiteral("&Walidacja"),
                             QStringLiteral("Sprawdzenie poprawnosci"), 2);
    acSumaK = makeAction(this, "acSumaK", QStringLiteral("&Suma kontrolna"), QString(), 0);
    acPodglad = makeAction(this, "acPodglad", QStringLiteral("&Podglad wydruku"),
                           QStringLiteral("Podglad wydruku wniosku"), 10);
    // The preview button has a caption and hint of its own.
    acPodglad->setIconText(QStringLiteral("&Podgląd wydruku"));
    acPodglad->setToolTip(QStringLiteral("Podgląd wydruku wniosku"));
    acDrukuj = makeAction(this, "acDrukuj", QStringLiteral("&Drukuj"),
                          QStringLiteral("Drukuj wniosek"), 8);
    acZamknij = makeAction(this, "acZamknij", QStringLiteral("Zam&knij"),
                           QStringLiteral("Zamknij edytor wniosku"), 4);
    for (QAction* a :
         {acZapisz, acZapiszJako, acWalidacja, acSumaK, acPodglad, acDrukuj, acZamknij})
        addAction(a);

    connect(acZapisz, &QAction::triggered, this, [this] { file_->save(); });
    connect(acZapiszJako, &QAction::triggered, this, [this] { file_->saveAs(); });
    connect(acWalidacja, &QAction::triggered, this, &TfmWniosek_t::acWalidacjaExecute);
    connect(acSumaK, &QAction::triggered, this, [this] { file_->acSumaK(); });
    connect(acPodglad, &QAction::triggered, this, [this] { runPrint(PrintDevice::Screen); });
    connect(acDrukuj, &QAction::triggered, this, [this] { runPrint(PrintDevice::Printer); });
    connect(acZamknij, &QAction::triggered, this, &TfmWniosek_t::acZamknijExecute);
}

void TfmWniosek_t::createToolBar(QToolBar* bar) {
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(20, 20));
    auto add = [&](QAction* a, const char* name) {
        auto* button = new QToolButton(bar);
        button->setObjectName(QLatin1String(name));
        button->setDefaultAction(a);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAutoRaise(true);
        button->setMinimumSize(95, 36);
        button->installEventFilter(this);
        bar->addWidget(button);
    };
    add(acZapisz, "btnZapisz");
    add(acZapiszJako, "btnZapiszJako");
    bar->addSeparator();
    add(acWalidacja, "btnWalidacja");
    bar->addSeparator();
    add(acPodglad, "btnPodglad");
    add(acDrukuj, "btnDrukuj");
    bar->addSeparator();
    add(acZamknij, "btnZamknij");
}

void TfmWniosek_t::buildPages(const QList<MainPageSpec>& pages) {
    for (int m = 0; m < pages.size(); ++m) {
        const MainPageSpec& spec = pages[m];
        QList<ScrollBox*> boxes;
        QTabWidget* inner = nullptr;
        QWidget* page = nullptr;
        if (spec.innerPages.isEmpty()) {
            auto* box = new ScrollBox;
            box->setObjectName(QStringLiteral("sbStrona%1").arg(m + 1));
            if (spec.checksumPage) {
                createChecksumPanel(box);
                checksumPage_ = m;
            } else {
                fillPage(spec.caption, box->panel());
            }
            boxes << box;
            page = box;
        } else {
            inner = new QTabWidget;
            inner->setObjectName(QStringLiteral("pcStrona%1").arg(m + 1));
            for (int i = 0; i < spec.innerPages.size(); ++i) {
                auto* box = new ScrollBox;
                box->setObjectName(QStringLiteral("sbStrona%1_%2").arg(m + 1).arg(i + 1));
                fillPage(spec.innerPages[i], box->panel());
                inner->addTab(box, spec.innerPages[i]);
                boxes << box;
            }
            new ActiveControlRestore(inner);
            inner->tabBar()->installEventFilter(this);
            page = inner;
        }
        // Frames stack from the top; the rest of the panel stays empty.
        for (ScrollBox* box : boxes) {
            if (auto* l = qobject_cast<QBoxLayout*>(box->panel()->layout())) l->addStretch(1);
        }
        page->setProperty("mainPageIndex", m);
        mainPages_->addTab(page, spec.caption);
        innerPages_ << inner;
        pageBoxes_ << boxes;
        scrollBoxes_ << boxes;
    }
    mainPages_->setCurrentIndex(0);
    mainPages_->tabBar()->installEventFilter(this);
    connect(mainPages_, &QTabWidget::currentChanged, this, &TfmWniosek_t::mainPageChanged);
}

QWidget* TfmWniosek_t::createChecksumPanel(ScrollBox* box) {
    auto* panel = new QFrame(box->panel());
    panel->setObjectName(QStringLiteral("pnlSumaKontrolna"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* v = new QVBoxLayout(panel);
    auto* caption = new QLabel(QStringLiteral("Suma kontrolna"), panel);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(13);
    font.setBold(true);
    caption->setFont(font);
    caption->setAlignment(Qt::AlignCenter);
    v->addWidget(caption);
    checksumEdit_ = new QLineEdit(box->panel());
    checksumEdit_->setObjectName(QStringLiteral("eSumaKontrolna"));
    checksumEdit_->setEnabled(false);
    checksumEdit_->setAccessibleName(QStringLiteral("Suma kontrolna"));
    checksumEdit_->setMaximumWidth(260);
    box->panel()->layout()->addWidget(panel);
    box->panel()->layout()->addWidget(checksumEdit_);
    checksumLink_ =
        std::make_unique<ChecksumEditLink>(dm_.table(QStringLiteral("dsWniosek")), checksumEdit_);
    return panel;
}

QTabWidget* TfmWniosek_t::innerPages(int mainPage) const {
    return innerPages_.value(mainPage);
}

ScrollBox* TfmWniosek_t::scrollBox(int mainPage, int innerPage) const {
    return pageBoxes_.value(mainPage).value(innerPage);
}

void TfmWniosek_t::setStatusFileText(const QString& text) {
    statusPanels_[2]->setText(text);
}

void TfmWniosek_t::updateCaptionAfterSave() {
    setStatusFileText(file_->statusFileText());
    setWindowTitle(file_->captionAfterSave());
}

// ---------------------------------------------------------------- showing and pages

int TfmWniosek_t::showModal() {
    // One editor per file: a file another editor has open is only viewed, or not opened.
    QString holder;
    if (!file_->ViewOnly && !file_->Silent &&
        file_->lockFile(file_->FileName, &holder) == ApplicationFile::LockResult::HeldByOther) {
        const MessageResult answer = ui_.messageBox(
            ApplicationFile::lockedByOtherMessage(file_->FileName, holder) +
                QStringLiteral("\r\nOK – otwórz go tylko do odczytu, Anuluj – nie otwieraj."),
            QStringLiteral("Zelgor"), MessageIcon::Warning, MessageButtons::OkCancel);
        if (answer != MessageResult::Ok) return 0;
        EnterViewMode();
    }
    setWindowModality(Qt::ApplicationModal);
    closeResult_ = 2;
    show();
    hideHostWindow();
    file_->runShowTimeSteps();
    if (!openAt_.isEmpty()) goToPlace(openAt_);
    recovery_->start();
    return exec();
}

bool TfmWniosek_t::goToPlace(const HostShowPlace& place) {
    DataSet* table = dm_.findTable(place.table);
    QString shown = place.field;
    if (table) {
        if (place.record > 0 && place.record <= table->recordCount()) table->setRecNo(place.record);
        // A key is shown by its lookup.
        for (const auto& f : table->fields())
            if (f->kind() == FieldKind::Lookup &&
                f->definition().keyField.compare(place.field, Qt::CaseInsensitive) == 0)
                shown = f->name();
    }
    // Frames may repeat a control's name: the control bound to the field comes first.
    QWidget* control = findControlForField(this, place.table, shown);
    if (!control && !place.control.isEmpty()) control = findChild<QWidget*>(place.control);
    if (!focusControl(control)) return false;
    if (auto* grid = qobject_cast<GridControl*>(control); grid && !shown.isEmpty())
        grid->focusColumn(shown);
    return true;
}

void TfmWniosek_t::mainPageChanged(int index) {
    if (index == checksumPage_) acSumaK->trigger();
    ScrollBox* box = nullptr;
    if (QTabWidget* inner = innerPages(index))
        box = qobject_cast<ScrollBox*>(inner->currentWidget());
    else
        box = scrollBox(index);
    if (box) box->setFocus(Qt::OtherFocusReason);
}

// An Alt+letter that several visible captions underline reaches the tool-bar command or
// the main page first; when that main page is already shown, its inner page with the
// letter is chosen. An inner page whose letter the window's commands take is reached with
// Ctrl+Tab or Ctrl+Shift+Tab inside its page control.
bool TfmWniosek_t::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Shortcut || !static_cast<QShortcutEvent*>(event)->isAmbiguous())
        return QDialog::eventFilter(watched, event);
    const QKeySequence key = static_cast<QShortcutEvent*>(event)->key();
    const auto letterOf = [&key](const QString& caption) {
        return QKeySequence::mnemonic(caption) == key;
    };
    for (QToolButton* b : findChildren<QToolButton*>()) {
        if (b->parentWidget() && qobject_cast<QToolBar*>(b->parentWidget()) && b->isVisible() &&
            b->isEnabled() && letterOf(b->text())) {
            b->animateClick();
            return true;
        }
    }
    const auto tabWith = [&](const QTabWidget* tabs) {
        for (int i = 0; tabs && i < tabs->count(); ++i)
            if (tabs->isTabEnabled(i) && letterOf(tabs->tabText(i))) return i;
        return -1;
    };
    const int main = tabWith(mainPages_);
    if (main >= 0 && main != mainPages_->currentIndex()) {
        mainPages_->setCurrentIndex(main);
        return true;
    }
    QTabWidget* inner = innerPages(mainPages_->currentIndex());
    const int page = tabWith(inner);
    if (page >= 0) inner->setCurrentIndex(page);
    return true;
}

// ---------------------------------------------------------------- host window

// The host's main window is a top-level widget named "TfmLauncher"; a host without one
// (the command-line stand-in) has nothing hidden or shown.
void TfmWniosek_t::hideHostWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->objectName() == QLatin1String("TfmLauncher") && w->isVisible()) {
            hiddenHostWindow_ = w;
            w->hide();
            return;
        }
    }
}

void TfmWniosek_t::showHostWindow() {
    if (hiddenHostWindow_) hiddenHostWindow_->show();
    hiddenHostWindow_ = nullptr;
}

// ---------------------------------------------------------------- closing

bool TfmWniosek_t::event(QEvent* event) {
    if (event->type() == HostCloseEvent) {
        file_->ClosingByHost = true;
        closeResult_ = 2;
        close();
        return true;
    }
    return QDialog::event(event);
}

void TfmWniosek_t::acZamknijExecute() {
    closeResult_ = 1;
    if (!close()) closeResult_ = 2;
}

void TfmWniosek_t::closeEvent(QCloseEvent* event) {
    if (!file_->closeQuery()) {
        closeResult_ = 2;
        event->ignore();
        return;
    }
    event->accept();
    recovery_->closed();
    file_->unlockFile();
    showHostWindow();
    if (fmValForm_) fmValForm_->hide();
    done(closeResult_);
}

// ---------------------------------------------------------------- view mode and controls

void TfmWniosek_t::EnterViewMode() {
    file_->ViewOnly = true;
    setDataControlsReadOnly(this, true);
}

bool TfmWniosek_t::CommitActiveControl() {
    QWidget* active = focusWidget();
    if (!active) return true;
    if (active->hasFocus()) {
        active->clearFocus();
        active->setFocus(Qt::OtherFocusReason);
    } else {
        // The window is not active: the control still finishes its edit on a focus-out.
        QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(active, &out);
    }
    // A refused text stays typed in its control; a refused cell of a grid stays open, its
    // message on the way.
    if (refusalShown(active)) return false;
    for (QWidget* w = active; w && w != this; w = w->parentWidget())
        if (auto* control = qobject_cast<DataControl*>(w)) return !control->isDirty();
    return true;
}

// ---------------------------------------------------------------- validation

FindingList& TfmWniosek_t::PrepareValidationWindow() {
    if (!fmValForm_) fmValForm_ = new TfmValForm(this);
    fmValForm_->findings().clear();
    ::PrepareValidationWindow(dm_, fmValForm_->findings());
    return fmValForm_->findings();
}

bool TfmWniosek_t::RunValidation(bool showSuccess) {
    CommitActiveControl();
    PrepareValidationWindow();
    bool passed = false;
    try {
        passed = dm_.Validate();
    } catch (const std::exception& e) {
        ui_.errorDialog(QString::fromUtf8(e.what()));
        passed = false;
    }
    fmValForm_->showFindings();
    if (!passed || dm_.ValidationWarning) {
        fmValForm_->show();
        fmValForm_->raise();
    } else {
        fmValForm_->hide();
        if (showSuccess)
            ui_.messageBox(QStringLiteral("Wniosek wypełniony poprawnie"),
                           QStringLiteral("Edytor wniosku - walidacja"), MessageIcon::Information,
                           MessageButtons::Ok);
    }
    validatedVersion_ = dataVersion();
    acWalidacja->setEnabled(!passed);
    return passed;
}

void TfmWniosek_t::acWalidacjaExecute() {
    // The text being typed first, then the records being edited: a refusal keeps the focus
    // where it sent it and stops the run (the rules would meet the refused record again at
    // every step through its table).
    if (!CommitActiveControl()) return;
    const bool changed = dm_.Zmieniony;
    if (!PostPendingEdits()) return;
    SuspendDataControls(false);
    RunValidation(true);
    SuspendDataControls(true);
    dm_.Zmieniony = changed;
}

// Grows with every value stored in any table (a record posted, added or deleted, a table
// emptied or reopened) and with a value typed into the record being edited.
quint64 TfmWniosek_t::dataVersion() const {
    quint64 sum = 0;
    for (const auto& t : dm_.tables()) {
        sum += t->version();
        if (t->isEditing())
            for (const auto& f : t->fields())
                if (f->kind() == FieldKind::Data) sum += quint64(qHash(f->value().toString()));
    }
    return sum;
}

// ---------------------------------------------------------------- printing

void TfmWniosek_t::runPrint(PrintDevice device) {
    if (!printRoutine_) {
        ui_.messageBox(kNoPrinting, QStringLiteral("Zelgor"), MessageIcon::Information,
                       MessageButtons::Ok);
        return;
    }
    const bool changed = dm_.Zmieniony;
    PostPendingEdits();
    SuspendDataControls(false);
    PrintRequest request{device, dm_, *file_, this, [this] { return RunValidation(false); }};
    try {
        printRoutine_(request);
    } catch (const std::exception& e) {
        ui_.errorDialog(QString::fromUtf8(e.what()));
    }
    SuspendDataControls(true);
    dm_.Zmieniony = changed;
}

// ---------------------------------------------------------------- messages

void TfmWniosek_t::showMessageBrowser() {
    TfmMsgForm browser(file_->MessageList, this);
    browser.exec();
}

} // namespace editor
