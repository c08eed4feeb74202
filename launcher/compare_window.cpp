#include "launcher/compare_window.h"

#include "editor/forms/frames/field_captions.h"
#include "file/application_file.h"
#include "file/host_settings.h"
#include "model/dm_main.h"
#include "platform/ui/headlessui.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>

namespace {

enum Column { ColumnSection, ColumnCaption, ColumnRow, ColumnOld, ColumnNew };

struct Loaded {
    HeadlessUi ui;
    std::unique_ptr<TdmDataSets> dm;
    std::unique_ptr<ApplicationFile> file;
    QString checksum;
};

QString rowText(const ApplicationDifference& d) {
    if (!d.listTable) return {};
    QString row =
        d.kind == ApplicationDifference::Inserted  ? QStringLiteral("%1 (dodany)").arg(d.newRow)
        : d.kind == ApplicationDifference::Deleted ? QStringLiteral("%1 (usunięty)").arg(d.oldRow)
        : d.oldRow == d.newRow                     ? QString::number(d.newRow)
                               : QStringLiteral("%1 (dawniej %2)").arg(d.newRow).arg(d.oldRow);
    if (!d.rowName.isEmpty()) row += QStringLiteral(" „%1”").arg(d.rowName);
    return row;
}

} // namespace

FileComparison compareFiles(const QString& older, const QString& newer) {
    FileComparison c{older, newer, {}, {}, {}, {}};
    HeadlessUi ui;
    auto dictionaries = TdmDataSets::create(ui, DataModuleOptions{});
    if (!dictionaries->SprawdzSlownik()) {
        c.error = QStringLiteral("Nie można wczytać słownika programu Zelgor.");
        return c;
    }
    const HostSettings settings = HostSettings::ReadHostSettings();
    Loaded sides[2];
    const QString paths[2] = {older, newer};
    for (int i = 0; i < 2; ++i) {
        DataModuleOptions options;
        options.dictionarySource = dictionaries.get();
        sides[i].dm = TdmDataSets::create(sides[i].ui, options);
        sides[i].dm->SprawdzSlownik();
        sides[i].file = std::make_unique<ApplicationFile>(*sides[i].dm, sides[i].ui, settings);
        sides[i].file->Silent = true;
        sides[i].file->OpenApplicationFile(paths[i]);
        if (sides[i].file->LoadFailed) {
            c.error = QStringLiteral("Plik %1 jest uszkodzony, nie można go porównać.")
                          .arg(QFileInfo(paths[i]).fileName());
            return c;
        }
        sides[i].checksum = sides[i].file->VerifyChecksum()
                                ? QStringLiteral("suma kontrolna poprawna")
                                : QStringLiteral("suma kontrolna niepoprawna");
    }
    c.olderChecksum = sides[0].checksum;
    c.newerChecksum = sides[1].checksum;
    c.differences = compareApplications(*sides[0].dm, *sides[1].dm, editor::diffCaptions());
    return c;
}

CompareWindow::CompareWindow(const FileComparison& comparison, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfmPorownanie"));
    setWindowTitle(QStringLiteral("Porównanie wniosków"));
    resize(1000, 480);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(
        QStringLiteral("Starszy: %1 (%2)\nNowszy: %3 (%4)\n%5")
            .arg(QFileInfo(comparison.older).fileName(), comparison.olderChecksum,
                 QFileInfo(comparison.newer).fileName(), comparison.newerChecksum,
                 comparison.differences.empty()
                     ? QStringLiteral("Wnioski się nie różnią.")
                     : QStringLiteral("Różnice: %1. Dwukrotne kliknięcie otwiera nowszy wniosek "
                                      "do podglądu.")
                           .arg(comparison.differences.size())),
        this);
    heading->setObjectName(QStringLiteral("lbPliki"));
    layout->addWidget(heading);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("lvRoznice"));
    list_->setAccessibleName(QStringLiteral("Różnice"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({QStringLiteral("Sekcja"), QStringLiteral("Pole"),
                            QStringLiteral("Wiersz"), QStringLiteral("Było"),
                            QStringLiteral("Jest")});
    for (const ApplicationDifference& d : comparison.differences) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(ColumnSection, d.place.section);
        item->setText(ColumnCaption, d.field.isEmpty() ? QString() : d.place.caption);
        item->setText(ColumnRow, rowText(d));
        item->setText(ColumnOld, d.oldValue);
        item->setText(ColumnNew, d.newValue);
        for (int c = ColumnSection; c <= ColumnNew; ++c)
            item->setToolTip(c, item->text(c));
        // A deleted row is shown at the list; the newer file lacks it.
        const HostShowPlace place{QFileInfo(comparison.newer).absoluteFilePath(), d.table, d.field,
                                  d.place.control, d.newRow};
        item->setData(ColumnSection, Qt::UserRole, place.toText());
    }
    list_->header()->resizeSections(QHeaderView::ResizeToContents);
    for (int c = ColumnSection; c <= ColumnNew; ++c)
        list_->setColumnWidth(c, std::min(list_->columnWidth(c) + 12, 320));
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        emit openRequested(
            HostShowPlace::fromText(item->data(ColumnSection, Qt::UserRole).toString()));
    });
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Zamknij"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}
