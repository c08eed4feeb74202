#include "print/layout/wrapped_text.h"

#include <QPainter>
#include <QTextLayout>

WrappedText::WrappedText(const QString& text, const QFont& font, QPaintDevice* device, qreal width)
    : font_(font) {
    if (text.isEmpty()) return;
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    const QStringList paragraphs = plain.split(u'\n');
    for (const QString& paragraph : paragraphs) {
        QTextLayout layout(paragraph, font, device);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        bool any = false;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines_.push_back({paragraph.mid(line.textStart(), line.textLength()),
                              line.naturalTextWidth(), line.ascent(), line.height()});
            paragraphEnds_.push_back(false);
            any = true;
        }
        layout.endLayout();
        if (!any) { // an empty paragraph still takes a line
            const QFontMetricsF metrics(font, device);
            lines_.push_back({QString(), 0, metrics.ascent(), metrics.height()});
            paragraphEnds_.push_back(false);
        }
        paragraphEnds_.back() = true;
    }
}

qreal WrappedText::heightOf(int first, int count) const {
    qreal h = 0;
    for (int i = first; i < first + count && i < int(lines_.size()); ++i)
        h += lines_[size_t(i)].height;
    return h;
}

int WrappedText::linesFitting(int first, qreal room) const {
    int n = 0;
    qreal h = 0;
    for (int i = first; i < int(lines_.size()); ++i) {
        h += lines_[size_t(i)].height;
        if (h > room) break;
        ++n;
    }
    return n;
}

QString WrappedText::textOf(int first, int count) const {
    QString out;
    for (int i = first; i < first + count && i < int(lines_.size()); ++i) {
        out += lines_[size_t(i)].text;
        if (paragraphEnds_[size_t(i)] && i + 1 < first + count) out += u'\n';
    }
    return out;
}

void WrappedText::draw(QPainter& painter, const QPointF& topLeft, qreal width, Qt::Alignment align,
                       int first, int count) const {
    if (count < 0) count = int(lines_.size()) - first;
    painter.setFont(font_);
    qreal y = topLeft.y();
    for (int i = first; i < first + count && i < int(lines_.size()); ++i) {
        const WrappedLine& line = lines_[size_t(i)];
        qreal x = topLeft.x();
        if (align & Qt::AlignRight)
            x += width - line.width;
        else if (align & Qt::AlignHCenter)
            x += (width - line.width) / 2;
        // Trailing blanks of a wrapped line are not drawn; leading ones are (indentation).
        qsizetype end = line.text.size();
        while (end > 0 && line.text.at(end - 1).isSpace())
            --end;
        if (end > 0) painter.drawText(QPointF(x, y + line.ascent), line.text.left(end));
        y += line.height;
    }
}
