#include "editor/forms/binding/binder.h"

#include "editor/forms/controls/data_control.h"
#include "platform/dataset/dataset.h"

namespace editor {

Binder::Binder(DataSet& table, QObject* parent) : QObject(parent), table_(&table) {
    setObjectName(QStringLiteral("binder_") + table.name());
    table_->addObserver(this);
}

Binder::~Binder() {
    if (table_) table_->removeObserver(this);
}

Binder* Binder::forTable(QObject* owner, DataSet& table) {
    const QString name = QStringLiteral("binder_") + table.name();
    for (Binder* b : owner->findChildren<Binder*>(name, Qt::FindDirectChildrenOnly))
        if (b->table() == &table) return b;
    return new Binder(table, owner);
}

void Binder::add(DataControl* control) {
    controls_.append(control);
}

void Binder::dataSetDestroyed(DataSet&) {
    table_ = nullptr;
}

void Binder::refreshAll(const Field* changed) {
    if (!table_) return;
    // A copy: a repaint may build or drop controls.
    const QList<QPointer<DataControl>> controls = controls_;
    for (const QPointer<DataControl>& c : controls)
        if (c) c->refresh(changed);
}

} // namespace editor
