#include "print/layout/band.h"

Band::Split Band::split(const LayoutContext&, qreal, qreal) const {
    return {};
}
