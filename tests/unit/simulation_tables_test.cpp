// The tables a run precomputes must answer exactly what the plain computations answer.
#include "xelmor/core/simulation_tables.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <random>

#include "xelmor/core/form_factors.h"
#include "xelmor/core/intensity.h"
#include "xelmor/core/worker_pool.h"

namespace xelmor {
namespace {

TEST(SimulationTables, SpectrumIndexFromTheGridEqualsTheSearch) {
    std::mt19937 random(3);
    for (int n : {2, 3, 4, 7, 50, 291, 2000}) {
        CParameterSet p;
        double w = 0.1;
        for (int i = 0; i < n; ++i) {
            p.m_Wavelength.push_back(w);
            p.m_Intensity.push_back(1.0 + (random() % 100) / 7.0);
            w += 0.001 + (random() % 1000) / 1000.0 * (i % 17 == 0 ? 0.5 : 0.01); // uneven steps
        }
        const SpectrumTables tables(p);
        const double first = p.m_Wavelength.front(), last = p.m_Wavelength.back();
        std::uniform_real_distribution<double> lambda(first, last);
        std::vector<double> probes(p.m_Wavelength); // every sample itself
        for (int i = 0; i < 2000; ++i)
            probes.push_back(lambda(random));
        for (double x : probes) {
            ASSERT_EQ(tables.Index(x), SpectrumIndex(p.m_Wavelength.data(), n, x))
                << "n " << n << " lambda " << x;
            const double S = SpectrumIntensity(p.m_Wavelength.data(), p.m_Intensity.data(), n, x);
            ASSERT_LE(S, tables.MaxUpTo(x)) << "n " << n << " lambda " << x;
        }
    }
}

TEST(SimulationTables, FormFactorBoundsHoldAboveEveryCell) {
    CParameterSet p;
    TakeOverCrystal(p, {"",
                        5,
                        6,
                        7,
                        90,
                        100,
                        90,
                        {{8, 0.1, 0.2, 0.3, 1}, {26, 0.5, 0.5, 0.5, 0.7}, {92, 0, 0, 0, 1}}});
    p.m_Hmax = p.m_Kmax = p.m_Lmax = 10;
    const CrystalTables tables(p);
    ASSERT_TRUE(tables.boundValid);
    for (double s2 = 0; s2 < 10; s2 += 0.0137) {
        const int cell = tables.Cell(s2);
        double inPhase = 0;
        for (std::size_t g = 0; g < tables.groupZ.size(); ++g) {
            const double f = std::fabs(FormFactor(tables.groupZ[g], s2));
            EXPECT_LE(f, tables.FormFactorBound(static_cast<int>(g), cell)) << s2;
            inPhase += f * (g == 1 ? 0.7 : 1.0);
        }
        EXPECT_LE(inPhase * inPhase, tables.InPhaseBound(cell)) << s2;
    }
}

TEST(SimulationTables, WorkerPoolRunsTheJobEverywhereEveryTime) {
    WorkerPool pool;
    for (int round = 0; round < 200; ++round) {
        std::atomic<int> calls{0}, next{0}, sum{0};
        pool.Run([&] {
            ++calls;
            for (int i = next++; i < 100; i = next++)
                sum += i;
        });
        ASSERT_EQ(calls.load(), pool.Threads());
        ASSERT_EQ(sum.load(), 4950);
    }
}

} // namespace
} // namespace xelmor
