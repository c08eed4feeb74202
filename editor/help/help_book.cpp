#include "editor/help/help_book.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>

namespace help {

namespace {

const char* const kStyle = "body { font-family: 'DejaVu Sans', sans-serif; }"
                           "h1 { font-size: 16pt; } h2 { font-size: 13pt; }"
                           "table.pola { border-collapse: collapse; }"
                           "table.pola td, table.pola th { border: 1px solid #999; padding: 3px; }"
                           "p.komunikat { color: #7a1010; }";

QString topicFileName(int number) {
    return QStringLiteral("temat_%1.html").arg(number);
}

QString page(const QString& title, const QString& body) {
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"pl\"><head><meta charset=\"utf-8\">"
                          "<title>%1</title><style>%2</style></head>\n<body>\n%3\n</body></html>\n")
        .arg(title.toHtmlEscaped(), QLatin1String(kStyle), body);
}

bool writeFile(const QString& path, const QString& text, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text.toUtf8());
        if (file.commit()) return true;
    }
    if (error) *error = QStringLiteral("Nie można zapisać pliku pomocy %1.").arg(path);
    return false;
}

QString plainText(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText();
}

} // namespace

QString HelpBook::folderIn(const QString& hostFolder) {
    return QDir(hostFolder).filePath(QStringLiteral("wn_typy/pomoc"));
}

QString HelpBook::indexIn(const QString& hostFolder) {
    return QDir(folderIn(hostFolder)).filePath(QStringLiteral("index.html"));
}

void HelpBook::add(HelpTopic topic) {
    if (topic.text.isEmpty()) topic.text = plainText(topic.body);
    topics_.push_back(std::move(topic));
}

const HelpTopic* HelpBook::topic(int number) const {
    for (const HelpTopic& t : topics_)
        if (t.number == number) return &t;
    return nullptr;
}

bool HelpBook::load(const QString& folder, QString* error) {
    topics_.clear();
    const QDir dir(folder);
    QFile index(dir.filePath(QStringLiteral("index.html")));
    if (!index.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Nie znaleziono pliku pomocy %1.").arg(index.fileName());
        return false;
    }
    static const QRegularExpression link(QStringLiteral("href=\"temat_(\\d+)\\.html\">([^<]*)<"));
    static const QRegularExpression body(
        QStringLiteral("<body>\\n?<h1>[^<]*</h1>\\n(.*)\\n</body>"),
        QRegularExpression::DotMatchesEverythingOption);
    const QString indexText = QString::fromUtf8(index.readAll());
    for (const QRegularExpressionMatch& m : link.globalMatch(indexText)) {
        const int number = m.captured(1).toInt();
        QFile file(dir.filePath(topicFileName(number)));
        if (!file.open(QIODevice::ReadOnly)) {
            if (error) *error = QStringLiteral("Brak pliku pomocy %1.").arg(file.fileName());
            topics_.clear();
            return false;
        }
        const QRegularExpressionMatch b = body.match(QString::fromUtf8(file.readAll()));
        add({number, plainText(m.captured(2)), b.hasMatch() ? b.captured(1) : QString(), {}});
    }
    if (topics_.empty()) {
        if (error)
            *error = QStringLiteral("Plik pomocy %1 nie zawiera tematów.").arg(index.fileName());
        return false;
    }
    return true;
}

bool HelpBook::save(const QString& folder, QString* error) const {
    if (!QDir().mkpath(folder)) {
        if (error) *error = QStringLiteral("Nie można utworzyć katalogu pomocy %1.").arg(folder);
        return false;
    }
    const QDir dir(folder);
    for (const HelpTopic& t : topics_)
        if (!writeFile(dir.filePath(topicFileName(t.number)), topicPage(t), error)) return false;
    return writeFile(dir.filePath(QStringLiteral("index.html")), indexPage(), error);
}

QStringList searchWords(const QString& query) {
    static const QRegularExpression separators(QStringLiteral("[^\\w@.-]+"));
    QStringList words = query.split(separators, Qt::SkipEmptyParts);
    for (QString& w : words)
        w = w.toLower();
    words.removeAll(QString());
    return words;
}

std::vector<SearchHit> HelpBook::search(const QString& query) const {
    const QStringList words = searchWords(query);
    std::vector<SearchHit> hits;
    if (words.isEmpty()) return hits;
    for (const HelpTopic& t : topics_) {
        const QString text = (t.title + u'\n' + t.text).toLower();
        int count = 0;
        bool all = true;
        for (const QString& w : words) {
            const int n = int(text.count(w));
            all = all && n > 0;
            count += n;
        }
        if (all) hits.push_back({t.number, count});
    }
    std::stable_sort(hits.begin(), hits.end(),
                     [](const SearchHit& a, const SearchHit& b) { return a.count > b.count; });
    return hits;
}

QString HelpBook::topicPage(const HelpTopic& topic) const {
    return page(topic.title,
                QStringLiteral("<h1>%1</h1>\n%2").arg(topic.title.toHtmlEscaped(), topic.body));
}

QString HelpBook::indexPage() const {
    QString list;
    for (const HelpTopic& t : topics_)
        list += QStringLiteral("<li><a href=\"%1\">%2</a></li>\n")
                    .arg(topicFileName(t.number), t.title.toHtmlEscaped());
    return page(QStringLiteral("Instrukcja wypełniania wniosku"),
                QStringLiteral("<h1>Instrukcja wypełniania wniosku</h1>\n<ul>\n%1</ul>").arg(list));
}

bool HelpBook::writePdf(const QString& path, QString* error) const {
    QString html = QStringLiteral("<h1>Instrukcja wypełniania wniosku</h1>"
                                  "<p>SPO Transport / EFRR - Standardowy wniosek</p><h2>Spis "
                                  "treści</h2><ol>");
    for (const HelpTopic& t : topics_)
        html += QStringLiteral("<li>%1</li>").arg(t.title.toHtmlEscaped());
    html += QStringLiteral("</ol>");
    for (const HelpTopic& t : topics_)
        html += QStringLiteral("<h1 style=\"page-break-before: always\">%1</h1>%2")
                    .arg(t.title.toHtmlEscaped(), t.body);
    QTextDocument document;
    document.setDefaultStyleSheet(QLatin1String(kStyle));
    document.setHtml(html);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = QStringLiteral("Nie można zapisać pliku %1.").arg(path);
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(QStringLiteral("Instrukcja wypełniania wniosku"));
        writer.setCreator(QStringLiteral("TOPAZ_Q"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        writer.setResolution(300);
        document.print(&writer);
    }
    if (!file.commit()) {
        if (error) *error = QStringLiteral("Nie można zapisać pliku %1.").arg(path);
        return false;
    }
    return true;
}

} // namespace help
