#pragma once

// Polish spelling for the long texts of the form: Hunspell with the system's pl_PL
// dictionary, the names of the dictionary file (places, institutions) and the user's own
// word list. Codes, numbers, e-mail addresses, abbreviations in capitals and identifiers
// are never checked.
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <future>
#include <memory>
#include <vector>

class Hunspell;

namespace editor {

// A word of a text: where it starts and how long it is.
struct WordRange {
    int start = 0;
    int length = 0;
    bool operator==(const WordRange&) const = default;
};

// The dictionary is read in the background from construction on, so that the editor opens
// without waiting for it; until it is read no word counts as misspelt, and `loaded` asks the
// marks to be drawn again.
class SpellChecker : public QObject {
    Q_OBJECT
public:
    // The checker the editor shares: /usr/share/hunspell/pl_PL, the personal list in the
    // user's configuration folder.
    static SpellChecker& shared();
    // The personal word list: "Zelgor/slownik_uzytkownika.txt" in the configuration folder.
    static QString personalListPath();

    SpellChecker(const QString& dictionaryBase, const QString& personalList);
    ~SpellChecker() override;

    // False when there is no Hunspell dictionary to read: then no word is underlined.
    bool isAvailable() const { return hunspell_ != nullptr || loading_.valid(); }
    // Whether the dictionary has been read; waits for it (tests, benchmarks).
    bool isLoaded();
    void waitUntilLoaded();

    // The words of a text that are checked at all, and those of them nobody knows.
    static std::vector<WordRange> checkedWords(const QString& text);
    std::vector<WordRange> misspelt(const QString& text);
    bool isKnown(const QString& word);
    // Hunspell's suggestions, best first, at most `limit`.
    QStringList suggestions(const QString& word, int limit = 8);

    // Adds the word to the personal list (written through a temporary file); false when
    // the list cannot be written (the word still counts as known in this session).
    bool addToPersonalList(const QString& word);
    // Every name of the dictionary file counts as known; read once per file.
    void learnNamesFrom(const QString& dictionaryFile);
    // Forgets the answers remembered so far (after the known words changed).
    void clearCache() { cache_.clear(); }

signals:
    // The dictionary has been read: marks drawn before are out of date.
    void loaded();

private:
    bool takeLoaded(bool wait);
    std::string encode(const QString& word, bool* ok) const;
    QString decode(const std::string& bytes) const;

    std::unique_ptr<Hunspell> hunspell_;
    std::future<std::unique_ptr<Hunspell>> loading_;
    QByteArray encoding_;
    QString personalList_;
    QSet<QString> known_; // lower case: names and personal words
    QSet<QString> namesRead_;
    QHash<QString, bool> cache_;
};

} // namespace editor
