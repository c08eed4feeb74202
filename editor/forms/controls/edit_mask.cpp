#include "editor/forms/controls/edit_mask.h"

#include <QStringList>

EditMask EditMask::parse(const QString& mask) {
    EditMask m;
    if (mask.isEmpty()) return m;
    const QStringList parts = mask.split(u';');
    QString source = parts.value(0);
    if (source.startsWith(u'!')) source.remove(0, 1);
    m.storesLiterals = parts.value(1, QStringLiteral("1")) != QLatin1String("0");
    if (parts.size() > 2 && !parts[2].isEmpty()) m.blank = parts[2][0];
    static const QString special = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}");
    for (const QChar c : source) {
        if (c == u'0' || c == u'9' || c == u'#') {
            m.inputMask += u'0'; // a digit that may stay blank
            m.pattern += u'0';
        } else {
            if (special.contains(c)) m.inputMask += u'\\';
            m.inputMask += c;
            m.pattern += c;
        }
    }
    m.inputMask += u';';
    m.inputMask += m.blank;
    return m;
}

QString EditMask::maskText(const QString& displayText) const {
    if (isEmpty()) return displayText;
    QString out;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar shown = i < displayText.size() ? displayText[i] : blank;
        if (pattern[i] == u'0')
            out += shown == blank ? QChar(u' ') : shown;
        else if (storesLiterals)
            out += pattern[i];
    }
    return out;
}

QString EditMask::storedText(const QString& displayText) const {
    const QString text = maskText(displayText);
    if (isEmpty()) return text;
    const QString literals = storesLiterals ? QString(pattern).remove(u'0') : QString();
    bool typed = false;
    for (const QChar c : text)
        typed = typed || (c != u' ' && !literals.contains(c));
    if (!typed) return QString();
    // Positions left blank at either end are not part of the value: a nine-digit REGON in
    // the fourteen-place mask stores its nine digits, as the file and the printout carry it.
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}
