#include "editor/forms/controls/spell_highlighter.h"

#include <QAction>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace editor {

SpellHighlighter::SpellHighlighter(QTextDocument* document, SpellChecker& checker, QObject* quiet)
    : QSyntaxHighlighter(document), checker_(checker), quiet_(quiet) {
    setObjectName(QStringLiteral("spellHighlighter"));
    connect(&checker, &SpellChecker::loaded, this, &SpellHighlighter::refresh);
}

void SpellHighlighter::setActive(bool active) {
    if (active_ == active) return;
    active_ = active;
    refresh();
}

void SpellHighlighter::refresh() {
    const QSignalBlocker silence(quiet_);
    rehighlight();
}

void SpellHighlighter::highlightBlock(const QString& text) {
    if (!active_) return;
    QTextCharFormat wrong;
    wrong.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    wrong.setUnderlineColor(Qt::red);
    for (const WordRange& w : checker_.misspelt(text))
        setFormat(w.start, w.length, wrong);
}

SpellHighlighter* spellHighlighterOf(QPlainTextEdit* edit) {
    return edit->document()->findChild<SpellHighlighter*>(QStringLiteral("spellHighlighter"),
                                                          Qt::FindDirectChildrenOnly);
}

namespace {

// Puts the suggestions for the word at `offset` of `text` and "Dodaj do słownika" on top
// of the menu. `replace` puts a suggestion in place of the word, `added` follows the word
// into the personal list.
void addSpellingEntries(QMenu* menu, SpellChecker& checker, const QString& text, int offset,
                        const std::function<void(WordRange, const QString&)>& replace,
                        const std::function<void()>& added) {
    for (const WordRange& w : checker.misspelt(text)) {
        if (offset < w.start || offset > w.start + w.length) continue;
        const QString word = text.mid(w.start, w.length);
        QAction* first = menu->actions().value(0);
        const QStringList suggestions = checker.suggestions(word);
        for (const QString& s : suggestions) {
            auto* action = new QAction(s, menu);
            action->setObjectName(QStringLiteral("spellSuggestion"));
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            QObject::connect(action, &QAction::triggered, menu, [replace, w, s] { replace(w, s); });
            menu->insertAction(first, action);
        }
        if (suggestions.isEmpty()) {
            auto* none = new QAction(QStringLiteral("(brak podpowiedzi)"), menu);
            none->setEnabled(false);
            menu->insertAction(first, none);
        }
        auto* add = new QAction(QStringLiteral("Dodaj do słownika"), menu);
        add->setObjectName(QStringLiteral("spellAddWord"));
        QObject::connect(add, &QAction::triggered, menu, [&checker, word, added] {
            checker.addToPersonalList(word);
            added();
        });
        menu->insertAction(first, add);
        menu->insertSeparator(first);
        return;
    }
}

} // namespace

QMenu* spellContextMenu(QPlainTextEdit* edit, const QPoint& position) {
    QMenu* menu = edit->createStandardContextMenu(position);
    SpellHighlighter* highlighter = spellHighlighterOf(edit);
    if (!highlighter || !highlighter->isActive() || edit->isReadOnly()) return menu;
    const QTextCursor at = edit->cursorForPosition(position);
    const QTextBlock block = at.block();
    const int blockStart = block.position();
    addSpellingEntries(
        menu, highlighter->checker(), block.text(), at.position() - blockStart,
        [edit, blockStart](WordRange w, const QString& s) {
            QTextCursor c(edit->document());
            c.setPosition(blockStart + w.start);
            c.setPosition(blockStart + w.start + w.length, QTextCursor::KeepAnchor);
            c.insertText(s);
        },
        [highlighter] { highlighter->refresh(); });
    return menu;
}

LineSpellMarker::LineSpellMarker(QLineEdit* edit, SpellChecker& checker)
    : QObject(edit), edit_(edit), checker_(checker) {
    setObjectName(QStringLiteral("spellMarker"));
    connect(&checker, &SpellChecker::loaded, this, &LineSpellMarker::mark);
    connect(edit, &QLineEdit::textChanged, this, &LineSpellMarker::mark);
    connect(edit, &QLineEdit::cursorPositionChanged, this, &LineSpellMarker::mark);
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edit, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        QMenu* menu = contextMenu(position);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(edit_->mapToGlobal(position));
    });
}

void LineSpellMarker::setActive(bool active) {
    active_ = active;
    mark();
}

QStringList LineSpellMarker::markedWords() const {
    QStringList words;
    for (const WordRange& w : marked_)
        words << edit_->text().mid(w.start, w.length);
    return words;
}

void LineSpellMarker::mark() {
    if (marking_ || edit_->isReadOnly()) return;
    marking_ = true;
    marked_ = active_ ? checker_.misspelt(edit_->text()) : std::vector<WordRange>{};
    QTextCharFormat wrong;
    wrong.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    wrong.setUnderlineColor(Qt::red);
    QList<QInputMethodEvent::Attribute> formats;
    for (const WordRange& w : marked_)
        formats << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat,
                                                w.start - edit_->cursorPosition(), w.length, wrong);
    QInputMethodEvent event(QString(), formats);
    QCoreApplication::sendEvent(edit_, &event);
    marking_ = false;
}

QMenu* LineSpellMarker::contextMenu(const QPoint& position) {
    QMenu* menu = edit_->createStandardContextMenu();
    if (!active_ || edit_->isReadOnly()) return menu;
    QLineEdit* edit = edit_;
    addSpellingEntries(
        menu, checker_, edit->text(), edit->cursorPositionAt(position),
        [edit](WordRange w, const QString& s) {
            edit->setSelection(w.start, w.length);
            edit->insert(s);
        },
        [this] {
            checker_.clearCache();
            mark();
        });
    return menu;
}

LineSpellMarker* spellMarkerOf(QLineEdit* edit) {
    return edit->findChild<LineSpellMarker*>(QStringLiteral("spellMarker"),
                                             Qt::FindDirectChildrenOnly);
}

SpellHighlighter* attachSpellCheck(QPlainTextEdit* edit, SpellChecker& checker) {
    auto* highlighter = new SpellHighlighter(edit->document(), checker, edit);
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(edit, &QWidget::customContextMenuRequested, edit,
                     [edit](const QPoint& position) {
                         QMenu* menu = spellContextMenu(edit, position);
                         menu->setAttribute(Qt::WA_DeleteOnClose);
                         menu->popup(edit->viewport()->mapToGlobal(position));
                     });
    return highlighter;
}

} // namespace editor
