#pragma once

// The module's instruction: one topic per help topic number of the section frames, kept as
// HTML files under wn_typy/pomoc/ beside the module (index.html lists the topics in order,
// temat_N.html holds topic N). The files are written at build time from the frame and rule
// tables; the help window, F1 and the PDF read them back through this class.
#include <QString>

#include <vector>

namespace help {

struct HelpTopic {
    int number = 0;
    QString title; // plain text
    QString body;  // HTML inside <body>
    QString text;  // the body as plain text, for the search
};

// One hit of a search: the topic and how often the words occur in it.
struct SearchHit {
    int topic = 0;
    int count = 0;
};

class HelpBook {
public:
    // The folder of the instruction inside a host folder, and its index file.
    static QString folderIn(const QString& hostFolder);
    static QString indexIn(const QString& hostFolder);

    void add(HelpTopic topic);
    const std::vector<HelpTopic>& topics() const { return topics_; }
    const HelpTopic* topic(int number) const;

    // Reads the folder written by save(); false with a Polish reason when it cannot.
    bool load(const QString& folder, QString* error = nullptr);
    // Writes index.html and one file per topic, each through a temporary file.
    bool save(const QString& folder, QString* error = nullptr) const;

    // The topics that hold every word of the query (letter case ignored), the most hits
    // first, ties in book order. An empty query finds nothing.
    std::vector<SearchHit> search(const QString& query) const;

    // One whole HTML page: a topic, or the index with links to the topics.
    QString topicPage(const HelpTopic& topic) const;
    QString indexPage() const;

    // The whole instruction as one PDF (A4, a title page and contents, one topic after
    // another), written to a temporary file and renamed. Needs a QGuiApplication.
    bool writePdf(const QString& path, QString* error = nullptr) const;

private:
    std::vector<HelpTopic> topics_;
};

// The words of a query as the search matches them.
QStringList searchWords(const QString& query);

} // namespace help
