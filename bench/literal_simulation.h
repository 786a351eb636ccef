// A plain transcription of the simulation run, kept as the baseline that the program's run is
// measured and checked against: the prime-table reduction test, every harmonic order tried, one
// record per spot, and the quadratic selection sort.
#pragma once

#include "xelmor/core/params.h"
#include "xelmor/core/simulation.h"

namespace xelmor {

void RunSimulationLiteral(CParameterSet& params, SimulationResult& result);

} // namespace xelmor
