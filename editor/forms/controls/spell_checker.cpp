#include "editor/forms/controls/spell_checker.h"

#include "platform/xmldom/xmldocument.h"
#include "platform/xmldom/xmlelement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>
#include <QStandardPaths>

#include <hunspell/hunspell.hxx>

#include <iconv.h>

namespace editor {

namespace {

// Converts between UTF-8 and the dictionary's encoding; false when a character has no
// place in the target.
bool convert(const char* to, const char* from, const QByteArray& in, QByteArray& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) return false;
    out.resize(in.size() * 4 + 4);
    char* inPtr = const_cast<char*>(in.constData());
    size_t inLeft = size_t(in.size());
    char* outPtr = out.data();
    size_t outLeft = size_t(out.size());
    const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == size_t(-1)) return false;
    out.resize(out.size() - qsizetype(outLeft));
    return true;
}

bool isTrimmed(QChar c) {
    return !c.isLetterOrNumber() && c != u'@' && c != u'_';
}

bool hasLowerThenUpper(const QString& word) {
    for (int i = 1; i < word.size(); ++i)
        if (word[i].isUpper() && word[i - 1].isLower()) return true;
    return false;
}

// A token that is no Polish text: a number, a code, an e-mail or web address, a path or
// an identifier.
bool isCodeLike(QStringView token) {
    for (QChar c : token)
        if (c.isDigit() || c == u'@' || c == u'_' || c == u'/' || c == u'\\' || c == u'=' ||
            c == u'#' || c == u'&' || c == u'%')
            return true;
    return token.startsWith(u"www.", Qt::CaseInsensitive) || token.contains(u'.') ||
           token.contains(u':');
}

} // namespace

SpellChecker& SpellChecker::shared() {
    static SpellChecker checker(QStringLiteral("/usr/share/hunspell/pl_PL"), personalListPath());
    return checker;
}

QString SpellChecker::personalListPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Zelgor/slownik_uzytkownika.txt"));
}

SpellChecker::SpellChecker(const QString& dictionaryBase, const QString& personalList)
    : personalList_(personalList) {
    const QByteArray aff = QFile::encodeName(dictionaryBase + QStringLiteral(".aff"));
    const QByteArray dic = QFile::encodeName(dictionaryBase + QStringLiteral(".dic"));
    if (QFileInfo::exists(QString::fromLocal8Bit(aff)) &&
        QFileInfo::exists(QString::fromLocal8Bit(dic))) {
        QPointer<SpellChecker> self(this);
        loading_ = std::async(std::launch::async, [aff, dic, self] {
            auto hunspell = std::make_unique<Hunspell>(aff.constData(), dic.constData());
            // Tell the owner's thread; dropped when the checker is gone by then.
            if (self)
                QMetaObject::invokeMethod(
                    self,
                    [self] {
                        if (self && self->takeLoaded(false)) emit self->loaded();
                    },
                    Qt::QueuedConnection);
            return hunspell;
        });
    }
    QFile list(personalList_);
    if (list.open(QIODevice::ReadOnly))
        for (const QByteArray& line : list.readAll().split('\n'))
            if (const QString word = QString::fromUtf8(line).trimmed(); !word.isEmpty())
                known_.insert(word.toLower());
}

SpellChecker::~SpellChecker() {
    if (loading_.valid()) loading_.wait();
}

// Takes the dictionary read in the background once it is there (or, with `wait`, once it
// has been read). True when the checker has it.
bool SpellChecker::takeLoaded(bool wait) {
    if (!hunspell_ && loading_.valid() &&
        (wait || loading_.wait_for(std::chrono::seconds(0)) == std::future_status::ready)) {
        hunspell_ = loading_.get();
        encoding_ = QByteArray::fromStdString(hunspell_->get_dict_encoding());
        if (encoding_.isEmpty()) encoding_ = "ISO8859-1";
        cache_.clear();
    }
    return hunspell_ != nullptr;
}

bool SpellChecker::isLoaded() {
    return takeLoaded(false);
}

void SpellChecker::waitUntilLoaded() {
    takeLoaded(true);
}

std::string SpellChecker::encode(const QString& word, bool* ok) const {
    QByteArray out;
    *ok = convert(encoding_.constData(), "UTF-8", word.toUtf8(), out);
    return out.toStdString();
}

