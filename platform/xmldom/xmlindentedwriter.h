#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QStringView>

#include <vector>

class QIODevice;

// Writes an XML document in windows-1250 element by element, without building a tree, in
// the very layout of XmlDocument::toBytes(u"windows-1250"): the declaration, two spaces of
// indentation a level, an element holding text on one line, an empty element closed by
// "/>". A document written either way is the same to the byte, so a file keeps its
// checksum whichever way it was saved. Characters the code page lacks become character
// references; characters XML cannot hold are left out. Elements hold either text or
// elements, never both.
class XmlIndentedWriter {
public:
    // Writes through to the device in chunks; throws XmlError when a write fails.
    explicit XmlIndentedWriter(QIODevice& device);

    void startElement(QLatin1StringView name);
    void attribute(QLatin1StringView name, QStringView value);
    // An empty text writes nothing: the element stays empty.
    void text(QStringView value);
    void endElement();
    // Ends the document after its root and writes what is buffered.
    void finish();

private:
    struct Open {
        QLatin1StringView name;
        bool holdsElements = false;
        bool holdsText = false;
    };

    void closeStartTag();
    void indent(size_t level);
    void escaped(QStringView value, bool inAttribute);
    void writeBuffered();

    QIODevice& device_;
    QByteArray buffer_;
    std::vector<Open> open_;
};
