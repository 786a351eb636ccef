#include "bench/literal_lut.h"

#include <cmath>

namespace xelmor {

PairSearchEnd SearchPlanePairsLiteral(const ReciprocalBasis& rb, const HklList& planes,
                                      double angleRad, double tolRad, HklList& first,
                                      HklList& second) {
    first.Clear();
    second.Clear();
    int count = 0;
    for (int i = 0; i < planes.Count(); ++i) {
        const HklTriple& a = planes[i];
        for (int j = 0; j < planes.Count(); ++j) {
            if (j == i)
                continue;
            const HklTriple& b = planes[j];
            const double theta = AngleBetweenPlanes(rb, a.h, a.k, a.l, b.h, b.k, b.l);
            if (std::fabs(theta - angleRad) > tolRad)
                continue;
            bool listed = false;
            for (int r = 0; r < count && !listed; ++r)
                listed = first[r] == b && second[r] == a;
            if (listed)
                continue;
            first.Add(a);
            second.Add(b);
            if (++count == HklList::kMaxSize)
                return PairSearchEnd::TooMany;
        }
    }
    return PairSearchEnd::Complete;
}

LutCapCase MakeLutCapCase() {
    LutCapCase c;
    c.rb = ReciprocalBasisFromCell(1, 1, 1, 90, 90, 90);
    BuildCandidatePlanes(13, 13, 13, c.planes);
    const double degToRad = std::acos(-1.0) / 180.0;
    c.angleRad = 37.5 * degToRad;
    c.tolRad = 0.2 * degToRad;
    return c;
}

} // namespace xelmor
