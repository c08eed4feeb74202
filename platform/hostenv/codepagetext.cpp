#include "platform/hostenv/codepagetext.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace HostEnv {

namespace {

// The character one byte stands for; nothing when it is no character of its own.
std::optional<QChar> characterOf(char byte, const QString& codePage) {
    QStringDecoder decoder(codePage.toLatin1().constData());
    if (!decoder.isValid()) return std::nullopt;
    const QString s = decoder.decode(QByteArray(1, byte));
    if (decoder.hasError() || s.size() != 1 || s[0] == QChar::ReplacementCharacter)
        return std::nullopt;
    return s[0];
}

// Whether the code page holds the character: it comes back unchanged from its bytes.
bool holds(QChar c, QStringEncoder& encoder, QStringDecoder& decoder) {
    const QByteArray bytes = encoder.encode(QStringView(&c, 1));
    const QString back = decoder.decode(bytes);
    return !encoder.hasError() && !decoder.hasError() && back.size() == 1 && back[0] == c;
}

// The byte of every character of a single-byte code page, as its decoder reads the 256
// bytes (the encoder of some code pages refuses their control characters 0x80-0x9F,
// which files read in that code page do hold); empty for a multi-byte code page.
const QHash<char16_t, char>& singleByteTable(const QString& codePage) {
    thread_local QString name;
    thread_local QHash<char16_t, char> table;
    if (name == codePage && !name.isNull()) return table;
    name = codePage;
    table.clear();
    QStringDecoder decoder(codePage.toLatin1().constData());
    if (!decoder.isValid()) return table;
    QByteArray all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[b] = char(b);
    const QString chars = decoder.decode(all);
    if (decoder.hasError() || chars.size() != 256) return table;
    for (int b = 255; b >= 0; --b)
        if (chars[b] != QChar::ReplacementCharacter) table.insert(chars[b].unicode(), char(b));
    return table;
}

} // namespace

QByteArray toCodePage(const QString& text, const QString& codePage) {
    const QHash<char16_t, char>& table = singleByteTable(codePage);
    if (!table.isEmpty()) {
        QByteArray out;
        out.reserve(text.size());
        for (const QChar c : text)
            out += table.value(c.unicode(), '?');
        return out;
    }
    QStringEncoder encoder(codePage.toLatin1().constData());
    if (!encoder.isValid()) return text.toLatin1();
    return encoder.encode(text);
}

QString toUpperInCodePage(const QString& text, const QString& codePage) {
    const QHash<char16_t, char>& table = singleByteTable(codePage);
    QStringEncoder encoder(codePage.toLatin1().constData());
    QStringDecoder decoder(codePage.toLatin1().constData());
    const bool known = encoder.isValid() && decoder.isValid();
    QString out = text;
    for (QChar& c : out) {
        const QChar upper = c.toUpper();
        if (upper == c) continue;
        const bool held = !table.isEmpty() ? table.contains(upper.unicode())
                                           : !known || holds(upper, encoder, decoder);
        if (held) c = upper;
    }
    return out;
}

QString replaceCodePageByte(const QString& text, char from, char to, const QString& codePage) {
    // The reader asks for every string value: the two characters are looked up once per
    // code page and thread.
    struct Pair {
        QString codePage;
        char from = 0, to = 0;
        std::optional<QChar> a, b;
    };
    thread_local Pair last;
    if (last.codePage != codePage || last.from != from || last.to != to || last.codePage.isNull())
        last = {codePage, from, to, characterOf(from, codePage), characterOf(to, codePage)};
    if (!last.a || !last.b || !text.contains(*last.a)) return text;
    QString out = text;
    out.replace(*last.a, *last.b);
    return out;
}

} // namespace HostEnv
