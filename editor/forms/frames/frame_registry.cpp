#include "editor/forms/frames/frame_registry.h"

namespace editor {

const std::vector<PageFrames>& framePages() {
    static const std::vector<PageFrames> pages = {
        {QStringLiteral("&Objaśnienia"), introductionFrames()},
        {QStringLiteral("&1 - 4"), programmeFrames()},
        {QStringLiteral("&6 - 6e"), projectFrames()},
        {QStringLiteral("6&f - 6g"), linksFrames()},
        {QStringLiteral("6&i - 6k"), durabilityFrames()},
        {QStringLiteral("6&p - 6s"), policyFrames()},
        {QStringLiteral("6&t - 6u"), procurementFrames()},
        {QStringLiteral("&5 - 5a"), applicantFrames()},
        {QStringLiteral("5&b - 5c"), representativeFrames()},
        {QStringLiteral("6&h"), institutionsFrames()},
        {QStringLiteral("&Oświadczenie beneficjenta"), statementFrames()},
        {QStringLiteral("6&l"), indicatorFrames()},
        {QStringLiteral("6ł - 6&m"), profitExpenditureFrames()},
        {QStringLiteral("6&n - 6o"), sourcesProfileFrames()},
        {QStringLiteral("Z&ałączniki"), attachmentFrames()},
    };
    return pages;
}

const PageFrames* framesForPage(const QString& caption) {
    for (const PageFrames& page : framePages())
        if (page.caption == caption) return &page;
    return nullptr;
}

} // namespace editor
