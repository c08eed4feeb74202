#include "launcher/launcher_window.h"

#include "file/recovery_copy.h"

#include "launcher/application_list.h"
#include "platform/hostenv/hostregistry.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QStatusBar>
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

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("lvWnioski"));
    list_->setAccessibleName(QStringLiteral("Wnioski"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({QStringLiteral("Tytuł projektu"), QStringLiteral("Plik"),
                            QStringLiteral("Zmieniony"), QStringLiteral("Suma kontrolna")});
    list_->header()->setSectionResizeMode(ColumnTitle, QHeaderView::Stretch);
    list_->header()->setStretchLastSection(false);
    connect(list_, &QTreeWidget::itemActivated, this,
            [this] { runExport(QStringLiteral("EdytujWniosek_"), selectedFile()); });
    connect(list_, &QTreeWidget::currentItemChanged, this, &LauncherWindow::updateActions);
    setCentralWidget(list_);

    refresh();
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

void LauncherWindow::refresh() {
    const QString previous = selectedFile();
    list_->clear();
    for (const ApplicationEntry& entry : listApplications(folder_)) {
        // The checksum state comes from the module, exactly as "Sprawdź sumę" asks it.
        int32_t holds = 0;
        const bool known =
            !entry.damaged && module_.call(QStringLiteral("SilentCrcCheck_"), entry.path, holds);
        auto* item = new QTreeWidgetItem(list_);
        item->setText(ColumnTitle,
                      entry.title.isEmpty() ? QStringLiteral("(bez tytułu)") : entry.title);
        item->setToolTip(ColumnTitle, entry.title);
        item->setText(ColumnFile, QFileInfo(entry.path).fileName());
        item->setToolTip(ColumnFile, QDir::toNativeSeparators(entry.path));
        item->setData(ColumnFile, Qt::UserRole, entry.path);
        item->setText(ColumnModified, entry.modified.toString(QStringLiteral("yyyy.MM.dd HH:mm")));
        item->setText(ColumnChecksum, entry.damaged ? QStringLiteral("plik uszkodzony")
                                      : !known      ? QStringLiteral("nieznana")
                                      : holds       ? QStringLiteral("poprawna")
                                                    : QStringLiteral("niepoprawna"));
    }
    for (int c = ColumnFile; c <= ColumnChecksum; ++c) {
        list_->resizeColumnToContents(c);
        list_->setColumnWidth(c, list_->columnWidth(c) + 16); // a gap to the next column
    }
    const QString last = HostRegistry().readString(HostRegistry::ValueLastFile);
    selectFile(previous);
    if (!last.isEmpty()) selectFile(last);
    if (!list_->currentItem() && list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    updateActions();
    // A new application whose editor ended before it was saved has left its recovery
    // copy; "Nowy wniosek" offers it.
    const qsizetype left = RecoveryCopy::orphanedNewApplicationCopies().size();
    statusBar()->showMessage(
        QStringLiteral("Katalog wniosków: %1").arg(QDir::toNativeSeparators(folder_)) +
        (left ? QStringLiteral("   Niezapisane nowe wnioski: %1 – „Nowy wniosek” zaproponuje "
                               "ich przywrócenie.")
                    .arg(left)
              : QString()));
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
