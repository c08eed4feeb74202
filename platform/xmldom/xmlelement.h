#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <iterator>

// libxml2's node type, kept out of this header so that users of the DOM do not
// see the library.
struct _xmlNode;

class XmlElement;

// A text converted once to what a document stores (UTF-8 without the characters XML
// cannot hold), for a value written into many elements: the writer of a large file sets
// the same names on every element of a table.
class XmlText {
public:
    XmlText() = default;
    explicit XmlText(const QString& text);
    // Zero-terminated.
    const char* utf8() const { return bytes_.constData(); }
    qsizetype size() const { return bytes_.size(); }

private:
    QByteArray bytes_;
};

// Non-owning handle to any node of a document (element, text or anything else),
// as met while iterating the children of an element. Valid while its document
// lives and the node is not removed. Names are compared as UTF-8 bytes, exactly.
class XmlNode {
public:
    enum class Kind { Element, Text, Other };

    XmlNode() = default;
    explicit XmlNode(_xmlNode* node) : node_(node) {}

    bool isNull() const { return node_ == nullptr; }
    Kind kind() const;
    bool isElement() const { return kind() == Kind::Element; }
    bool isText() const { return kind() == Kind::Text; }

    // Element: its qualified name; text: "#text"; comment: "#comment";
    // processing instruction: its target.
    QString name() const;
    bool nameIs(QByteArrayView utf8Name) const;
    // Text of the node and of everything below it.
    QString text() const;
    // The node as an element; a null element unless it is one.
    XmlElement toElement() const;

    _xmlNode* handle() const { return node_; }
    bool operator==(const XmlNode&) const = default;

private:
    _xmlNode* node_ = nullptr;
};

// Forward range over the children of an element: all nodes, or elements only.
template <typename Handle, bool ElementsOnly> class XmlChildRange {
public:
    class iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Handle;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Handle;

        iterator() = default;
        explicit iterator(_xmlNode* node) : node_(node) {}
        Handle operator*() const { return Handle(node_); }
        iterator& operator++();
        iterator operator++(int) {
            iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const iterator&) const = default;

    private:
        _xmlNode* node_ = nullptr;
    };

    explicit XmlChildRange(_xmlNode* first) : first_(first) {}
    iterator begin() const { return iterator(first_); }
    iterator end() const { return iterator(); }

private:
    _xmlNode* first_;
};

using XmlChildNodes = XmlChildRange<XmlNode, false>;
using XmlChildElements = XmlChildRange<XmlElement, true>;

// Non-owning handle to an element of a document; a null handle stands for "no such
// element". Reading through a null handle gives empty results; changing through
// one throws std::logic_error. Text is QString here and UTF-8 inside the document;
// the file encoding applies only when a document is parsed or saved. Characters
// that XML 1.0 cannot hold at all (control characters other than tab, LF, CR) are
// dropped from stored values, so that a saved file always parses again. Invalid
// element or attribute names throw std::invalid_argument.
class XmlElement {
public:
    XmlElement() = default;
    // node must be an element node or null.
    explicit XmlElement(_xmlNode* node) : node_(node) {}

    bool isNull() const { return node_ == nullptr; }
    QString name() const;
    bool nameIs(QByteArrayView utf8Name) const;

    bool hasAttribute(QByteArrayView utf8Name) const;
    // The attribute's value; an empty text when absent.
    QString attribute(QByteArrayView utf8Name) const;
    // Replaces the value in place or appends a new attribute, so attributes keep
    // the order in which they were first set.
    void setAttribute(QByteArrayView utf8Name, const QString& value);
    void setAttribute(QByteArrayView utf8Name, const XmlText& value);

    // All text below the element, concatenated.
    QString text() const;
    // Replaces every child by one text node (none for an empty text).
    void setText(const QString& text);
    void setText(const XmlText& text);

    // Appends a new, empty child element and returns it.
    XmlElement appendElement(QByteArrayView utf8Name);
    // First child element with exactly this name (case-sensitive); null if none.
    XmlElement firstChildElement(QByteArrayView utf8Name) const;
    // First child element of any name; null if none.
    XmlElement firstChildElement() const;
    // Next sibling element with the same name as this one; null if none.
    XmlElement nextSiblingElement() const;
    // Parent element; null for the root.
    XmlElement parent() const;

    XmlChildNodes childNodes() const;
    XmlChildElements childElements() const;

    _xmlNode* handle() const { return node_; }
    bool operator==(const XmlElement&) const = default;

private:
    _xmlNode* node_ = nullptr;
};

namespace xmldom_detail {
_xmlNode* nextNode(_xmlNode* node);
_xmlNode* nextElementNode(_xmlNode* node);
} // namespace xmldom_detail

template <typename Handle, bool ElementsOnly>
typename XmlChildRange<Handle, ElementsOnly>::iterator&
XmlChildRange<Handle, ElementsOnly>::iterator::operator++() {
    node_ = ElementsOnly ? xmldom_detail::nextElementNode(node_) : xmldom_detail::nextNode(node_);
    return *this;
}
