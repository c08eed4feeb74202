#include "editor/forms/frames/frame_registry.h"

namespace editor {

const std::vector<PageFrames>& framePages() {
    static const std::vector<PageFrames> pages = {
        {QStringLiteral("&Objaśnienia"), introductionFrames()},
        {QStringLiteral("&1 - 4"), programmeFrames()},
    };
    return pages;
}

const PageFrames* framesForPage(const QString& caption) {
    for (const PageFrames& page : framePages())
        if (page.caption == caption) return &page;
    return nullptr;
}

} // namespace editor
