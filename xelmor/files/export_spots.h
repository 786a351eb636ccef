// The spots of an exported image in the order they are drawn when merged and current spots are
// sorted together, so that strong spots lie over weak ones whichever pattern they belong to.
#pragma once

#include "xelmor/core/spot.h"
#include "xelmor/files/pattern_text.h"

#include <vector>

namespace xelmor {

// One spot to draw: film position (0.1 mm), intensity over its pattern's normaliser, and where
// it comes from (0 the current pattern, 1 or 2 a merge slot).
struct ExportSpot {
    double x = 0.0, y = 0.0;
    double level = 0.0; // normalised intensity: 1 is saturated
    int source = 0;

    bool operator==(const ExportSpot&) const = default;
};

// The merged records of both slots (intensity over the slot's normaliser) and the current
// spots (intensity over `isat`), strongest first; records of equal level keep the order slot 1,
// slot 2, current pattern, each in its list order. Drawn from the last to the first.
std::vector<ExportSpot> SortedExportSpots(const std::vector<CDot>& spots, double isat,
                                          const MergeSlot* merge1, const MergeSlot* merge2);

} // namespace xelmor
