// The look-up table's pair search on the candidate cap (cubic cell, limits 13 13 13, tolerance
// 0.2 degrees, an angle that fills the row list): the plain transcription with its scan of the
// listed rows for the reversed pair against the program's search, in the same program.
#include <benchmark/benchmark.h>

#include "bench/literal_lut.h"
#include "xelmor/core/lut.h"

using namespace xelmor;

namespace {

template <bool Fast> void Run(benchmark::State& state) {
    const LutCapCase c = MakeLutCapCase();
    HklList first, second;
    for (auto _ : state) {
        if constexpr (Fast)
            SearchPlanePairs(c.rb, c.planes, c.angleRad, c.tolRad, first, second);
        else
            SearchPlanePairsLiteral(c.rb, c.planes, c.angleRad, c.tolRad, first, second);
        benchmark::DoNotOptimize(first.Items().data());
    }
    state.counters["candidates"] = c.planes.Count();
    state.counters["pairs"] = first.Count();
}

} // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("literal/cap", Run<false>)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("fast/cap", Run<true>)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
