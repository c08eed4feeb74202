#include "platform/xmldom/xmlelement.h"

#include "platform/xmldom/xmlnames.h"

#include <libxml/tree.h>

#include <QStringEncoder>
#include <QVarLengthArray>

#include <algorithm>
#include <new>
#include <stdexcept>

using namespace xmldom_detail;

namespace {

xmlNode* firstElementFrom(xmlNode* node) {
    while (node && node->type != XML_ELEMENT_NODE)
        node = node->next;
    return node;
}

bool sameQualifiedName(const xmlNode* a, const xmlNode* b) {
    if (!xmlStrEqual(a->name, b->name)) return false;
    const xmlChar* pa = a->ns ? a->ns->prefix : nullptr;
    const xmlChar* pb = b->ns ? b->ns->prefix : nullptr;
    return xmlStrEqual(pa, pb);
}

// A name as the library wants it (zero-terminated), checked. Names are short and the
// writer passes the same few over and over: they are copied to the stack, not the heap.
class CheckedName {
public:
    explicit CheckedName(QByteArrayView name) {
        bytes_.append(name.data(), name.size());
        bytes_.append('\0');
        if (name.isEmpty() || xmlValidateName(get(), 0) != 0)
            throw std::invalid_argument("invalid XML name: " + name.toByteArray().toStdString());
    }
    const xmlChar* get() const { return reinterpret_cast<const xmlChar*>(bytes_.constData()); }

private:
    QVarLengthArray<char, 64> bytes_;
};

xmlAttr* findAttribute(xmlNode* node, QByteArrayView name) {
    if (!node) return nullptr;
    for (xmlAttr* attr = node->properties; attr; attr = attr->next) {
        if (qualifiedNameIs(attr->name, attr->ns, name)) return attr;
    }
    return nullptr;
}

// Characters that XML 1.0 cannot hold in any form (control characters other than
// tab, LF and CR; U+FFFE, U+FFFF). Written out they would make the file unreadable.
bool unrepresentable(QChar c) {
    const char16_t u = c.unicode();
    return (u < 0x20 && u != 0x9 && u != 0xA && u != 0xD) || u == 0xFFFE || u == 0xFFFF;
}

// A value as zero-terminated UTF-8 without the characters XML cannot hold, written into
// out (resized to the text plus the terminator).
template <typename Bytes> void storableUtf8(const QString& value, Bytes& out) {
    auto encode = [&out](QStringView text) {
        QStringEncoder toUtf8(QStringEncoder::Utf8);
        out.resize(toUtf8.requiredSpace(text.size()) + 1);
        char* end = toUtf8.appendToBuffer(out.data(), text);
        *end = '\0';
        out.resize(end - out.data() + 1);
    };
    if (std::none_of(value.cbegin(), value.cend(), unrepresentable)) {
        encode(value);
        return;
    }
    QString kept;
    kept.reserve(value.size());
    for (QChar c : value) {
        if (!unrepresentable(c)) kept += c;
    }
    encode(kept);
}

// Most values are short: they are converted on the stack, not the heap.
class StorableUtf8 {
public:
    explicit StorableUtf8(const QString& value) { storableUtf8(value, bytes_); }
    const xmlChar* get() const { return reinterpret_cast<const xmlChar*>(bytes_.constData()); }
    int size() const { return int(bytes_.size() - 1); }

private:
    QVarLengthArray<char, 256> bytes_;
};

const xmlChar* xmlChars(const XmlText& text) {
    return reinterpret_cast<const xmlChar*>(text.utf8());
}

void requireElement(const XmlElement& element) {
    if (element.isNull()) throw std::logic_error("change through a null XML element");
}

} // namespace

XmlText::XmlText(const QString& text) {
    storableUtf8(text, bytes_);
    bytes_.chop(1); // QByteArray keeps its own terminator
}

namespace xmldom_detail {

QString contentOf(xmlNode* node) {
    xmlNode* child = node->children;
    if (!child) return {};
    if (!child->next && child->type == XML_TEXT_NODE) return fromXml(child->content);
    xmlChar* text = xmlNodeGetContent(node);
    QString result = fromXml(text);
    xmlFree(text);
    return result;
}

xmlNode* nextNode(xmlNode* node) {
    return node ? node->next : nullptr;
}

xmlNode* nextElementNode(xmlNode* node) {
    return node ? firstElementFrom(node->next) : nullptr;
}

} // namespace xmldom_detail

XmlNode::Kind XmlNode::kind() const {
    if (node_) {
        switch (node_->type) {
        case XML_ELEMENT_NODE:
            return Kind::Element;
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE:
            return Kind::Text;
        default:
            break;
        }
    }
    return Kind::Other;
}

