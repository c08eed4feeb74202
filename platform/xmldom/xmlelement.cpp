#include "platform/xmldom/xmlelement.h"

#include "platform/xmldom/xmlnames.h"

#include <libxml/tree.h>

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

QByteArray checkedName(QByteArrayView utf8Name) {
    QByteArray name = utf8Name.toByteArray();
    if (name.isEmpty() ||
        xmlValidateName(reinterpret_cast<const xmlChar*>(name.constData()), 0) != 0)
        throw std::invalid_argument("invalid XML name: " + name.toStdString());
    return name;
}

const xmlChar* asXml(const QByteArray& bytes) {
    return reinterpret_cast<const xmlChar*>(bytes.constData());
}

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

QByteArray storableUtf8(const QString& value) {
    if (std::none_of(value.cbegin(), value.cend(), unrepresentable)) return value.toUtf8();
    QString kept;
    kept.reserve(value.size());
    for (QChar c : value) {
        if (!unrepresentable(c)) kept += c;
    }
    return kept.toUtf8();
}

void requireElement(const XmlElement& element) {
    if (element.isNull()) throw std::logic_error("change through a null XML element");
}

} // namespace

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
    const QByteArray name = checkedName(utf8Name);
    const QByteArray utf8 = storableUtf8(value);
    // xmlSetProp stores the value as given (no entity parsing) and replaces an
    // existing attribute in its place.
    if (!xmlSetProp(node_, asXml(name), asXml(utf8))) throw std::bad_alloc();
}

QString XmlElement::text() const {
    return node_ ? contentOf(node_) : QString();
}

void XmlElement::setText(const QString& text) {
    requireElement(*this);
    xmlNode* child = node_->children;
    while (child) {
        xmlNode* next = child->next;
        xmlUnlinkNode(child);
        xmlFreeNode(child);
        child = next;
    }
    if (text.isEmpty()) return;
    const QByteArray utf8 = storableUtf8(text);
    xmlNode* textNode = xmlNewDocTextLen(node_->doc, asXml(utf8), int(utf8.size()));
    if (!textNode || !xmlAddChild(node_, textNode)) {
        xmlFreeNode(textNode);
        throw std::bad_alloc();
    }
}

XmlElement XmlElement::appendElement(QByteArrayView utf8Name) {
    requireElement(*this);
    const QByteArray name = checkedName(utf8Name);
    xmlNode* child = xmlNewDocNode(node_->doc, nullptr, asXml(name), nullptr);
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
