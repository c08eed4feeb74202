// Hardened parsing: each parse gets its own parser context whose SAX callbacks
// refuse entity declarations and entity references and never load an external
// DTD subset, and whose structured error handler keeps the first error. Nothing
// process-wide is changed, so threads may parse at the same time.

#include "platform/xmldom/xmldocument.h"
#include "platform/xmldom/xmlstream.h"

#include "platform/xmldom/xmllibrary.h"
#include "platform/xmldom/xmlnames.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <QFile>

#include <climits>
#include <exception>
#include <memory>
#include <new>

namespace {

// No network, CDATA merged into text nodes, small text stored in the node itself.
// Deliberately absent: NOENT (entity substitution), DTDLOAD, DTDATTR, DTDVALID,
// XINCLUDE, HUGE (keeps the library's size and depth limits), RECOVER.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_COMPACT;

// The first failure of one parse and its options, reached through the context's _private
// field.
struct ParseReport {
    const XmlParseOptions* options = nullptr;
    XmlStreamHandler* stream = nullptr; // a streaming parse: no tree is built
    std::exception_ptr thrown;          // what the stream handler threw
    bool sawRoot = false;
    bool failed = false;
    QByteArray message;
    int line = 0;
    int column = 0;

    void fail(const QByteArray& text, int atLine, int atColumn) {
        if (failed) return;
        failed = true;
        message = text.trimmed();
        line = atLine;
        column = atColumn;
    }
};

ParseReport* reportOf(void* context) {
    return static_cast<ParseReport*>(static_cast<xmlParserCtxt*>(context)->_private);
}

void keepFirstError(void* context, xmlErrorPtr error) {
    // Warnings pass; errors (including namespace and undeclared-entity errors that
    // the library does not count as fatal) refuse the document.
    if (error->level >= XML_ERR_ERROR)
        reportOf(context)->fail(QByteArray(error->message ? error->message : "unknown error"),
                                error->line, error->int2);
}

void refuse(void* context, const QByteArray& what) {
    auto* ctxt = static_cast<xmlParserCtxt*>(context);
    const int line = xmlSAX2GetLineNumber(ctxt);
    const int column = xmlSAX2GetColumnNumber(ctxt);
    reportOf(context)->fail(what, line, column);
    xmlStopParser(ctxt);
}

void refuseEntityDecl(void* context, const xmlChar* name, int, const xmlChar*, const xmlChar*,
                      xmlChar*) {
    refuse(context, "Entity declarations are not allowed: " +
                        QByteArray(reinterpret_cast<const char*>(name)));
}

void refuseUnparsedEntityDecl(void* context, const xmlChar* name, const xmlChar*, const xmlChar*,
                              const xmlChar*) {
    refuse(context, "Entity declarations are not allowed: " +
                        QByteArray(reinterpret_cast<const char*>(name)));
}

void refuseReference(void* context, const xmlChar* name) {
    refuse(context,
           "Entity references are not allowed: " + QByteArray(reinterpret_cast<const char*>(name)));
}

void skipExternalSubset(void*, const xmlChar*, const xmlChar*, const xmlChar*) {
    // The external DTD subset is never read, whatever the library's defaults say.
}

bool onlyWhiteSpace(const xmlChar* text, int length) {
    for (int i = 0; i < length; ++i) {
        const xmlChar c = text[i];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return false;
    }
    return true;
}

bool insideDataElement(const xmlNode* node, const XmlParseOptions& options) {
    for (; node && node->type == XML_ELEMENT_NODE; node = node->parent) {
        for (const QByteArray& name : options.dataElements)
            if (xmldom_detail::qualifiedNameIs(node->name, node->ns, name)) return true;
    }
    return false;
}

// Text (and the white space the library may report as ignorable, which it only does when
// this is not also the text handler) goes into the tree unless it is layout.
void keepText(void* context, const xmlChar* text, int length) {
    auto* ctxt = static_cast<xmlParserCtxt*>(context);
    const XmlParseOptions& options = *reportOf(context)->options;
    if (!options.dataElements.empty() && onlyWhiteSpace(text, length) &&
        !insideDataElement(ctxt->node, options))
        return;
    xmlSAX2Characters(context, text, length);
}

struct ContextFree {
    void operator()(xmlParserCtxt* ctxt) const { xmlFreeParserCtxt(ctxt); }
};

std::string parserErrorText(const ParseReport& report, const QString& source) {
    QString text = QStringLiteral("Parser error: ") + QString::fromUtf8(report.message);
    if (report.line > 0) {
        text += QStringLiteral(" (line %1").arg(report.line);
        if (report.column > 0) text += QStringLiteral(", column %1").arg(report.column);
        text += QLatin1Char(')');
    }
    if (!source.isEmpty()) text += QStringLiteral(" in ") + source;
    return text.toStdString();
}

using HardenedContext = std::unique_ptr<xmlParserCtxt, ContextFree>;

// A fresh parser context whose callbacks refuse entities, never read a DTD and keep the
// first error in report.
HardenedContext newHardenedContext(ParseReport& report) {
    ensureXmlLibrary();
    HardenedContext ctxt(xmlNewParserCtxt());
    if (!ctxt || !ctxt->sax) throw std::bad_alloc();
    ctxt->_private = &report;
    xmlSAXHandler* sax = ctxt->sax;
    sax->serror = keepFirstError;
    sax->entityDecl = refuseEntityDecl;
    sax->unparsedEntityDecl = refuseUnparsedEntityDecl;
    sax->reference = refuseReference;
    sax->externalSubset = skipExternalSubset;
    sax->characters = keepText;
    sax->ignorableWhitespace = keepText;
    return ctxt;
}

[[noreturn]] void throwParseFailure(ParseReport& report, bool hasRoot, const QString& source) {
    if (!report.failed)
        report.fail(hasRoot ? "Document is not well-formed" : "Document is empty", 0, 0);
    throw XmlError(parserErrorText(report, source));
}

// Runs one parse on a fresh, hardened context; read starts the library's parse on
// it. Returns the document, or throws XmlError naming source (empty for memory).
template <typename Read>
xmlDoc* parseHardened(const QString& source, const XmlParseOptions& options, Read read) {
    ParseReport report;
    report.options = &options;
    HardenedContext ctxt = newHardenedContext(report);
    const QByteArray url = source.toUtf8();
    xmlDoc* doc = read(ctxt.get(), url.isEmpty() ? nullptr : url.constData());
    const bool hasRoot = doc && xmlDocGetRootElement(doc);
    if (hasRoot && !report.failed && ctxt->wellFormed) return doc;
    xmlFreeDoc(doc);
    throwParseFailure(report, hasRoot, source);
}

// The stream handler's calls; what it throws stops the parser and is rethrown after it.
template <typename Call> void toHandler(void* context, Call call) {
    ParseReport& report = *reportOf(context);
    try {
        call(*report.stream);
    } catch (...) {
        report.thrown = std::current_exception();
        xmlStopParser(static_cast<xmlParserCtxt*>(context));
    }
}

void streamStart(void* context, const xmlChar* localName, const xmlChar* prefix, const xmlChar*,
                 int, const xmlChar**, int attributeCount, int, const xmlChar** attributes) {
    reportOf(context)->sawRoot = true;
    toHandler(context, [&](XmlStreamHandler& h) {
        h.startElement(XmlStreamElement(localName, prefix, attributeCount, attributes));
    });
}

void streamEnd(void* context, const xmlChar*, const xmlChar*, const xmlChar*) {
    toHandler(context, [](XmlStreamHandler& h) { h.endElement(); });
}

void streamText(void* context, const xmlChar* text, int length) {
    toHandler(context, [&](XmlStreamHandler& h) {
        h.text(QByteArrayView(reinterpret_cast<const char*>(text), length));
    });
}

template <typename Read>
void streamHardened(const QString& source, XmlStreamHandler& handler, Read read) {
    ParseReport report;
    report.stream = &handler;
    HardenedContext ctxt = newHardenedContext(report);
    xmlSAXHandler* sax = ctxt->sax;
    sax->startElementNs = streamStart;
    sax->endElementNs = streamEnd;
    sax->characters = streamText;
    sax->ignorableWhitespace = streamText;
    sax->cdataBlock = streamText;
    const QByteArray url = source.toUtf8();
    xmlFreeDoc(read(ctxt.get(), url.isEmpty() ? nullptr : url.constData()));
    if (report.thrown) std::rethrow_exception(report.thrown);
    if (!report.sawRoot || report.failed || !ctxt->wellFormed)
        throwParseFailure(report, report.sawRoot, source);
}

int readFromFile(void* file, char* buffer, int length) {
    const qint64 count = static_cast<QFile*>(file)->read(buffer, length);
    return count < 0 ? -1 : int(count);
}

int leaveOpen(void*) {
    return 0; // the QFile closes itself
}

} // namespace

