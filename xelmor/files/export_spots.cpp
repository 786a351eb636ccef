#include "xelmor/files/export_spots.h"

#include "xelmor/core/view_mapping.h"

#include <algorithm>

namespace xelmor {

std::vector<ExportSpot> SortedExportSpots(const std::vector<CDot>& spots, double isat,
                                          const MergeSlot* merge1, const MergeSlot* merge2) {
    std::vector<ExportSpot> out;
    int source = 1;
    for (const MergeSlot* slot : {merge1, merge2}) {
        if (slot && !slot->records.empty()) {
            const double n = MergeNormaliser(slot->saturate, slot->records.front().intensity,
                                             !spots.empty(), isat);
            for (const MergedSpot& r : slot->records)
                out.push_back({r.x, r.y, r.intensity / n, source});
        }
        ++source;
    }
    for (const CDot& s : spots)
        out.push_back({s.x, s.y, s.intensity / isat, 0});
    // A level that cannot be compared (a normaliser of 0) sorts as saturated.
    const auto key = [](const ExportSpot& s) { return s.level == s.level ? s.level : 1e300; };
    std::stable_sort(out.begin(), out.end(),
                     [&key](const ExportSpot& a, const ExportSpot& b) { return key(a) > key(b); });
    return out;
}

} // namespace xelmor
