#pragma once

#include "editor/grid/year_grid_model.h"

#include <QHeaderView>

#include <optional>

namespace editor {

// A horizontal header that draws bands over runs of leaf columns. The bands come from the
// model's headerData under YearGridModel::BandRole (title, first leaf, span), so the header
// serves any model that reports them. A band covers only its visible sections: hiding a
// year's columns hides its band. The header is two lines high when the model has bands; a
// section whose band has no title shows its caption over both lines.
class BandedHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit BandedHeaderView(QWidget* parent = nullptr);

    std::optional<HeaderBand> bandOf(int logicalIndex) const;
    // The band of the section in viewport coordinates, spanning its visible sections; an
    // empty rectangle when the section has no titled band or all of it is hidden.
    QRect bandRect(int logicalIndex) const;
    bool hasBands() const;

public slots:
    // Paints every band again (after hiding sections or scrolling sideways).
    void repaintBands();

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;

private:
    int bandHeight() const;
};

} // namespace editor