QString XmlNode::name() const {
    if (!node_) return {};
    switch (node_->type) {
    case XML_ELEMENT_NODE:
        return qualifiedName(node_->name, node_->ns);
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
        return QStringLiteral("#text");
    case XML_COMMENT_NODE:
        return QStringLiteral("#comment");
    default:
        return fromXml(node_->name);
    }
}

bool XmlNode::nameIs(QByteArrayView utf8Name) const {
    return node_ && node_->type == XML_ELEMENT_NODE &&
           qualifiedNameIs(node_->name, node_->ns, utf8Name);
}

QString XmlNode::text() const {
    if (!node_) return {};
    if (node_->type == XML_ELEMENT_NODE) return contentOf(node_);
    return fromXml(node_->content);
}

XmlElement XmlNode::toElement() const {
    return XmlElement(node_ && node_->type == XML_ELEMENT_NODE ? node_ : nullptr);
}

QString XmlElement::name() const {
    return node_ ? qualifiedName(node_->name, node_->ns) : QString();
}

bool XmlElement::nameIs(QByteArrayView utf8Name) const {
    return node_ && qualifiedNameIs(node_->name, node_->ns, utf8Name);
}

bool XmlElement::hasAttribute(QByteArrayView utf8Name) const {
    return findAttribute(node_, utf8Name) != nullptr;
}

QString XmlElement::attribute(QByteArrayView utf8Name) const {
    xmlAttr* attr = findAttribute(node_, utf8Name);
    return attr ? contentOf(reinterpret_cast<xmlNode*>(attr)) : QString();
}

void XmlElement::setAttribute(QByteArrayView utf8Name, const QString& value) {
    requireElement(*this);
    const CheckedName name(utf8Name);
    const StorableUtf8 utf8(value);
    if (!xmlSetProp(node_, name.get(), utf8.get())) throw std::bad_alloc();
}

void XmlElement::setAttribute(QByteArrayView utf8Name, const XmlText& value) {
    requireElement(*this);
    const CheckedName name(utf8Name);
    // xmlSetProp stores the value as given (no entity parsing) and replaces an
    // existing attribute in its place.
    if (!xmlSetProp(node_, name.get(), xmlChars(value))) throw std::bad_alloc();
}

QString XmlElement::text() const {
    return node_ ? contentOf(node_) : QString();
}

namespace {

// Replaces every child of the element by one text node of size bytes (none when empty).
void replaceChildrenByText(xmlNode* node, const xmlChar* utf8, int size) {
    xmlNode* child = node->children;
    while (child) {
        xmlNode* next = child->next;
        xmlUnlinkNode(child);
        xmlFreeNode(child);
        child = next;
    }
    if (size == 0) return;
    xmlNode* textNode = xmlNewDocTextLen(node->doc, utf8, size);
    if (!textNode || !xmlAddChild(node, textNode)) {
        xmlFreeNode(textNode);
        throw std::bad_alloc();
    }
}

} // namespace

void XmlElement::setText(const QString& text) {
    requireElement(*this);
    const StorableUtf8 utf8(text);
    replaceChildrenByText(node_, utf8.get(), utf8.size());
}

void XmlElement::setText(const XmlText& text) {
    requireElement(*this);
    replaceChildrenByText(node_, xmlChars(text), int(text.size()));
}

XmlElement XmlElement::appendElement(QByteArrayView utf8Name) {
    requireElement(*this);
    const CheckedName name(utf8Name);
    xmlNode* child = xmlNewDocNode(node_->doc, nullptr, name.get(), nullptr);
    if (!child || !xmlAddChild(node_, child)) {
        xmlFreeNode(child);
        throw std::bad_alloc();
    }
    return XmlElement(child);
}

XmlElement XmlElement::firstChildElement(QByteArrayView utf8Name) const {
    if (!node_) return {};
    for (xmlNode* child = node_->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && qualifiedNameIs(child->name, child->ns, utf8Name))
            return XmlElement(child);
    }
    return {};
}

XmlElement XmlElement::firstChildElement() const {
    return XmlElement(node_ ? firstElementFrom(node_->children) : nullptr);
}

XmlElement XmlElement::nextSiblingElement() const {
    if (!node_) return {};
    for (xmlNode* sibling = node_->next; sibling; sibling = sibling->next) {
        if (sibling->type == XML_ELEMENT_NODE && sameQualifiedName(sibling, node_))
            return XmlElement(sibling);
    }
    return {};
}

XmlElement XmlElement::parent() const {
    if (!node_ || !node_->parent || node_->parent->type != XML_ELEMENT_NODE) return {};
    return XmlElement(node_->parent);
}

XmlChildNodes XmlElement::childNodes() const {
    return XmlChildNodes(node_ ? node_->children : nullptr);
}

XmlChildElements XmlElement::childElements() const {
    return XmlChildElements(node_ ? firstElementFrom(node_->children) : nullptr);
}
