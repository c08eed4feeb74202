#include "launcher/launcher_window.h"

#include "editor/help/help_window.h"
#include "file/recovery_copy.h"

#include "launcher/application_list.h"
#include "launcher/compare_window.h"
#include "platform/hostenv/hostregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QThread>
#include <QToolBar>
#include <QTreeWidget>

namespace {

enum Column { ColumnTitle, ColumnFile, ColumnModified, ColumnChecksum };

const char* const kCaption = "Zelgor";

} // namespace

LauncherWindow::LauncherWindow(ModuleLibrary& module, QString applicationsFolder, QWidget* parent)
    : QMainWindow(parent), module_(module), folder_(std::move(applicationsFolder)) {
    setObjectName(QStringLiteral("TfmLauncher"));
    setWindowTitle(QString::fromUtf8(kCaption));
    setMinimumSize(760, 420);

    auto* toolBar = addToolBar(QStringLiteral("Wnioski"));
    toolBar->setObjectName(QStringLiteral("tbWnioski"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    QAction* newApplication = makeAction("acNowyWniosek", QStringLiteral("&Nowy wniosek"),
                                         QStringLiteral("Utwórz nowy wniosek"));
    connect(newApplication, &QAction::triggered, this,
            [this] { runExport(QStringLiteral("NowyWniosek_"), QString()); });
    QAction* open = makeAction("acOtworz", QStringLiteral("&Otwórz…"),
                               QStringLiteral("Otwórz plik wniosku z innego katalogu"));
    connect(open, &QAction::triggered, this, &LauncherWindow::openOther);
    toolBar->addAction(newApplication);
    toolBar->addAction(open);
    toolBar->addSeparator();

    struct FileAction {
        const char* name;
        QString caption, hint, exportName;
    };
    const FileAction fileActions[] = {
        {"acEdytuj", QStringLiteral("&Edytuj"), QStringLiteral("Edytuj wybrany wniosek"),
         QStringLiteral("EdytujWniosek_")},
        {"acPodglad", QStringLiteral("&Podgląd"), QStringLiteral("Podgląd wybranego wniosku"),
         QStringLiteral("PodgladWniosku_")},
        {"acDrukuj", QStringLiteral("&Drukuj"), QStringLiteral("Drukuj wybrany wniosek"),
         QStringLiteral("DrukujWniosek_")},
    };
    for (const FileAction& a : fileActions) {
        QAction* action = makeAction(a.name, a.caption, a.hint);
        const QString exportName = a.exportName;
        connect(action, &QAction::triggered, this,
                [this, exportName] { runExport(exportName, selectedFile()); });
        toolBar->addAction(action);
        fileActions_ << action;
    }
    toolBar->addSeparator();
    QAction* sum = makeAction("acSprawdzSume", QStringLiteral("&Sprawdź sumę"),
                              QStringLiteral("Sprawdź sumę kontrolną wybranego wniosku"));
    connect(sum, &QAction::triggered, this, &LauncherWindow::checkSum);
    QAction* validation = makeAction("acWaliduj", QStringLiteral("&Waliduj"),
                                     QStringLiteral("Sprawdź poprawność wybranego wniosku"));
    connect(validation, &QAction::triggered, this, &LauncherWindow::validate);
    toolBar->addAction(sum);
    toolBar->addAction(validation);
    fileActions_ << sum << validation;
    toolBar->addSeparator();
    compare_ = makeAction("acPorownaj", QStringLiteral("Po&równaj"),
                          QStringLiteral("Porównaj dwa zaznaczone wnioski: co zmieniło się w "
                                         "nowszym"));
    connect(compare_, &QAction::triggered, this, &LauncherWindow::compareSelected);
    toolBar->addAction(compare_);
    QAction* help = makeAction("acPomoc", QStringLiteral("Po&moc"),
                               QStringLiteral("Instrukcja wypełniania wniosku"));
    help->setShortcut(QKeySequence::HelpContents);
    connect(help, &QAction::triggered, this, &LauncherWindow::showHelp);
    toolBar->addAction(help);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("lvWnioski"));
    list_->setAccessibleName(QStringLiteral("Wnioski"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection); // two files to compare
    list_->setHeaderLabels({QStringLiteral("Tytuł projektu"), QStringLiteral("Plik"),
                            QStringLiteral("Zmieniony"), QStringLiteral("Suma kontrolna")});
    list_->header()->setSectionResizeMode(ColumnTitle, QHeaderView::Stretch);
    list_->header()->setStretchLastSection(false);
    connect(list_, &QTreeWidget::itemActivated, this,
            [this] { runExport(QStringLiteral("EdytujWniosek_"), selectedFile()); });
    connect(list_, &QTreeWidget::currentItemChanged, this, &LauncherWindow::updateActions);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &LauncherWindow::updateActions);
    setCentralWidget(list_);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("pbSprawdzanie"));
    progress_->setMaximumWidth(220);
    progress_->setFormat(QStringLiteral("%v z %m"));
    progress_->hide();
    statusBar()->addPermanentWidget(progress_);
    statusBar()->showMessage(folderStatus());
    checker_ = new FileChecker(this);
    connect(checker_, &FileChecker::checked, this, &LauncherWindow::showChecked);
    refresh();
}

