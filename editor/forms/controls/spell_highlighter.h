#pragma once

#include "editor/forms/controls/spell_checker.h"

#include <QSyntaxHighlighter>

class QLineEdit;
class QMenu;
class QPlainTextEdit;

namespace editor {

// Underlines the words of a document that the spell checker does not know, with a red
// wavy line; nothing while inactive (view mode).
class SpellHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    // `quiet`: the edit whose signals stay silent while the marks alone are drawn again (a
    // format change would otherwise read as typing).
    SpellHighlighter(QTextDocument* document, SpellChecker& checker, QObject* quiet = nullptr);
    void setActive(bool active);
    // Draws the marks again without a text change being reported.
    void refresh();
    bool isActive() const { return active_; }
    SpellChecker& checker() const { return checker_; }

protected:
    void highlightBlock(const QString& text) override;

private:
    SpellChecker& checker_;
    QObject* quiet_;
    bool active_ = true;
};

// The same for a one-line edit. A line edit draws formats only for input-method text, so
// the marks go in as the formats of an empty input-method event, renewed with every change
// of the text or the cursor.
class LineSpellMarker : public QObject {
    Q_OBJECT
public:
    LineSpellMarker(QLineEdit* edit, SpellChecker& checker);
    void setActive(bool active);
    bool isActive() const { return active_; }
    // The words marked now.
    QStringList markedWords() const;
    // The edit's context menu for a point, with the spelling entries (owned by the caller).
    QMenu* contextMenu(const QPoint& position);

private:
    void mark();

    QLineEdit* edit_;
    SpellChecker& checker_;
    std::vector<WordRange> marked_;
    bool active_ = true;
    bool marking_ = false;
};

// Gives a text edit spell checking: the highlighter, and a context menu that offers the
// suggestions for the word under the mouse and "Dodaj do słownika" above the usual entries.
SpellHighlighter* attachSpellCheck(QPlainTextEdit* edit, SpellChecker& checker);
// The edit's highlighter, if it has one.
SpellHighlighter* spellHighlighterOf(QPlainTextEdit* edit);
// The marker of a line edit, if it has one.
LineSpellMarker* spellMarkerOf(QLineEdit* edit);
// The context menu for a point of the edit (owned by the caller).
QMenu* spellContextMenu(QPlainTextEdit* edit, const QPoint& position);

} // namespace editor
