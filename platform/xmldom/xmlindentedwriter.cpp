#include "platform/xmldom/xmlindentedwriter.h"

#include "platform/xmldom/windows1250.h"
#include "platform/xmldom/xmldomerror.h"

#include <QIODevice>

#include <algorithm>
#include <charconv>

namespace {

constexpr qsizetype kChunk = 1 << 16;
// The library indents at most this many levels; deeper elements stay at that depth.
constexpr size_t kMaxIndentLevels = 30;

// Characters that XML 1.0 cannot hold in any form; the tree leaves them out alike.
bool unrepresentable(char32_t c) {
    return (c < 0x20 && c != 0x9 && c != 0xA && c != 0xD) || c == 0xFFFE || c == 0xFFFF;
}

// The first character from `from` on that is not left out.
qsizetype nextKept(QStringView value, qsizetype from) {
    while (from < value.size() && unrepresentable(value[from].unicode()))
        ++from;
    return from;
}

// Whether the text writes nothing: only characters left out, and perhaps a half of a
// surrogate pair after which nothing is kept (the conversion for the tree drops a last half,
// waiting for more).
bool writesNothing(QStringView value) {
    const qsizetype first = nextKept(value, 0);
    return first == value.size() ||
           (value[first].isSurrogate() && nextKept(value, first + 1) == value.size());
}

// The escapes of the library's save: in text "<", ">", "&" and CR; in an attribute also
// the quote, LF and tab, so that line breaks survive a round trip. Null: none.
const char* escapeOf(char32_t c, bool inAttribute) {
    switch (c) {
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '&':
        return "&amp;";
    case '\r':
        return "&#13;";
    case '"':
        return inAttribute ? "&quot;" : nullptr;
    case '\n':
        return inAttribute ? "&#10;" : nullptr;
    case '\t':
        return inAttribute ? "&#9;" : nullptr;
    default:
        return nullptr;
    }
}

} // namespace

XmlIndentedWriter::XmlIndentedWriter(QIODevice& device) : device_(device) {
    buffer_.reserve(kChunk + 1024);
    buffer_.append("<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n");
}

void XmlIndentedWriter::closeStartTag() {
    Open& parent = open_.back();
    if (!parent.holdsElements && !parent.holdsText) buffer_.append('>');
}

void XmlIndentedWriter::indent(size_t level) {
    buffer_.append(qsizetype(2 * std::min(level, kMaxIndentLevels)), ' ');
}

void XmlIndentedWriter::startElement(QLatin1StringView name) {
    if (!open_.empty()) {
        closeStartTag();
        if (!open_.back().holdsElements) buffer_.append('\n');
        open_.back().holdsElements = true;
    }
    indent(open_.size());
    buffer_.append('<').append(name.data(), name.size());
    open_.push_back({name});
}

void XmlIndentedWriter::attribute(QLatin1StringView name, QStringView value) {
    buffer_.append(' ').append(name.data(), name.size()).append("=\"");
    escaped(value, true);
    buffer_.append('"');
}

void XmlIndentedWriter::text(QStringView value) {
    // A text of nothing but characters left out leaves the element empty, as in the tree.
    if (writesNothing(value)) return;
    closeStartTag();
    open_.back().holdsText = true;
    escaped(value, false);
}

void XmlIndentedWriter::endElement() {
    const Open done = open_.back();
    open_.pop_back();
    if (done.holdsElements) indent(open_.size());
    if (done.holdsElements || done.holdsText)
        buffer_.append("</").append(done.name.data(), done.name.size()).append('>');
    else
        buffer_.append("/>");
    buffer_.append('\n');
    if (buffer_.size() >= kChunk) writeBuffered();
}

void XmlIndentedWriter::finish() {
    writeBuffered();
}

void XmlIndentedWriter::writeBuffered() {
    if (device_.write(buffer_) != buffer_.size())
        throw XmlError("Nie można zapisać dokumentu XML: " + device_.errorString().toStdString());
    buffer_.clear();
}

void XmlIndentedWriter::escaped(QStringView value, bool inAttribute) {
    for (qsizetype i = 0; i < value.size(); ++i) {
        char32_t c = value[i].unicode();
        if (unrepresentable(c)) continue;
        // Characters left out are left out first; a pair may close over them. A last half
        // is dropped, another lone half becomes U+FFFD.
        if (QChar::isSurrogate(c)) {
            const qsizetype next = nextKept(value, i + 1);
            if (next == value.size()) break;
            if (QChar::isHighSurrogate(c) && value[next].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(char16_t(c), value[next].unicode());
                i = next;
            } else {
                c = QChar::ReplacementCharacter;
            }
        }
        if (const char* escape = escapeOf(c, inAttribute)) {
            buffer_.append(escape);
            continue;
        }
        if (const unsigned char b = windows1250Byte(c)) {
            buffer_.append(char(b));
            continue;
        }
        char number[16];
        const auto end = std::to_chars(number, number + sizeof number, uint32_t(c)).ptr;
        buffer_.append("&#").append(number, end - number).append(';');
    }
}
