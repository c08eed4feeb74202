#include "platform/xmldom/xmldocument.h"

#include "platform/xmldom/xmllibrary.h"
#include "platform/xmldom/xmlnames.h"

#include <libxml/encoding.h>
#include <libxml/tree.h>
#include <libxml/xmlsave.h>

#include <QSaveFile>

#include <new>
#include <stdexcept>
#include <utility>

namespace {

void requireDocument(const xmlDoc* doc) {
    if (!doc) throw std::logic_error("operation on a null XML document");
}

int appendToByteArray(void* context, const char* buffer, int length) {
    static_cast<QByteArray*>(context)->append(buffer, length);
    return length;
}

bool isKnownEncoding(const QByteArray& name) {
    xmlCharEncodingHandler* handler = xmlFindCharEncodingHandler(name.constData());
    if (!handler) return false;
    xmlCharEncCloseFunc(handler);
    return true;
}

void freeDocString(xmlDoc* doc, const xmlChar* text) {
    // A parser may have put the string into the document's dictionary.
    if (text && !(doc->dict && xmlDictOwns(doc->dict, text))) xmlFree(const_cast<xmlChar*>(text));
}

} // namespace

XmlDocument::~XmlDocument() {
    if (doc_) xmlFreeDoc(doc_);
}

XmlDocument::XmlDocument(XmlDocument&& other) noexcept : doc_(std::exchange(other.doc_, nullptr)) {}

XmlDocument& XmlDocument::operator=(XmlDocument&& other) noexcept {
    if (this != &other) {
        if (doc_) xmlFreeDoc(doc_);
        doc_ = std::exchange(other.doc_, nullptr);
    }
    return *this;
}

XmlDocument XmlDocument::create() {
    ensureXmlLibrary();
    xmlDoc* doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
    if (!doc) throw std::bad_alloc();
    // Element and attribute names are kept once in the document's dictionary, not once
    // per node, as a parsed document keeps them: a written application repeats the same
    // few names for every value.
    doc->dict = xmlDictCreate();
    if (!doc->dict) {
        xmlFreeDoc(doc);
        throw std::bad_alloc();
    }
    return XmlDocument(doc);
}

XmlElement XmlDocument::root() const {
    return XmlElement(doc_ ? xmlDocGetRootElement(doc_) : nullptr);
}

XmlElement XmlDocument::setRoot(QByteArrayView utf8Name) {
    requireDocument(doc_);
    const QByteArray name = utf8Name.toByteArray();
    if (name.isEmpty() ||
        xmlValidateName(reinterpret_cast<const xmlChar*>(name.constData()), 0) != 0)
        throw std::invalid_argument("invalid XML name: " + name.toStdString());
    xmlNode* node =
        xmlNewDocNode(doc_, nullptr, reinterpret_cast<const xmlChar*>(name.constData()), nullptr);
    if (!node) throw std::bad_alloc();
    if (xmlNode* old = xmlDocSetRootElement(doc_, node)) xmlFreeNode(old);
    return XmlElement(node);
}

QString XmlDocument::encoding() const {
    return doc_ ? xmldom_detail::fromXml(doc_->encoding) : QString();
}

void XmlDocument::setEncoding(const QString& name) {
    requireDocument(doc_);
    freeDocString(doc_, doc_->encoding);
    doc_->encoding = nullptr;
    if (!name.isEmpty())
        doc_->encoding = xmlStrdup(reinterpret_cast<const xmlChar*>(name.toUtf8().constData()));
}

namespace {

int writeToDevice(void* context, const char* buffer, int length) {
    return static_cast<QIODevice*>(context)->write(buffer, length) == length ? length : -1;
}

// Serialises the document in the named encoding through the library's output callback,
// chunk by chunk, so that a large document is never held a second time as one text.
void serialise(xmlDoc* doc, const QString& encoding, xmlOutputWriteCallback write, void* context) {
    ensureXmlLibrary();
    QString name = encoding.isEmpty() ? xmldom_detail::fromXml(doc->encoding) : encoding;
    if (name.isEmpty()) name = QStringLiteral("UTF-8");
    const QByteArray encodingName = name.toLatin1();
    // Checked first so that an unknown name is reported here rather than by the
    // library's global error channel.
    if (!isKnownEncoding(encodingName))
        throw XmlError(QStringLiteral("Nieznane kodowanie znaków: %1").arg(name).toStdString());

    xmlSaveCtxt* save =
        xmlSaveToIO(write, nullptr, context, encodingName.constData(), XML_SAVE_FORMAT);
    if (!save)
        throw XmlError(QStringLiteral("Nie można zapisać dokumentu XML w kodowaniu %1")
                           .arg(name)
                           .toStdString());
    const long written = xmlSaveDoc(save, doc);
    const int closed = xmlSaveClose(save);
    if (written < 0 || closed < 0)
        throw XmlError(QStringLiteral("Nie można zapisać dokumentu XML w kodowaniu %1")
                           .arg(name)
                           .toStdString());
}

} // namespace

QByteArray XmlDocument::toBytes(const QString& encoding) const {
    requireDocument(doc_);
    QByteArray out;
    serialise(doc_, encoding, appendToByteArray, &out);
    return out;
}

void XmlDocument::saveFile(const QString& path, const QString& encoding) const {
    requireDocument(doc_);
    saveFileAtomically(path,
                       [&](QIODevice& file) { serialise(doc_, encoding, writeToDevice, &file); });
}

void saveFileAtomically(const QString& path, const std::function<void(QIODevice&)>& write) {
    QSaveFile file(path);
    auto failed = [&] {
        return XmlError(QStringLiteral("Nie można zapisać pliku \"%1\": %2")
                            .arg(path, file.errorString())
                            .toStdString());
    };
    if (!file.open(QIODevice::WriteOnly)) throw failed();
    try {
        write(file);
    } catch (const XmlError&) {
        // A write that failed half-way is the file's fault, not the encoding's.
        if (file.error() != QFileDevice::NoError) throw failed();
        throw;
    }
    // The last buffered bytes reach the file only now: a failure here must not pass for a
    // saved document.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        throw failed();
    }
    if (!file.commit()) throw failed();
}
