// A plain transcription of the look-up table's pair search, kept as the baseline that the
// program's search is measured and checked against: every ordered pair of candidates gets the
// arc-cosine test, and every accepted pair is looked up among the rows listed so far in its
// reversed form.
#pragma once

#include "xelmor/core/lut.h"

namespace xelmor {

PairSearchEnd SearchPlanePairsLiteral(const ReciprocalBasis& rb, const HklList& planes,
                                      double angleRad, double tolRad, HklList& first,
                                      HklList& second);

// The cubic cell (a = 1 Angstrom), its candidate planes for limits 13 13 13 and an angle that
// fills the row list: the case the two searches are measured on.
struct LutCapCase {
    ReciprocalBasis rb;
    HklList planes;
    double angleRad = 0, tolRad = 0;
};
LutCapCase MakeLutCapCase();

} // namespace xelmor
