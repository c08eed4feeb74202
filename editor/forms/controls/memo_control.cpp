#include "editor/forms/controls/memo_control.h"

#include "editor/forms/controls/spell_highlighter.h"
#include "platform/dataset/dataset.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace editor {

MemoControl::MemoControl(const ControlRow& row, UserInterface& ui, QWidget* parent)
    : DataControl(row, ui, parent), memo_(new QPlainTextEdit(this)), maxLength_(row.maxLength) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memo_);
    memo_->setObjectName(objectName() + QStringLiteral("_memo"));
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setTabChangesFocus(true);
    memo_->setMinimumHeight(row.height > 0 ? row.height : 80);
    if (row.height > 0) memo_->setMaximumHeight(row.height);
    setEditor(memo_);
    attachSpellCheck(memo_, SpellChecker::shared());
    connect(memo_, &QPlainTextEdit::textChanged, this, [this] {
        if (isPainting()) return;
        cutToLimit();
        userTyped();
    });
}

void MemoControl::bind(Binder* binder) {
    DataControl::bind(binder);
    if (maxLength_ == 0)
        if (const Field* f = link().field(); f && f->type() == FieldType::String)
            maxLength_ = f->size();
}

void MemoControl::cutToLimit() {
    if (maxLength_ <= 0) return;
    const QString text = memo_->toPlainText();
    if (text.size() <= maxLength_) return;
    const QSignalBlocker block(memo_);
    QTextCursor cursor = memo_->textCursor();
    const int position = std::min(cursor.position(), maxLength_);
    memo_->setPlainText(text.left(maxLength_));
    cursor = memo_->textCursor();
    cursor.setPosition(position);
    memo_->setTextCursor(cursor);
}

QString MemoControl::shownText() const {
    return memo_->toPlainText();
}

void MemoControl::showText(const QString& text) {
    memo_->setPlainText(text);
}

void MemoControl::applyReadOnly(bool readOnly) {
    // View mode shows the text as it is, without spelling marks.
    if (SpellHighlighter* spelling = spellHighlighterOf(memo_))
        spelling->setActive(!readOnly && !row().behaviour.testFlag(Behaviour::Disabled));
    if (row().behaviour.testFlag(Behaviour::Disabled)) {
        memo_->setEnabled(false);
        return;
    }
    // A read-only memo still scrolls.
    memo_->setReadOnly(readOnly);
    QPalette p = memo_->palette();
    p.setColor(QPalette::Base, readOnly ? readOnlyColour() : palette().color(QPalette::Base));
    memo_->setPalette(p);
}

bool MemoControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == memo_ && event->type() == QEvent::KeyPress && !memo_->isReadOnly()) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && row().behaviour.testFlag(Behaviour::SingleLine)) return true;
        const bool character = key->key() == Qt::Key_Backspace || enter ||
                               (!key->text().isEmpty() && key->text()[0].isPrint());
        if (character && row().behaviour.testFlag(Behaviour::LimitOnTyping) && maxLength_ > 0) {
            const bool replacesSelection =
                memo_->textCursor().hasSelection() && key->text() != QLatin1String(" ");
            if (!replacesSelection && memo_->toPlainText().size() >= maxLength_) return true;
        }
    }
    return DataControl::eventFilter(watched, event);
}

} // namespace editor
