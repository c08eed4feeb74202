#include "editor/forms/controls/lookup_control.h"

#include "editor/forms/binding/binder.h"
#include "platform/dataset/dataset.h"
#include "platform/utils/dictionaryfilter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>

namespace editor {

LookupControl::LookupControl(const ControlRow& row, UserInterface& ui, QWidget* parent)
    : DataControl(row, ui, parent), combo_(new QComboBox(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(combo_);
    combo_->setObjectName(objectName() + QStringLiteral("_list"));
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo_->setMinimumContentsLength(20);
    setEditor(combo_);
    connect(combo_, &QComboBox::activated, this, &LookupControl::picked);
}

void LookupControl::bind(Binder* binder) {
    // The key field is written; the lookup field only names the binding.
    if (DataSet* t = binder->table())
        if (const Field* lookup = t->findField(QLatin1String(row().field)))
            keyLink_.attach(binder, lookup->definition().keyField);
    DataControl::bind(binder);
}

void LookupControl::setDictionary(DataSet* dictionary, DataSet* parentTable) {
    dictionary_ = dictionary;
    parentTable_ = parentTable;
    reloadList();
}

const Field* LookupControl::keyField() const {
    return keyLink_.field();
}

void LookupControl::reloadList() {
    const QString current = shownText();
    const QSignalBlocker block(combo_);
    combo_->clear();
    const Field* lookup = link().field();
    if (!dictionary_ || !lookup || !dictionary_->isActive()) return;
    const FieldDef& def = lookup->definition();
    const Field* key = dictionary_->findField(def.lookupKeyField);
    const Field* name = dictionary_->findField(def.lookupResultField);
    if (!key || !name) return;
    for (int r = 1; r <= dictionary_->recordCount(); ++r)
        combo_->addItem(dictionary_->valueAt(r, *name).toString(),
                        dictionary_->valueAt(r, *key).toString());
    combo_->setCurrentIndex(combo_->findData(current));
    combo_->setToolTip(combo_->currentIndex() >= 0 ? combo_->currentText()
                                                   : combo_->placeholderText());
    // The opened list is as wide as its longest name, so no name in it is cut.
    combo_->view()->setMinimumWidth(combo_->view()->sizeHintForColumn(0) + 24);
}

QString LookupControl::fieldText(const Field&) const {
    const Field* key = keyField();
    return key ? key->asString() : QString();
}

QString LookupControl::shownText() const {
    return combo_->currentIndex() >= 0 ? combo_->currentData().toString() : QString();
}

void LookupControl::showText(const QString& key) {
    int index = combo_->findData(key);
    if (index < 0 && !key.isEmpty()) {
        reloadList();
        index = combo_->findData(key);
    }
    combo_->setCurrentIndex(index);
    // A value the list does not offer now (another level's filter) still shows its name.
    const Field* lookup = link().field();
    combo_->setPlaceholderText(index < 0 && lookup ? lookup->asString() : QString());
    // A long name the box cuts can still be read whole.
    combo_->setToolTip(index >= 0 ? combo_->currentText() : combo_->placeholderText());
}

void LookupControl::applyReadOnly(bool readOnly) {
    combo_->setEnabled(!readOnly);
}

void LookupControl::picked(int index) {
    if (index < 0 || isReadOnly()) return;
    keyLink_.writeText(combo_->itemData(index).toString(), ui());
    refresh(nullptr);
}

void LookupControl::entered() {
    if (!dictionary_) return;
    const Cascade& c = row().cascade;
    if (c.isSet() && parentTable_) {
        const Field* parent = parentTable_->findField(QLatin1String(c.parentField));
        Utils::setDictionaryFilter(*dictionary_, QLatin1String(c.keyField),
                                   parent ? parent->asString() : QString(), true);
    } else if (row().enterFilter) {
        savedFilter_ = dictionary_->filter();
        savedFiltered_ = dictionary_->isFiltered();
        dictionary_->setFiltered(false);
        dictionary_->setFilter(QLatin1String(row().enterFilter));
        dictionary_->setFiltered(true);
    }
    // A message box may take the focus and the page change behind it: the focus then lands
    // elsewhere in the window without leaving this list, and the dictionary, shared with
    // other lists and lookups, would stay filtered. Any focus elsewhere in the window ends it.
    if ((c.isSet() && parentTable_) || row().enterFilter) {
        QObject::disconnect(focusWatch_);
        focusWatch_ =
            connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
                if (!now || now->window() != combo_->window() || now == combo_ ||
                    combo_->isAncestorOf(now))
                    return;
                releaseFilter();
                reloadList();
                refresh(nullptr);
            });
    }
    reloadList();
}

void LookupControl::left() {
    combo_->hidePopup(); // an open list would offer entries outside the filter
    if (!dictionary_) return;
    releaseFilter();
    reloadList();
    refresh(nullptr);
}

void LookupControl::releaseFilter() {
    QObject::disconnect(focusWatch_);
    if (row().cascade.isSet()) {
        Utils::setDictionaryFilter(*dictionary_, QString(), QString(), false);
    } else if (row().enterFilter) {
        dictionary_->setFiltered(false);
        dictionary_->setFilter(QString());
    }
}

bool LookupControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == combo_ && event->type() == QEvent::KeyPress && !isReadOnly()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            keyLink_.write(QVariant(), ui());
            refresh(nullptr);
            return true;
        }
    }
    return DataControl::eventFilter(watched, event);
}

} // namespace editor
