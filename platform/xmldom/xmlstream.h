#pragma once

#include "platform/xmldom/xmldomerror.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <utility>

// An element as a streaming parse reports its start: the qualified name and the
// attributes, in UTF-8, valid only during the call.
class XmlStreamElement {
public:
    XmlStreamElement(const unsigned char* localName, const unsigned char* prefix,
                     int attributeCount, const unsigned char** attributes)
        : localName_(localName), prefix_(prefix), attributeCount_(attributeCount),
          attributes_(attributes) {}

    // Compares the qualified name ("prefix:local" or "local").
    bool nameIs(QByteArrayView utf8Name) const;
    // The attribute's value (null when absent), by qualified name; it may share the
    // parser's buffer, so it is read or copied during the call.
    QByteArray attribute(QByteArrayView utf8Name) const;
    // Every attribute as (qualified name, value), in document order, copied.
    QList<std::pair<QByteArray, QByteArray>> attributes() const;

private:
    const unsigned char* localName_;
    const unsigned char* prefix_;
    int attributeCount_;
    const unsigned char** attributes_; // libxml2's (local, prefix, URI, value, end) tuples
};

// What a streaming parse calls, in document order, without building a tree. A handler
// may throw: the parse stops and the exception reaches the caller of streamXml*.
class XmlStreamHandler {
public:
    virtual ~XmlStreamHandler() = default;
    virtual void startElement(const XmlStreamElement& element) = 0;
    virtual void endElement() = 0;
    // Character data and CDATA sections (entity-free, already UTF-8); one text may come in
    // several pieces.
    virtual void text(QByteArrayView utf8) = 0;
};

// The same hardened parse as XmlDocument::parseFile / parseMemory (no network, no DTD,
// no entities, the library's limits kept), reported to the handler as it goes. A refused
// document throws XmlError after the handler has seen what came before the fault.
void streamXmlFile(const QString& path, XmlStreamHandler& handler);
void streamXmlMemory(const QByteArray& data, XmlStreamHandler& handler);
