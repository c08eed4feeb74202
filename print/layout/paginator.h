#pragma once

#include "print/layout/band.h"

#include <vector>

// A band at its place on a page, relative to the top of the page body.
struct PlacedBand {
    BandPtr band;
    qreal top = 0;
    qreal height = 0;
};

struct LaidOutPage {
    size_t part = 0;
    std::vector<PlacedBand> bands;
};

// Stacks the bands of one part onto pages of the given body size: a band that does not
// fit moves to the next page, or is split there when it can be; headings keep with what
// follows them; a table's header opens each further page of the table. A band taller
// than a whole page that cannot be split is clipped at the page end.
std::vector<LaidOutPage> paginate(const std::vector<BandPtr>& bands, const LayoutContext& ctx,
                                  qreal width, qreal bodyHeight, size_t part);
