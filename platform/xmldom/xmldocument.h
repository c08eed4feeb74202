#pragma once

#include "platform/xmldom/xmldomerror.h"
#include "platform/xmldom/xmlelement.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <vector>

class QIODevice;
struct _xmlDoc;

// What a parse keeps. By default every text node. With data elements named, text made
// only of white space (the indentation of a formatted file) is kept inside those elements
// and below them, where it may be data, and dropped everywhere else: a large formatted
// file then needs a good part fewer nodes. Elements are named by their qualified name.
struct XmlParseOptions {
    std::vector<QByteArray> dataElements;
};

// Owner of one XML document: frees it on destruction; movable, not copyable.
// A default-constructed document is null (holds nothing).
//
// Parsing is hardened for files from outside: no network, no DTD loading, no entity
// declarations (a document that declares any entity, or refers to one other than
// the five predefined ones, is refused), the library's size and depth limits stay
// on. Parsing uses its own parser context, so several threads may parse at once.
class XmlDocument {
public:
    XmlDocument() = default;
    ~XmlDocument();
    XmlDocument(XmlDocument&& other) noexcept;
    XmlDocument& operator=(XmlDocument&& other) noexcept;
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // A new document without a root, XML version "1.0", no declared encoding.
    static XmlDocument create();
    // Parses a file; the encoding comes from its declaration. Throws XmlError:
    // with "Parser error" when the content is refused (empty, malformed, truncated,
    // hostile, too large); with a Polish message naming the file, and without that
    // phrase, when the file cannot be opened or read at all.
    static XmlDocument parseFile(const QString& path, const XmlParseOptions& options = {});
    // Parses bytes already in memory; every failure carries "Parser error".
    static XmlDocument parseMemory(const QByteArray& data, const XmlParseOptions& options = {});

    bool isNull() const { return doc_ == nullptr; }

    // The root element; null when the document has none.
    XmlElement root() const;
    // Creates a new root element, replacing (and freeing) any existing one; handles
    // into the old tree become invalid.
    XmlElement setRoot(QByteArrayView utf8Name);

    // The declared encoding: read from a parsed file's declaration, and used when
    // saving without a named encoding. Empty when none is declared.
    QString encoding() const;
    void setEncoding(const QString& name);

    // The document serialised with an XML declaration naming the encoding, text
    // converted to it (characters it lacks become character references), elements
    // indented. An empty encoding means the declared one, else UTF-8. Line breaks
    // in values survive a round trip: "\r" is written as a character reference,
    // and so are line breaks and tabs inside attribute values.
    // Throws XmlError for an unknown encoding.
    QByteArray toBytes(const QString& encoding = {}) const;
    // toBytes() written to a file, replacing it only once everything is written.
    // Throws XmlError (Polish message) when the file cannot be written.
    void saveFile(const QString& path, const QString& encoding = {}) const;

    _xmlDoc* handle() const { return doc_; }

private:
    explicit XmlDocument(_xmlDoc* doc) : doc_(doc) {}

    _xmlDoc* doc_ = nullptr;
};

// Writes a file through a temporary one that is renamed over it once everything is written:
// a failed write leaves the old file. `write` throws XmlError when it cannot go on. Throws
// XmlError with a Polish message naming the file when the file cannot be written.
void saveFileAtomically(const QString& path, const std::function<void(QIODevice&)>& write);
