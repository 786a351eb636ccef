// The simulation run in the steady state that the automatic rotation and every typed angle
// produce (levels already normalised, one pass): the plain transcription against the program's
// run, in the same program.
#include <benchmark/benchmark.h>

#include "bench/cases.h"
#include "bench/literal_simulation.h"
#include "xelmor/core/simulation.h"

#include <string>

using namespace xelmor;

namespace {

template <bool Fast> void Run(benchmark::State& state, const char* name) {
    CParameterSet p = SimulationCase(name, XELMOR_DATA_DIR);
    SimulationResult r;
    RunSimulation(p, r); // normalise once
    for (auto _ : state) {
        if constexpr (Fast)
            RunSimulation(p, r);
        else
            RunSimulationLiteral(p, r);
        benchmark::DoNotOptimize(r.spots.data());
    }
    state.counters["spots"] = static_cast<double>(r.spots.size());
}

} // namespace

int main(int argc, char** argv) {
    for (const char* name : {"si_reference", "si_default", "large_cell"}) {
        benchmark::RegisterBenchmark((std::string("literal/") + name).c_str(), Run<false>, name)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("fast/") + name).c_str(), Run<true>, name)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