namespace {

const int kMaxParseSize = INT_MAX;

// Bytes in memory as the library wants them: a valid pointer even for no bytes at all.
const char* bytesOf(const QByteArray& data) {
    if (data.size() > kMaxParseSize) {
        ParseReport report;
        report.fail("Document too large", 0, 0);
        throw XmlError(parserErrorText(report, QString()));
    }
    static const char nothing[] = "";
    return data.isEmpty() ? nothing : data.constData();
}

// Unbuffered: the library asks for large chunks and keeps its own buffer.
void openForParse(QFile& file, const QString& path) {
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        throw XmlError(QStringLiteral("Nie można otworzyć pliku \"%1\": %2")
                           .arg(path, file.errorString())
                           .toStdString());
    }
}

} // namespace

XmlDocument XmlDocument::parseMemory(const QByteArray& data, const XmlParseOptions& options) {
    const char* bytes = bytesOf(data);
    return XmlDocument(parseHardened(QString(), options, [&](xmlParserCtxt* ctxt, const char* url) {
        return xmlCtxtReadMemory(ctxt, bytes, int(data.size()), url, nullptr, kParseOptions);
    }));
}

XmlDocument XmlDocument::parseFile(const QString& path, const XmlParseOptions& options) {
    QFile file(path);
    openForParse(file, path);
    // Read in chunks through our own callback, not by file name: the library's own
    // file loader would also open compressed files and go through the global
    // external entity loader.
    return XmlDocument(parseHardened(path, options, [&](xmlParserCtxt* ctxt, const char* url) {
        return xmlCtxtReadIO(ctxt, readFromFile, leaveOpen, &file, url, nullptr, kParseOptions);
    }));
}

