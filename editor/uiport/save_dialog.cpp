#include "editor/uiport/save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace editor {

std::optional<QString> chooseSavePath(QWidget* parent, const QString& folder,
                                      const QString& proposed) {
    QFileDialog dialog(parent, QStringLiteral("Zapisz jako"));
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Wnioski - XML (*.xml)"));
    dialog.setDefaultSuffix(QStringLiteral("xml"));
    const QFileInfo name(proposed);
    dialog.setDirectory(name.isAbsolute() ? name.absolutePath() : folder);
    dialog.selectFile(name.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace editor