LauncherWindow::~LauncherWindow() {
    delete checker_; // stops the thread before the window goes
}

QAction* LauncherWindow::makeAction(const char* objectName, const QString& caption,
                                    const QString& hint) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    QWidget::addAction(action);
    return action;
}

// The module's instruction, beside the module file.
void LauncherWindow::showHelp() {
    const QString folder =
        QDir(QFileInfo(module_.path()).absolutePath()).filePath(QStringLiteral("pomoc"));
    QString error;
    if (!help::HelpWindow::open(folder, 1, this, &error))
        QMessageBox::warning(this, QString::fromUtf8(kCaption), error);
}

void LauncherWindow::refresh() {
    const QString previous = selectedFile();
    // The rows are made apart from the list and added at once: one layout, not one per row.
    list_->setUpdatesEnabled(false);
    list_->clear();
    rows_.clear();
    QList<FileState> toRead;
    QList<QTreeWidgetItem*> items;
    ++round_;
    const QFontMetrics metrics = list_->fontMetrics();
    int widestName = 0;
    for (const QFileInfo& info : listXmlFiles(folder_)) {
        const QString path = info.absoluteFilePath();
        const QDateTime modified = info.lastModified();
        const auto known = known_.constFind(path);
        const bool current = known != known_.constEnd() && known->isCurrent(info.size(), modified);
        if (current && !known->application) continue;
        auto* item = new QTreeWidgetItem;
        item->setText(ColumnFile, info.fileName());
        item->setToolTip(ColumnFile, QDir::toNativeSeparators(path));
        item->setData(ColumnFile, Qt::UserRole, path);
        item->setText(ColumnModified, modified.toString(QStringLiteral("yyyy.MM.dd HH:mm")));
        widestName = std::max(widestName, metrics.horizontalAdvance(info.fileName()));
        items << item;
        rows_.insert(path, item);
        if (current) {
            fillRow(item, *known);
        } else {
            item->setText(ColumnTitle, QStringLiteral("…"));
            item->setText(ColumnChecksum, QStringLiteral("sprawdzanie…"));
            FileState state;
            state.path = path;
            state.size = info.size();
            state.modified = modified;
            state.round = round_;
            toRead << state;
        }
    }
    list_->addTopLevelItems(items);
    waiting_ = queued_ = int(toRead.size());
    checker_->check(toRead);
    showProgress();
    fitColumns(widestName);
    list_->setUpdatesEnabled(true);
    const QString last = HostRegistry().readString(HostRegistry::ValueLastFile);
    selectFile(previous);
    if (!last.isEmpty()) selectFile(last);
    if (!list_->currentItem() && list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    updateActions();
    if (waiting_ == 0) {
        statusBar()->showMessage(folderStatus());
        emit checkingFinished();
    }
}

// The columns fit their widest text. It is measured from the texts themselves: the dates
// share one form and the states are a few words, and measuring every row of a full folder
// would hold the window.
void LauncherWindow::fitColumns(int widestName) {
    const QFontMetrics metrics = list_->fontMetrics();
    const int margin = 2 * (list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    int widestState = 0;
    for (const QString& state :
         {QStringLiteral("sprawdzanie…"), QStringLiteral("plik uszkodzony"),
          QStringLiteral("poprawna"), QStringLiteral("niepoprawna"), QStringLiteral("nieznana")})
        widestState = std::max(widestState, metrics.horizontalAdvance(state));
    const int widths[] = {widestName, metrics.horizontalAdvance(QStringLiteral("0000.00.00 00:00")),
                          widestState};
    for (int c = ColumnFile; c <= ColumnChecksum; ++c)
        list_->setColumnWidth(c, std::max(list_->header()->sectionSizeHint(c),
                                          widths[c - ColumnFile] + margin) +
                                     16); // a gap to the next column
}

// The folder, and the new applications whose editor ended before they were saved: their
// recovery copies are left, and "Nowy wniosek" offers them.
QString LauncherWindow::folderStatus() const {
    const qsizetype left = RecoveryCopy::orphanedNewApplicationCopies().size();
    return QStringLiteral("Katalog wniosków: %1").arg(QDir::toNativeSeparators(folder_)) +
           (left ? QStringLiteral("   Niezapisane nowe wnioski: %1 – „Nowy wniosek” zaproponuje "
                                  "ich przywrócenie.")
                       .arg(left)
                 : QString());
}

void LauncherWindow::fillRow(QTreeWidgetItem* item, const FileState& state) {
    item->setText(ColumnTitle,
                  state.title.isEmpty() ? QStringLiteral("(bez tytułu)") : state.title);
    item->setToolTip(ColumnTitle, state.title);
    item->setText(ColumnChecksum, state.damaged ? QStringLiteral("plik uszkodzony")
                                  : state.checksum == FileState::Holds ? QStringLiteral("poprawna")
                                  : state.checksum == FileState::Fails
                                      ? QStringLiteral("niepoprawna")
                                      : QStringLiteral("nieznana"));
}

void LauncherWindow::showChecked(const FileState& state) {
    known_.insert(state.path, state);
    QTreeWidgetItem* item = rows_.value(state.path);
    // A file queued by an earlier listing: remembered only.
    if (!item || state.round != round_) return;
    if (state.application) {
        fillRow(item, state);
    } else {
        rows_.remove(state.path);
        const bool wasCurrent = list_->currentItem() == item;
        delete item;
        if (wasCurrent && list_->topLevelItemCount() > 0)
            list_->setCurrentItem(list_->topLevelItem(0));
        updateActions();
    }
    --waiting_;
    showProgress();
    if (waiting_ == 0) emit checkingFinished();
}

void LauncherWindow::showProgress() {
    progress_->setVisible(waiting_ > 0);
    if (waiting_ == 0) {
        statusBar()->showMessage(folderStatus());
        return;
    }
    progress_->setMaximum(queued_);
    progress_->setValue(queued_ - waiting_);
    statusBar()->showMessage(QStringLiteral("Sprawdzanie plików wniosków…"));
}

void LauncherWindow::selectFile(const QString& path) {
    if (path.isEmpty()) return;
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        if (item->data(ColumnFile, Qt::UserRole).toString() == wanted) {
            list_->setCurrentItem(item);
            return;
        }
    }
}

QString LauncherWindow::selectedFile() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item ? item->data(ColumnFile, Qt::UserRole).toString() : QString();
}

