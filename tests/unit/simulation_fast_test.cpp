// The program's run against the plain transcription of the run: the same spots with the same
// values, in the same order up to neighbours whose intensities tie to the last bits.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <tuple>

#include "bench/cases.h"
#include "bench/literal_simulation.h"
#include "xelmor/core/simulation.h"

namespace xelmor {
namespace {

constexpr double kRelative = 1e-9;

bool Close(double a, double b) {
    return std::fabs(a - b) <= kRelative * std::max(std::fabs(a), std::fabs(b));
}

using Hkl = std::tuple<int, int, int>;
Hkl Key(const CDot& s) {
    return {s.h, s.k, s.l};
}

void ExpectSameSpots(const std::vector<CDot>& fast, const std::vector<CDot>& literal) {
    ASSERT_EQ(fast.size(), literal.size());
    std::map<Hkl, const CDot*> byHkl;
    for (const CDot& s : literal)
        byHkl[Key(s)] = &s;
    for (const CDot& s : fast) {
        auto it = byHkl.find(Key(s));
        ASSERT_NE(it, byHkl.end()) << s.h << ' ' << s.k << ' ' << s.l;
        const CDot& t = *it->second;
        EXPECT_TRUE(Close(s.x, t.x) && Close(s.y, t.y) && Close(s.lambda, t.lambda) &&
                    Close(s.d, t.d) && Close(s.intensity, t.intensity))
            << s.h << ' ' << s.k << ' ' << s.l;
        ASSERT_EQ(s.nHarmonics(), t.nHarmonics()) << s.h << ' ' << s.k << ' ' << s.l;
        for (int i = 0; i < s.nHarmonics(); ++i) {
            EXPECT_EQ(s.harmonics[i].n, t.harmonics[i].n);
            EXPECT_TRUE(Close(s.harmonics[i].F2, t.harmonics[i].F2));
            EXPECT_TRUE(Close(s.harmonics[i].intensity, t.harmonics[i].intensity));
        }
    }
    // Order: each run of neighbours whose intensities tie within the tolerance holds the same
    // spots in both lists.
    for (std::size_t begin = 0; begin < literal.size();) {
        std::size_t end = begin + 1;
        while (end < literal.size() && Close(literal[end].intensity, literal[begin].intensity))
            ++end;
        std::set<Hkl> a, b;
        for (std::size_t i = begin; i < end; ++i) {
            a.insert(Key(literal[i]));
            b.insert(Key(fast[i]));
        }
        EXPECT_EQ(a, b) << "positions " << begin << " to " << end - 1;
        begin = end;
    }
}

class SimulationFastPath : public ::testing::TestWithParam<const char*> {};

TEST_P(SimulationFastPath, GivesTheSpotsOfThePlainRun) {
    CParameterSet fastParams = SimulationCase(GetParam(), XELMOR_DATA_DIR);
    CParameterSet literalParams = fastParams;
    SimulationResult fast, literal;
    // The normalising run, then a steady-state run with a turned crystal.
    for (int run = 0; run < 2; ++run) {
        RunSimulation(fastParams, fast);
        RunSimulationLiteral(literalParams, literal);
        ASSERT_FALSE(literal.spots.empty());
        ExpectSameSpots(fast.spots, literal.spots);
        EXPECT_TRUE(Close(fastParams.m_Imax, literalParams.m_Imax));
        EXPECT_TRUE(Close(fastParams.m_Isat, literalParams.m_Isat));
        EXPECT_TRUE(Close(fastParams.m_Itrunc, literalParams.m_Itrunc));
        EXPECT_TRUE(Close(fastParams.m_Saturate, literalParams.m_Saturate));
        fastParams.m_Rot2 = literalParams.m_Rot2 = fastParams.m_Rot2 + 7;
    }
}

// Geometries the cases above leave out: back reflection, a tilted and shifted film, another
// rotation sequence, a tiny film, a narrow spectrum.
TEST(SimulationFastPathGeometries, GiveTheSpotsOfThePlainRun) {
    struct Variation {
        const char* what;
        void (*apply)(CParameterSet&);
    } const variations[] = {
        {"back reflection", [](CParameterSet& p) { p.m_TransOrBack = 1, p.m_Rot1 = 4; }},
        {"back reflection tilted",
         [](CParameterSet& p) { p.m_TransOrBack = 1, p.m_Tilt = -25, p.m_ShiftY = 300; }},
        {"tilted and shifted",
         [](CParameterSet& p) { p.m_Tilt = 30, p.m_ShiftX = -400, p.m_Rot3 = 12; }},
        {"sequence ZXY",
         [](CParameterSet& p) { p.m_RotCrystSeq = 4, p.m_Rot1 = 33, p.m_Rot2 = 5; }},
        {"small film", [](CParameterSet& p) { p.m_FilmWidth = 200, p.m_FilmHeight = 200; }},
        {"narrow spectrum",
         [](CParameterSet& p) {
             p.m_Wavelength.resize(40);
             p.m_Intensity.resize(40);
             p.m_Truncate = 0.001;
         }},
    };
    for (const Variation& v : variations) {
        SCOPED_TRACE(v.what);
        CParameterSet fastParams = SimulationCase("si_default", XELMOR_DATA_DIR);
        v.apply(fastParams);
        CParameterSet literalParams = fastParams;
        SimulationResult fast, literal;
        RunSimulation(fastParams, fast);
        RunSimulationLiteral(literalParams, literal);
        EXPECT_GT(literal.spots.size(), 3u);
        ExpectSameSpots(fast.spots, literal.spots);
        EXPECT_TRUE(Close(fastParams.m_Isat, literalParams.m_Isat));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SimulationFastPath,
                         ::testing::Values("si_reference", "si_default", "large_cell"));

} // namespace
} // namespace xelmor
