#include "editor/forms/controls/data_control.h"

#include "editor/forms/binding/binder.h"
#include "editor/window/focus_control.h"
#include "platform/dataset/dataset.h"
#include "platform/ui/userinterface.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

namespace editor {

QColor readOnlyColour() {
    return QColor(0xD4, 0xD0, 0xC8);
}

DataControl::DataControl(const ControlRow& row, UserInterface& ui, QWidget* parent)
    : QWidget(parent), row_(row), ui_(ui) {
    setObjectName(QLatin1String(row.name));
    setAccessibleName(row.label);
}

QString DataControl::tableName() const {
    return row_.table ? QLatin1String(row_.table) : QString();
}

void DataControl::setEditor(QWidget* editor) {
    editor_ = editor;
    setFocusProxy(editor);
    editor->setAccessibleName(row_.label);
    editor->installEventFilter(this);
}

void DataControl::bind(Binder* binder) {
    link_.attach(binder, row_.field ? QLatin1String(row_.field) : QString());
    binder->add(this);
    refresh(nullptr);
}

bool DataControl::isBoundTo(const QString& table, const QString& field) const {
    if (!row_.table || table.compare(QLatin1String(row_.table), Qt::CaseInsensitive) != 0)
        return false;
    if (standsForTable()) return true;
    return row_.field && field.compare(QLatin1String(row_.field), Qt::CaseInsensitive) == 0;
}

QString DataControl::fieldText(const Field& field) const {
    return field.asString();
}

bool DataControl::storeText(const QString& text, QString&) {
    return link_.writeText(text, ui_);
}

void DataControl::applyReadOnly(bool readOnly) {
    if (editor_) editor_->setEnabled(!readOnly);
}

void DataControl::setViewOnly(bool on) {
    viewOnly_ = on;
    updateReadOnly();
}

void DataControl::updateReadOnly() {
    const bool bound = row_.field != nullptr;
    const bool ro = viewOnly_ ||
                    row_.behaviour.testAnyFlags(Behaviour::ReadOnly | Behaviour::Disabled) ||
                    (bound && !link_.writable());
    if (ro == readOnly_ && readOnlyApplied_) return;
    readOnly_ = ro;
    readOnlyApplied_ = true;
    applyReadOnly(ro);
}

void DataControl::refresh(const Field*) {
    updateReadOnly();
    if (link_.isWriting() || dirty_) return;
    const Field* f = link_.field();
    const bool hasRow = f && f->dataSet()->isActive() &&
                        (f->dataSet()->recordCount() > 0 || f->dataSet()->isEditing());
    const QString text = hasRow ? fieldText(*f) : QString();
    if (text == shownText()) return;
    painting_ = true;
    showText(text);
    painting_ = false;
}

void DataControl::userTyped() {
    if (painting_) return;
    if (writesWhileTyping() && !check_) {
        QString refusal;
        storeText(shownText(), refusal);
        return;
    }
    dirty_ = true;
    // As the first key of a data-aware edit does: the record is being edited from now on,
    // so the record bar offers to post or cancel it.
    DataSet* t = link_.table();
    if (t && t->state() == DataSetState::Browse && t->recordCount() > 0 && !readOnly_) {
        try {
            t->edit();
        } catch (const DataSetError&) {
            // A table that cannot be edited keeps the text until it is left.
        }
    }
}

bool DataControl::storeNow(const QVariant& value) {
    if (painting_) return false;
    const bool ok = link_.write(value, ui_);
    refresh(nullptr);
    return ok;
}

bool DataControl::commit() {
    if (!link_.field()) return true;
    if (dirty_) {
        const QString text = shownText();
        if (check_) {
            const InputVerdict verdict = check_(checkedText());
            if (!verdict.accept) {
                refuse(verdict.message);
                return false;
            }
        }
        QString refusal;
        if (!storeText(text, refusal)) {
            if (!refusal.isEmpty()) {
                refuse(refusal);
                return false;
            }
        }
        dirty_ = false;
    }
    const bool posted = link_.post(ui_);
    refresh(nullptr);
    return posted;
}

// The message and the focus wait until the focus change that triggered the check is over.
// The focus comes back also when the change went to another page: that page is left again.
void DataControl::refuse(const QString& message) {
    QPointer<DataControl> self(this);
    QTimer::singleShot(0, this, [self, message] {
        if (!self) return;
        // A pop-up opened by the click that left this control (another date's calendar)
        // closes without a choice, so that the focus can come back here.
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        self->ui_.errorDialog(message);
        if (self && self->editor_) focusControlAfterRefusal(self->editor_);
        if (self) emit self->refused(message);
    });
}

// Another control's refusal takes the focus from this one: a text that holds is stored, one
// that would be refused is dropped without a message of its own (the user is reading the
// other refusal), and the record is not posted, which could refuse again.
void DataControl::leftForRefusal() {
    if (!dirty_ || !link_.field()) return;
    QString refusal;
    if ((!check_ || check_(checkedText()).accept) && storeText(shownText(), refusal)) {
        dirty_ = false;
        refresh(nullptr);
    } else {
        restore();
    }
}

DataControl* DataControl::focused() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (auto* c = qobject_cast<DataControl*>(w)) return c;
    return nullptr;
}

bool DataControl::restore() {
    const Field* f = link_.field();
    if (!f) return false;
    bool changed = dirty_;
    dirty_ = false;
    if (writesWhileTyping() && !check_ && fieldText(*f) != textOnEnter_) {
        QString refusal;
        storeText(textOnEnter_, refusal);
        changed = true;
    }
    const QString stored = fieldText(*f);
    if (stored != shownText()) {
        painting_ = true;
        showText(stored);
        painting_ = false;
        changed = true;
    }
    return changed;
}

bool DataControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_) {
        switch (event->type()) {
        case QEvent::FocusIn: {
            const Field* f = link_.field();
            textOnEnter_ = f ? fieldText(*f) : QString();
            entered();
            break;
        }
        case QEvent::EnabledChange:
            // A rule disables the control while it holds a refused text: that text can be
            // neither corrected nor stored, so the control shows the stored value again.
            if (!editor_->isEnabled() && dirty_) restore();
            break;
        case QEvent::FocusOut: {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // A popup, a message box or another window takes the focus only for a while.
            if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) break;
            // Nor does the control's own pop-up (an opened list takes the focus twice).
            if (const QWidget* gaining = QApplication::focusWidget();
                focused() == this && gaining && gaining->window()->windowType() == Qt::Popup)
                break;
            // During the focus change the application's focus widget is the one that gains it.
            if (refusalTakesFocusTo(QApplication::focusWidget())) {
                leftForRefusal();
                break;
            }
            commit();
            left();
            break;
        }
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && restore()) return true;
            break;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace editor
