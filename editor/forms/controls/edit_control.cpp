#include "editor/forms/controls/edit_control.h"

#include "editor/forms/controls/spell_highlighter.h"
#include "platform/dataset/dataset.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

namespace editor {

EditControl::EditControl(const ControlRow& row, UserInterface& ui, QWidget* parent)
    : DataControl(row, ui, parent), edit_(new QLineEdit(this)),
      mask_(EditMask::parse(row.mask ? QLatin1String(row.mask) : QString())) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit_);
    edit_->setObjectName(objectName() + QStringLiteral("_edit"));
    if (!mask_.isEmpty()) edit_->setInputMask(mask_.inputMask);
    if (row.maxLength > 0) edit_->setMaxLength(row.maxLength);
    setEditor(edit_);
    // Free text is spell-checked; masked codes and texts typed in capitals are not.
    if (mask_.isEmpty() && !row.behaviour.testAnyFlags(Behaviour::Disabled | Behaviour::ReadOnly |
                                                       Behaviour::UpperCaseTyping))
        new LineSpellMarker(edit_, SpellChecker::shared());
    connect(edit_, &QLineEdit::textEdited, this, [this] { userTyped(); });
    connect(edit_, &QLineEdit::returnPressed, this, [this] { commit(); });
}

void EditControl::bind(Binder* binder) {
    DataControl::bind(binder);
    if (row().maxLength == 0 && mask_.isEmpty())
        if (const Field* f = link().field(); f && f->type() == FieldType::String)
            edit_->setMaxLength(f->size());
}

QString EditControl::shownText() const {
    return mask_.isEmpty() ? edit_->text() : mask_.storedText(edit_->displayText());
}

QString EditControl::checkedText() const {
    return mask_.maskText(edit_->displayText());
}

void EditControl::showText(const QString& text) {
    edit_->setText(text);
    edit_->setCursorPosition(0);
}

void EditControl::applyReadOnly(bool readOnly) {
    // View mode shows the text as it is, without spelling marks.
    LineSpellMarker* spelling = spellMarkerOf(edit_);
    if (spelling && readOnly) spelling->setActive(false);
    if (isViewOnly() || row().behaviour.testFlag(Behaviour::Disabled) || !row().field) {
        edit_->setEnabled(!readOnly);
    } else {
        edit_->setEnabled(true);
        edit_->setReadOnly(readOnly);
        QPalette p = edit_->palette();
        p.setColor(QPalette::Base, readOnly ? readOnlyColour() : palette().color(QPalette::Base));
        edit_->setPalette(p);
    }
    if (spelling && !readOnly) spelling->setActive(true);
}

namespace {

// Each character as the first character of its capital form ("ß" stays one character).
QString capitals(const QString& text) {
    QString out;
    for (const QChar c : text)
        out += QLocale().toUpper(QString(c)).left(1);
    return out;
}

} // namespace

// Typed text goes on as capitals, from keys and from input methods (composed letters); the
// capitals pass here unchanged.
bool EditControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && row().behaviour.testFlag(Behaviour::UpperCaseTyping)) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const QString typed = key->text();
            if (typed.size() == 1 && typed[0].isPrint() && capitals(typed) != typed) {
                QKeyEvent upper(QEvent::KeyPress, key->key(), key->modifiers(), capitals(typed),
                                key->isAutoRepeat(), ushort(key->count()));
                QCoreApplication::sendEvent(edit_, &upper);
                return true;
            }
        } else if (event->type() == QEvent::InputMethod) {
            auto* input = static_cast<QInputMethodEvent*>(event);
            const QString typed = input->commitString();
            if (capitals(typed) != typed) {
                QInputMethodEvent upper(input->preeditString(), input->attributes());
                upper.setCommitString(capitals(typed), input->replacementStart(),
                                      input->replacementLength());
                QCoreApplication::sendEvent(edit_, &upper);
                return true;
            }
        }
    }
    return DataControl::eventFilter(watched, event);
}

} // namespace editor
