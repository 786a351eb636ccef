// The Laue simulation run: every reduced reflection within the index ranges that reaches the
// film becomes one spot with its harmonic orders, the levels are normalised and the spots kept
// strongest first.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "xelmor/core/lattice.h"
#include "xelmor/core/params.h"
#include "xelmor/core/spot.h"

namespace xelmor {

struct RunCache;

// What a run leaves behind for the view, the tools and the files: the document's side of the
// run. Lengths in 0.1 mm in detector coordinates.
struct SimulationResult {
    std::vector<CDot> spots;                       // strongest first
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0; // film area of the run
    double runShiftX = 0, runShiftY = 0;           // film shift at the run
    double cosTilt = 1, sinTilt = 0;
    double spot000X = 0, spot000Y = 0; // direct beam on the film; 1e8 when it misses
    Mat3 orient{};                     // lab components of a*, b*, c* (columns)

    // Tables of the crystal and the spectrum that the next run reuses while they still fit.
    std::shared_ptr<RunCache> cache;
};

// Runs the simulation on the parameter set. Reads the crystal, spectrum, geometry, rotation and
// detector; updates the levels m_Isat, m_Itrunc, m_Imax, m_Saturate and m_Truncate (a pattern
// with m_Isat <= 0 is normalised in two passes); clears the look-up-table markers unless the
// rotation-around-G dialog is open; and replaces everything in `result` (spot000Y keeps its
// previous value when the beam runs parallel to the film). Returns true when the level
// fractions were re-expressed against the new maximum, so the caller shows them again.
// The caller clears the selection and the panel boxes and shows the spot count.
bool RunSimulation(CParameterSet& params, SimulationResult& result);

// The text of a level fraction as the panel shows it: 100 x fraction with the number formatter
// and "%" (saturation with 2 decimals, truncation with 3).
std::string SaturatePercentText(double saturate);
std::string TruncatePercentText(double truncate);

// The panel's spot-count text, "%d spots".
std::string SpotCountText(int count);

} // namespace xelmor
