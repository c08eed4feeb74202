#pragma once

#include "editor/help/help_book.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace help {

// The help window: the topics listed on the left (or, while a search is typed, the topics
// that hold its words, the most hits first), the chosen topic on the right with the words
// of the search marked.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(HelpBook book, QWidget* parent = nullptr);

    // Opens (or brings up) the one help window of the instruction in `folder` at a topic
    // (the first one when the book has no such topic). nullptr with a Polish reason when the
    // instruction cannot be read. The window belongs to `parent`'s window, so it also
    // works while that window is modal.
    static HelpWindow* open(const QString& folder, int topic, QWidget* parent,
                            QString* error = nullptr);

    void showTopic(int number);
    void search(const QString& query);
    int currentTopic() const { return current_; }
    const HelpBook& book() const { return book_; }

private:
    void fillIndex();
    void markWords();

    HelpBook book_;
    QLineEdit* searchEdit_;
    QListWidget* index_;
    QTextBrowser* browser_;
    QStringList words_;
    int current_ = 0;
};

} // namespace help
