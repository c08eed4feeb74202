#include "editor/help/help_window.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

namespace help {

HelpWindow::HelpWindow(HelpBook book, QWidget* parent)
    : QWidget(parent, Qt::Window), book_(std::move(book)), searchEdit_(new QLineEdit(this)),
      index_(new QListWidget(this)), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("Pomoc - Instrukcja wypełniania wniosku"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(980, 680);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto* searchLabel = new QLabel(QStringLiteral("&Szukaj:"), left);
    searchLabel->setBuddy(searchEdit_);
    searchEdit_->setObjectName(QStringLiteral("helpSearch"));
    searchEdit_->setAccessibleName(QStringLiteral("Szukaj w pomocy"));
    searchEdit_->setPlaceholderText(QStringLiteral("słowa do znalezienia"));
    searchEdit_->setClearButtonEnabled(true);
    index_->setObjectName(QStringLiteral("helpIndex"));
    index_->setAccessibleName(QStringLiteral("Spis tematów"));
    leftLayout->addWidget(searchLabel);
    leftLayout->addWidget(searchEdit_);
    leftLayout->addWidget(index_, 1);

    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setAccessibleName(QStringLiteral("Temat pomocy"));
    browser_->setOpenLinks(false);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 680});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    connect(searchEdit_, &QLineEdit::textChanged, this, &HelpWindow::search);
    connect(index_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) showTopic(item->data(Qt::UserRole).toInt());
    });
    connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        static const QRegularExpression topicFile(QStringLiteral("temat_(\\d+)\\.html"));
        const QRegularExpressionMatch m = topicFile.match(url.toString());
        if (m.hasMatch()) showTopic(m.captured(1).toInt());
    });
    fillIndex();
}

HelpWindow* HelpWindow::open(const QString& folder, int topic, QWidget* parent, QString* error) {
    static QPointer<HelpWindow> window;
    QWidget* owner = parent ? parent->window() : QApplication::activeModalWidget();
    if (window && window->parentWidget() != owner) {
        window->close(); // deleted later; a new one belongs to the new owner
        window = nullptr;
    }
    if (!window) {
        HelpBook book;
        if (!book.load(folder, error)) return nullptr;
        window = new HelpWindow(std::move(book), owner);
    }
    window->showTopic(topic);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void HelpWindow::fillIndex() {
    const QSignalBlocker block(index_);
    index_->clear();
    if (words_.isEmpty()) {
        for (const HelpTopic& t : book_.topics()) {
            auto* item = new QListWidgetItem(t.title, index_);
            item->setData(Qt::UserRole, t.number);
        }
    } else {
        for (const SearchHit& hit : book_.search(words_.join(u' '))) {
            auto* item = new QListWidgetItem(
                QStringLiteral("%1 (%2)").arg(book_.topic(hit.topic)->title).arg(hit.count),
                index_);
            item->setData(Qt::UserRole, hit.topic);
        }
        if (index_->count() == 0)
            new QListWidgetItem(QStringLiteral("Nie znaleziono: %1").arg(words_.join(u' ')),
                                index_);
    }
    for (int i = 0; i < index_->count(); ++i)
        if (index_->item(i)->data(Qt::UserRole).toInt() == current_) index_->setCurrentRow(i);
}

void HelpWindow::search(const QString& query) {
    words_ = searchWords(query);
    fillIndex();
    if (index_->count() > 0 && index_->item(0)->data(Qt::UserRole).toInt() > 0)
        index_->setCurrentRow(0); // the best hit is shown
    markWords();
}

void HelpWindow::showTopic(int number) {
    const HelpTopic* topic = book_.topic(number);
    if (!topic && !book_.topics().empty()) topic = &book_.topics().front();
    if (!topic) return;
    if (current_ != topic->number) {
        current_ = topic->number;
        browser_->setHtml(book_.topicPage(*topic));
    }
    for (int i = 0; i < index_->count(); ++i)
        if (index_->item(i)->data(Qt::UserRole).toInt() == current_) {
            const QSignalBlocker block(index_);
            index_->setCurrentRow(i);
        }
    markWords();
}

// Every occurrence of the search words gets a yellow background; the first is scrolled to.
void HelpWindow::markWords() {
    QList<QTextEdit::ExtraSelection> marks;
    QTextDocument* document = browser_->document();
    for (const QString& word : words_) {
        QTextCursor cursor(document);
        while (!(cursor = document->find(word, cursor)).isNull()) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = cursor;
            mark.format.setBackground(QColor(0xFF, 0xE0, 0x40));
            marks.append(mark);
        }
    }
    browser_->setExtraSelections(marks);
    if (!marks.isEmpty()) {
        QTextCursor first = marks.first().cursor;
        first.clearSelection();
        browser_->setTextCursor(first);
        browser_->ensureCursorVisible();
    }
}

} // namespace help