void LauncherWindow::updateActions() {
    const bool selected = !selectedFile().isEmpty();
    for (QAction* action : fileActions_)
        action->setEnabled(selected);
    compare_->setEnabled(list_->selectedItems().size() == 2 && !comparing_);
}

QStringList LauncherWindow::selectedFiles() const {
    QStringList files;
    for (const QTreeWidgetItem* item : list_->selectedItems())
        files << item->data(ColumnFile, Qt::UserRole).toString();
    return files;
}

void LauncherWindow::compareSelected() {
    QStringList files = selectedFiles();
    if (files.size() != 2 || comparing_) return;
    // The older file first: the list tells what the newer one changed.
    if (QFileInfo(files[0]).lastModified() > QFileInfo(files[1]).lastModified())
        files.swapItemsAt(0, 1);
    comparing_ = true;
    updateActions();
    statusBar()->showMessage(QStringLiteral("Porównywanie wniosków…"));
    auto result = std::make_shared<FileComparison>();
    QThread* worker = QThread::create([result, files] {
        lowerCurrentThread();
        *result = compareFiles(files[0], files[1]);
    });
    connect(worker, &QThread::finished, this, [this, worker, result] {
        worker->deleteLater();
        comparing_ = false;
        updateActions();
        showProgress();
        if (!result->error.isEmpty()) {
            QMessageBox::warning(this, QString::fromUtf8(kCaption), result->error);
            return;
        }
        auto* window = new CompareWindow(*result, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        connect(window, &CompareWindow::openRequested, this, &LauncherWindow::viewAt);
        window->show();
        emit comparisonShown(window);
    });
    worker->start();
}

// The module reads the place from the registry when it opens that file for viewing; the
// value lasts for this one call.
void LauncherWindow::viewAt(const HostShowPlace& place) {
    const HostRegistry registry;
    registry.writeString(QLatin1String(HostRegistry::ValueShowPlace), place.toText());
    runExport(QStringLiteral("PodgladWniosku_"), place.file);
    registry.writeString(QLatin1String(HostRegistry::ValueShowPlace), QString());
}

int32_t LauncherWindow::runExport(const QString& exportName, const QString& path) {
    if (ModuleLibrary::takesPath(exportName) && path.isEmpty()) return 0;
    const bool interactive = exportName == QLatin1String("NowyWniosek_") ||
                             exportName == QLatin1String("EdytujWniosek_") ||
                             exportName == QLatin1String("PodgladWniosku_") ||
                             exportName == QLatin1String("DrukujWniosek_");
    if (interactive) hide();
    int32_t result = 0;
    const bool called = module_.call(exportName, path, result);
    if (interactive) show();
    if (!called) QMessageBox::critical(this, QString::fromUtf8(kCaption), module_.errorText());
    refresh();
    if (!path.isEmpty()) selectFile(path);
    return result;
}

void LauncherWindow::openOther() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Otwórz wniosek"), folder_,
                                     QStringLiteral("Pliki wniosków (*.xml);;Wszystkie pliki (*)"));
    if (!path.isEmpty()) runExport(QStringLiteral("EdytujWniosek_"), path);
}

