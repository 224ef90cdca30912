// Parts of the panel a handler may have changed; the view repaints only these.
#pragma once

namespace qx::panel {

enum Region : unsigned {
    kNoRegion = 0,
    kRegionFrequency = 1u << 0,
    kRegionClarifier = 1u << 1,
    kRegionSegments = 1u << 2,
    kRegionVfoMemory = 1u << 3,
    kRegionMeter = 1u << 4,
    kRegionGraphs = 1u << 5,
    kRegionKnobs = 1u << 6,
    kRegionMainDial = 1u << 7,
    kRegionSecondDial = 1u << 8,
    kRegionKeys = 1u << 9,
    kRegionKnobLabels = 1u << 10,
    kAllRegions = (1u << 11) - 1,
};

} // namespace qx::panel
