#pragma once

#include <QFont>
#include <QString>

#include <vector>

class QPainter;
class QPaintDevice;
class QPointF;

// Text broken into lines that fit a width, measured for one paint device. Paragraphs
// end at line feeds ("\r\n" and "\n"); an empty text has no lines.
struct WrappedLine {
    QString text;
    qreal width = 0; // natural width of the text
    qreal ascent = 0;
    qreal height = 0;
};

class WrappedText {
public:
    WrappedText() = default;
    WrappedText(const QString& text, const QFont& font, QPaintDevice* device, qreal width);

    const std::vector<WrappedLine>& lines() const { return lines_; }
    qreal height() const { return heightOf(0, int(lines_.size())); }
    qreal heightOf(int first, int count) const;
    // How many lines from `first` fit into `room`.
    int linesFitting(int first, qreal room) const;
    // The text of lines [first, first + count) as one text again.
    QString textOf(int first, int count) const;

    // Draws lines [first, first + count) from the top-left corner, aligned within width.
    void draw(QPainter& painter, const QPointF& topLeft, qreal width, Qt::Alignment align,
              int first = 0, int count = -1) const;

private:
    QFont font_;
    std::vector<WrappedLine> lines_;
    std::vector<bool> paragraphEnds_; // the line ends a paragraph
};
