// The patterns the simulation is measured and checked on.
#pragma once

#include <string>
#include <string_view>

#include "xelmor/core/params.h"

namespace xelmor {

// "si_reference": silicon a = 5.431, flat spectrum 0.2..2.19 A, ranges 4.
// "si_default": silicon a = 5.4309, ranges 16, the geometry dialog's defaults, NSLS-BM.spct.
// "large_cell": cubic a = 25 with 8 Fe and 8 O at general positions, ranges 75, rotations
// 10 20 30 in YXZ, NSLS-BM.spct.
// The spectrum file is read from `dataDir`. The pattern is not normalised yet (m_Isat = -1).
CParameterSet SimulationCase(std::string_view name, const std::string& dataDir);

} // namespace xelmor