void streamXmlMemory(const QByteArray& data, XmlStreamHandler& handler) {
    const char* bytes = bytesOf(data);
    streamHardened(QString(), handler, [&](xmlParserCtxt* ctxt, const char* url) {
        return xmlCtxtReadMemory(ctxt, bytes, int(data.size()), url, nullptr, kParseOptions);
    });
}

void streamXmlFile(const QString& path, XmlStreamHandler& handler) {
    QFile file(path);
    openForParse(file, path);
    streamHardened(path, handler, [&](xmlParserCtxt* ctxt, const char* url) {
        return xmlCtxtReadIO(ctxt, readFromFile, leaveOpen, &file, url, nullptr, kParseOptions);
    });
}

// Attribute values come as the library hands them to its own tree builder: an ampersand
// written in the file stays as the reference "&#38;", which the builder decodes later.
namespace {

QByteArray attributeValue(const unsigned char** a) {
    const auto* value = reinterpret_cast<const char*>(a[3]);
    const QByteArray raw = QByteArray::fromRawData(value, a[4] - a[3]);
    return raw.contains('&') ? QByteArray(raw).replace("&#38;", "&") : raw;
}

} // namespace

QByteArray XmlStreamElement::attribute(QByteArrayView utf8Name) const {
    for (int i = 0; i < attributeCount_; ++i) {
        const unsigned char** a = attributes_ + 5 * i;
        if (xmldom_detail::qualifiedNameIs(a[0], a[1], utf8Name)) return attributeValue(a);
    }
    return {};
}

QList<std::pair<QByteArray, QByteArray>> XmlStreamElement::attributes() const {
    QList<std::pair<QByteArray, QByteArray>> all;
    for (int i = 0; i < attributeCount_; ++i) {
        const unsigned char** a = attributes_ + 5 * i;
        QByteArray name = reinterpret_cast<const char*>(a[0]);
        if (a[1]) name.prepend(QByteArray(reinterpret_cast<const char*>(a[1])) + ':');
        all.append({name, QByteArray(attributeValue(a))});
    }
    return all;
}

bool XmlStreamElement::nameIs(QByteArrayView utf8Name) const {
    return xmldom_detail::qualifiedNameIs(localName_, prefix_, utf8Name);
}
