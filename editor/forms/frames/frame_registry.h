#pragma once

#include "editor/forms/description/frame_description.h"

#include <vector>

namespace editor {

// The frames of one inner page, top to bottom.
struct PageFrames {
    QString caption; // exactly as on the page's tab
    std::vector<FrameDescription> frames;
};

// Every page that has frames, in the order of the tabs.
const std::vector<PageFrames>& framePages();
// The frames of the page with this caption; nullptr when it has none.
const PageFrames* framesForPage(const QString& caption);

// One function per inner page, each in its own file.
std::vector<FrameDescription> introductionFrames();      // "&Objaśnienia"
std::vector<FrameDescription> programmeFrames();         // "&1 - 4"
std::vector<FrameDescription> projectFrames();           // "&6 - 6e"
std::vector<FrameDescription> linksFrames();             // "6&f - 6g"
std::vector<FrameDescription> durabilityFrames();        // "6&i - 6k"
std::vector<FrameDescription> policyFrames();            // "6&p - 6s"
std::vector<FrameDescription> procurementFrames();       // "6&t - 6u"
std::vector<FrameDescription> indicatorFrames();         // "6&l"
std::vector<FrameDescription> profitExpenditureFrames(); // "6ł - 6&m"
std::vector<FrameDescription> sourcesProfileFrames();    // "6&n - 6o"
std::vector<FrameDescription> attachmentFrames();        // "Z&ałączniki"

// The applicant page: "&5 - 5a", "5&b - 5c", "6&h", "&Oświadczenie beneficjenta".
std::vector<FrameDescription> applicantFrames();
std::vector<FrameDescription> representativeFrames();
std::vector<FrameDescription> institutionsFrames();
std::vector<FrameDescription> statementFrames();

} // namespace editor
