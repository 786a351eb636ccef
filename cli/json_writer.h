// The JSON description of a simulated pattern that the batch simulator writes.
#pragma once

#include <string>

#include "xelmor/core/lut.h"
#include "xelmor/core/params.h"
#include "xelmor/core/simulation.h"

namespace xelmor {

// One object: the spot list in list order (h k l x y lambda d intensity and the harmonics as
// n F2 intensity), the levels, spot 000 ([x, y] or null when it misses the film) and the
// orientation matrix by rows. Lengths in 0.1 mm as stored; every real with 17 significant
// digits, a value that is not finite as null.
// With `lut`, the object also holds "lut": the measured angle in degrees and the pairs of the
// look-up table's search in list order, each [h1, k1, l1, h2, k2, l2].
std::string PatternJson(const CParameterSet& params, const SimulationResult& result,
                        const CLookUpTable* lut = nullptr);

} // namespace xelmor
