#include "editor/window/checksum_edit_link.h"

#include "platform/dataset/dataset.h"

#include <QLineEdit>

namespace editor {

ChecksumEditLink::ChecksumEditLink(DataSet& table, QLineEdit* edit) : table_(&table), edit_(edit) {
    table_->addObserver(this);
    refresh();
}

ChecksumEditLink::~ChecksumEditLink() {
    if (table_) table_->removeObserver(this);
}

void ChecksumEditLink::refresh() {
    const Field* sum = table_ ? table_->findField(QStringLiteral("suma_kontrolna")) : nullptr;
    const QString text =
        sum && table_->isActive() && !table_->isEmpty() ? sum->asString() : QString();
    if (edit_->text() != text) edit_->setText(text);
}

} // namespace editor
