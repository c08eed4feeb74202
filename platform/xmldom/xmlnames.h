#pragma once

// Name comparison and conversion shared by the DOM handles (internal to xmldom).

#include <libxml/tree.h>

#include <QByteArrayView>
#include <QString>

namespace xmldom_detail {

inline QString fromXml(const xmlChar* text) {
    return text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QString();
}

// True when the zero-terminated UTF-8 text equals wanted byte for byte.
inline bool bytesEqual(const xmlChar* text, const char* wanted, qsizetype size) {
    for (qsizetype i = 0; i < size; ++i) {
        if (text[i] == '\0' || text[i] != static_cast<xmlChar>(wanted[i])) return false;
    }
    return text[size] == '\0';
}

// Compares "prefix:local" (or just "local" without a namespace prefix) with wanted,
// without building the qualified name.
inline bool qualifiedNameIs(const xmlChar* local, const xmlChar* prefix, QByteArrayView wanted) {
    const char* w = wanted.data();
    qsizetype size = wanted.size();
    if (prefix) {
        qsizetype i = 0;
        for (; prefix[i] != '\0'; ++i) {
            if (i >= size || static_cast<xmlChar>(w[i]) != prefix[i]) return false;
        }
        if (i >= size || w[i] != ':') return false;
        w += i + 1;
        size -= i + 1;
    }
    return bytesEqual(local, w, size);
}

inline bool qualifiedNameIs(const xmlChar* local, const xmlNs* ns, QByteArrayView wanted) {
    return qualifiedNameIs(local, ns ? ns->prefix : nullptr, wanted);
}

inline QString qualifiedName(const xmlChar* local, const xmlNs* ns) {
    if (ns && ns->prefix) return fromXml(ns->prefix) + QLatin1Char(':') + fromXml(local);
    return fromXml(local);
}

// Text content of an element or attribute; a single text child is read in place.
QString contentOf(xmlNode* node);

} // namespace xmldom_detail