QString SpellChecker::decode(const std::string& bytes) const {
    QByteArray out;
    if (!convert("UTF-8", encoding_.constData(), QByteArray::fromStdString(bytes), out)) return {};
    return QString::fromUtf8(out);
}

std::vector<WordRange> SpellChecker::checkedWords(const QString& text) {
    std::vector<WordRange> words;
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        int end = i;
        while (end < n && !text[end].isSpace())
            ++end;
        int start = i;
        int stop = end;
        i = end;
        while (start < stop && isTrimmed(text[start]))
            ++start;
        while (stop > start && isTrimmed(text[stop - 1]))
            --stop;
        const QStringView token = QStringView(text).mid(start, stop - start);
        if (token.size() < 2 || isCodeLike(token)) continue;
        // A compound with hyphens is checked part by part.
        int partStart = start;
        for (int k = start; k <= stop; ++k) {
            if (k < stop && text[k] != u'-') continue;
            const QString part = text.mid(partStart, k - partStart);
            bool letters = part.size() >= 2;
            for (QChar c : part)
                letters = letters && c.isLetter();
            const bool capitals = part == part.toUpper();
            if (letters && !capitals && !hasLowerThenUpper(part))
                words.push_back({partStart, int(part.size())});
            partStart = k + 1;
        }
    }
    return words;
}

bool SpellChecker::isKnown(const QString& word) {
    if (!takeLoaded(false)) return true;
    if (const auto hit = cache_.constFind(word); hit != cache_.constEnd()) return hit.value();
    bool known = known_.contains(word.toLower());
    if (!known) {
        bool encoded = false;
        const std::string bytes = encode(word, &encoded);
        // A word with letters the dictionary cannot hold (a foreign name) is left alone.
        known = !encoded || hunspell_->spell(bytes);
    }
    cache_.insert(word, known);
    return known;
}

std::vector<WordRange> SpellChecker::misspelt(const QString& text) {
    std::vector<WordRange> wrong;
    if (!takeLoaded(false)) return wrong;
    for (const WordRange& w : checkedWords(text))
        if (!isKnown(text.mid(w.start, w.length))) wrong.push_back(w);
    return wrong;
}

QStringList SpellChecker::suggestions(const QString& word, int limit) {
    QStringList list;
    if (!takeLoaded(false)) return list;
    bool encoded = false;
    const std::string bytes = encode(word, &encoded);
    if (!encoded) return list;
    for (const std::string& s : hunspell_->suggest(bytes)) {
        if (list.size() >= limit) break;
        if (const QString text = decode(s); !text.isEmpty()) list << text;
    }
    return list;
}

bool SpellChecker::addToPersonalList(const QString& word) {
    const QString w = word.trimmed();
    if (w.isEmpty()) return false;
    known_.insert(w.toLower());
    cache_.remove(w);
    QStringList words;
    QFile old(personalList_);
    if (old.open(QIODevice::ReadOnly))
        words = QString::fromUtf8(old.readAll()).split(u'\n', Qt::SkipEmptyParts);
    old.close();
    if (words.contains(w)) return true;
    words << w;
    if (!QDir().mkpath(QFileInfo(personalList_).absolutePath())) return false;
    QSaveFile file(personalList_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write((words.join(u'\n') + u'\n').toUtf8());
    return file.commit();
}

void SpellChecker::learnNamesFrom(const QString& dictionaryFile) {
    if (dictionaryFile.isEmpty() || namesRead_.contains(dictionaryFile)) return;
    namesRead_.insert(dictionaryFile);
    XmlDocument document;
    try {
        document = XmlDocument::parseFile(dictionaryFile);
    } catch (const std::exception&) {
        return; // the data module reports a broken dictionary itself
    }
    std::vector<XmlElement> pending{document.root()};
    while (!pending.empty()) {
        const XmlElement e = pending.back();
        pending.pop_back();
        if (e.isNull()) continue;
        if (e.nameIs("ATRYBUT")) {
            for (const WordRange& w : checkedWords(e.text()))
                known_.insert(e.text().mid(w.start, w.length).toLower());
            continue;
        }
        for (XmlElement child : e.childElements())
            pending.push_back(child);
    }
    cache_.clear();
}

} // namespace editor
