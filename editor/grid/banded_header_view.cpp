#include "editor/grid/banded_header_view.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionHeader>

namespace editor {

BandedHeaderView::BandedHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignCenter);
    // Beyond the last section the header shows the application's window colour, not the
    // colour of the frame it stands in.
    QPalette own = palette();
    own.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    setPalette(own);
    // A resized section moves the sections after it and changes its band's width: the
    // band's title is drawn in every section of the span, so the whole header is redrawn.
    connect(this, &QHeaderView::sectionResized, this, &BandedHeaderView::repaintBands);
    connect(this, &QHeaderView::sectionCountChanged, this, &BandedHeaderView::repaintBands);
    connect(this, &QHeaderView::geometriesChanged, this, &BandedHeaderView::repaintBands);
}

void BandedHeaderView::repaintBands() {
    viewport()->update();
}

std::optional<HeaderBand> BandedHeaderView::bandOf(int logicalIndex) const {
    if (!model()) return std::nullopt;
    const QVariant v = model()->headerData(logicalIndex, orientation(), YearGridModel::BandRole);
    if (!v.canConvert<HeaderBand>()) return std::nullopt;
    return v.value<HeaderBand>();
}

bool BandedHeaderView::hasBands() const {
    if (!model()) return false;
    for (int i = 0; i < count(); ++i)
        if (bandOf(i)) return true;
    return false;
}

int BandedHeaderView::bandHeight() const {
    return height() / 2;
}

QRect BandedHeaderView::bandRect(int logicalIndex) const {
    const std::optional<HeaderBand> band = bandOf(logicalIndex);
    if (!band || band->title.isEmpty()) return {};
    int left = 0, right = -1;
    for (int leaf = band->firstLeaf; leaf < band->firstLeaf + band->span; ++leaf) {
        if (isSectionHidden(leaf) || sectionSize(leaf) == 0) continue;
        const int x = sectionViewportPosition(leaf);
        if (right < left) {
            left = x;
            right = x + sectionSize(leaf) - 1;
        } else {
            left = std::min(left, x);
            right = std::max(right, x + sectionSize(leaf) - 1);
        }
    }
    if (right < left) return {};
    return QRect(QPoint(left, 0), QPoint(right, bandHeight() - 1));
}

void BandedHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const QRect band = bandRect(logicalIndex);
    if (band.isEmpty()) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    // The leaf caption in the lower line.
    QRect leaf = rect;
    leaf.setTop(rect.top() + band.height());
    QHeaderView::paintSection(painter, leaf, logicalIndex);

    // This section's slice of the band; the title is centred on the part of the band that
    // is in view, so it stays readable while the grid scrolls sideways.
    painter->save();
    painter->setClipRect(QRect(rect.left(), rect.top(), rect.width(), band.height()));
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    opt.rect = band;
    opt.section = logicalIndex;
    opt.textAlignment = Qt::AlignCenter;
    opt.position = QStyleOptionHeader::Middle;
    style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
    opt.rect = band.intersected(viewport()->rect());
    opt.text = bandOf(logicalIndex)->title;
    style()->drawControl(QStyle::CE_HeaderLabel, &opt, painter, this);
    painter->restore();
}

QSize BandedHeaderView::sectionSizeFromContents(int logicalIndex) const {
    QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    if (hasBands()) size.setHeight(size.height() * 2);
    return size;
}

} // namespace editor