void LauncherWindow::checkSum() {
    const QString path = selectedFile();
    if (path.isEmpty()) return;
    const bool holds = runExport(QStringLiteral("SprawdzSume_"), path) != 0;
    QMessageBox::information(this, QString::fromUtf8(kCaption),
                             holds ? QStringLiteral("Suma kontrolna wniosku jest poprawna.")
                                   : QStringLiteral("Suma kontrolna wniosku jest niepoprawna."));
}

void LauncherWindow::validate() {
    const QString path = selectedFile();
    if (path.isEmpty()) return;
    switch (runExport(QStringLiteral("SilentValCrcCheck_"), path)) {
    case 1:
        QMessageBox::information(this, QString::fromUtf8(kCaption),
                                 QStringLiteral("Wniosek jest poprawny, suma kontrolna się "
                                                "zgadza."));
        break;
    case 2:
        QMessageBox::warning(this, QString::fromUtf8(kCaption),
                             QStringLiteral("Suma kontrolna się zgadza, ale wniosek zawiera "
                                            "błędy. Szczegóły pokazuje podgląd wniosku."));
        break;
    case 3:
        QMessageBox::warning(this, QString::fromUtf8(kCaption),
                             QStringLiteral("Wniosek jest poprawny, ale suma kontrolna się "
                                            "nie zgadza: plik zmieniono poza Zelgorem."));
        break;
    default:
        QMessageBox::warning(this, QString::fromUtf8(kCaption),
                             QStringLiteral("Wniosek zawiera błędy, a suma kontrolna się nie "
                                            "zgadza."));
        break;
    }
}
