// The simulation run against the silicon reference pattern and its edge cases.
#include "xelmor/core/simulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <set>
#include <tuple>

#include "xelmor/core/spot_order.h"

namespace xelmor {
namespace {

constexpr double kPrintedDigits = 5e-3; // table values are printed to about six digits
constexpr double kRelative = 1e-6;

std::vector<AtomSite> Diamond() {
    std::vector<AtomSite> atoms;
    const double fcc[4][3] = {{0, 0, 0}, {0, 0.5, 0.5}, {0.5, 0, 0.5}, {0.5, 0.5, 0}};
    for (double shift : {0.0, 0.25})
        for (const auto& f : fcc)
            atoms.push_back({14, f[0] + shift, f[1] + shift, f[2] + shift, 1.0});
    return atoms;
}

// The reference case: silicon a = 5.431, transmission, D 50 mm, film 200 x 150 mm, surface
// (0 0 1), horizontal (1 0 0), ranges 4, a flat spectrum from 0.2 to 2.19 Angstrom.
CParameterSet SiliconReference(std::vector<AtomSite> atoms = Diamond()) {
    CParameterSet p;
    TakeOverCrystal(p, {"Silicon", 5.431, 5.431, 5.431, 90, 90, 90, std::move(atoms)});
    for (int i = 0; i < 200; ++i) {
        p.m_Wavelength.push_back(0.2 + 0.01 * i);
        p.m_Intensity.push_back(1.0);
    }
    p.m_bGeometrySet = 1;
    p.m_TransOrBack = 0;
    p.m_D = 500;
    p.m_FilmWidth = 2000;
    p.m_FilmHeight = 1500;
    p.m_H = 0, p.m_K = 0, p.m_L = 1;
    p.m_h = 1, p.m_k = 0, p.m_l = 0;
    p.m_Hmax = p.m_Kmax = p.m_Lmax = 4;
    p.m_Isat = -1;
    p.m_Saturate = 1;
    p.m_Truncate = 0.01;
    return p;
}

struct Family {
    int absH, absK, l; // |h| |k| l of the family's members
    double absX, absY; // |x| |y| in 0.1 mm
    double lambda1, d; // Angstrom
    int n;             // the single kept order
    double F2, I;
};

const Family kFamilies[] = {
    {1, 3, 1, 111.111, 333.333, 0.9874545, 1.637508, 1, 2129.19, 5952.43},
    {3, 1, 1, 333.333, 111.111, 0.9874545, 1.637508, 1, 2129.19, 5952.43},
    {2, 1, 1, 500, 250, 1.8103333, 2.217196, 2, 2889.24, 4152.47},
    {1, 2, 1, 250, 500, 1.8103333, 2.217196, 2, 2889.24, 4152.47},
    {3, 3, 1, 176.471, 176.471, 0.5716842, 1.245957, 1, 1660.67, 1250.9648},
};

const Family* FamilyOf(const CDot& s) {
    for (const Family& f : kFamilies)
        if (std::abs(s.h) == f.absH && std::abs(s.k) == f.absK && s.l == f.l)
            return &f;
    return nullptr;
}

TEST(Simulation, SiliconReferencePattern) {
    CParameterSet p = SiliconReference();
    SimulationResult r;
    EXPECT_TRUE(RunSimulation(p, r));

    ASSERT_EQ(r.spots.size(), 20u);
    EXPECT_NEAR(p.m_Imax, 5952.43, kPrintedDigits);
    EXPECT_NEAR(p.m_Isat, 5952.43, kPrintedDigits);
    EXPECT_NEAR(p.m_Itrunc, 59.5243, kPrintedDigits);
    EXPECT_NEAR(p.m_Saturate, 1.0, kRelative);
    EXPECT_NEAR(p.m_Truncate, 0.01, kRelative);
    EXPECT_EQ(SaturatePercentText(p.m_Saturate), "100%");
    EXPECT_EQ(TruncatePercentText(p.m_Truncate), "1%");

    std::set<std::tuple<int, int, int>> seen;
    for (std::size_t i = 0; i < r.spots.size(); ++i) {
        const CDot& s = r.spots[i];
        const Family* f = FamilyOf(s);
        ASSERT_NE(f, nullptr) << s.h << ' ' << s.k << ' ' << s.l;
        EXPECT_TRUE(seen.insert({s.h, s.k, s.l}).second);
        // Signs of the position follow the signs of h and k.
        EXPECT_NEAR(s.x, std::copysign(f->absX, s.h), kPrintedDigits);
        EXPECT_NEAR(s.y, std::copysign(f->absY, s.k), kPrintedDigits);
        EXPECT_NEAR(s.lambda, f->lambda1, 1e-6);
        EXPECT_NEAR(s.d, f->d, 1e-6);
        ASSERT_EQ(s.nHarmonics(), 1);
        EXPECT_EQ(s.harmonics[0].n, f->n);
        EXPECT_NEAR(s.harmonics[0].F2, f->F2, kPrintedDigits);
        EXPECT_NEAR(s.harmonics[0].intensity, f->I, kPrintedDigits);
        EXPECT_EQ(s.intensity, s.harmonics[0].intensity);
        // Strongest first: eight (1 3 1)-type spots, eight (2 1 1)-type, four (3 3 1)-type.
        const int group = i < 8 ? 0 : i < 16 ? 1 : 2;
        EXPECT_EQ(group, f->I > 5000 ? 0 : f->I > 4000 ? 1 : 2) << "position " << i;
    }
    // The direct beam hits the film centre.
    EXPECT_EQ(r.spot000X, 0);
    EXPECT_EQ(r.spot000Y, 0);
    EXPECT_DOUBLE_EQ(r.xMin, -1000);
    EXPECT_DOUBLE_EQ(r.yMax, 750);
}

TEST(Simulation, TournamentOrderEqualsTheLiteralSelectionSort) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 200; ++trial) {
        const int n = trial < 20 ? trial : 1 + static_cast<int>(random() % 400);
        const int distinct = 1 + static_cast<int>(random() % 6); // many exact ties
        std::vector<double> v(n);
        for (double& x : v)
            x = static_cast<double>(random() % distinct) * 0.5;
        EXPECT_EQ(SelectionSortOrder(v), SelectionSortOrderLiteral(v)) << "trial " << trial;
    }
}

TEST(Simulation, TwoRunsGiveTheSameSpotsAndLevels) {
    CParameterSet p = SiliconReference();
    SimulationResult first, second;
    RunSimulation(p, first);
    const double isat = p.m_Isat, saturate = p.m_Saturate, truncate = p.m_Truncate;
    RunSimulation(p, second);
    ASSERT_EQ(first.spots.size(), second.spots.size());
    for (std::size_t i = 0; i < first.spots.size(); ++i) {
        EXPECT_EQ(first.spots[i].h, second.spots[i].h);
        EXPECT_EQ(first.spots[i].k, second.spots[i].k);
        EXPECT_EQ(first.spots[i].intensity, second.spots[i].intensity);
    }
    EXPECT_EQ(p.m_Isat, isat);
    EXPECT_EQ(SaturatePercentText(p.m_Saturate), SaturatePercentText(saturate));
    EXPECT_EQ(TruncatePercentText(p.m_Truncate), TruncatePercentText(truncate));
}

TEST(Simulation, ALoweredSaturationPersists) {
    CParameterSet p = SiliconReference();
    SimulationResult r;
    RunSimulation(p, r);
    const double imax = p.m_Imax;
    p.m_Saturate = 0.5; // typed "50%"
    RunSimulation(p, r);
    EXPECT_DOUBLE_EQ(p.m_Isat, 0.5 * imax);
    p.m_Rot1 = 0.5; // a later change keeps the absolute level
    RunSimulation(p, r);
    EXPECT_DOUBLE_EQ(p.m_Isat, 0.5 * imax);
    EXPECT_NE(p.m_Imax, imax);
    EXPECT_DOUBLE_EQ(p.m_Saturate, 0.5 * imax / p.m_Imax);
}

TEST(Simulation, AnOrderOutsideTheSpectrumLeavesTheNextOne) {
    // One atom per cell forbids nothing; (1 3 1) diffracts at 0.987 A, outside 0.2..0.9, and its
    // second order (2 6 2) at 0.494 A, inside.
    CParameterSet p = SiliconReference({{14, 0, 0, 0, 1}});
    p.m_Hmax = p.m_Kmax = p.m_Lmax = 8;
    p.m_Wavelength.resize(71);
    p.m_Intensity.resize(71);
    SimulationResult r;
    RunSimulation(p, r);
    bool found = false;
    for (const CDot& s : r.spots) {
        if (s.h == 1 && s.k == 3 && s.l == 1) {
            found = true;
            ASSERT_EQ(s.nHarmonics(), 1);
            EXPECT_EQ(s.harmonics[0].n, 2);
            EXPECT_NEAR(s.lambda, 0.9874545, 1e-6);
        }
    }
    EXPECT_TRUE(found);
}

// Whether the run kept the spot (h k l).
bool Has(const SimulationResult& r, const CDot& spot) {
    for (const CDot& s : r.spots)
        if (s.h == spot.h && s.k == spot.k && s.l == spot.l)
            return true;
    return false;
}

TEST(Simulation, TruncationEqualToASpotDropsIt) {
    CParameterSet p = SiliconReference();
    SimulationResult r;
    RunSimulation(p, r);
    const CDot weakest = r.spots.back(); // a (3 3 1)-type spot with one harmonic
    // A normalised pattern whose m_Imax x m_Truncate is exactly the weakest intensity.
    p.m_Imax = weakest.intensity;
    p.m_Truncate = 1.0;
    RunSimulation(p, r);
    ASSERT_EQ(p.m_Itrunc, weakest.intensity);
    EXPECT_FALSE(Has(r, weakest));
    for (const CDot& s : r.spots)
        EXPECT_GT(s.intensity, weakest.intensity);
    EXPECT_GE(r.spots.size(), 16u); // the stronger families stay
}

TEST(Simulation, PointsOnTheFilmBorderAreKept) {
    CParameterSet p = SiliconReference();
    SimulationResult r;
    RunSimulation(p, r);
    CDot rightmost = r.spots.front();
    for (const CDot& s : r.spots)
        if (s.x > rightmost.x)
            rightmost = s;
    // The film's right edge exactly through the rightmost spot (x about 500).
    p.m_FilmWidth = 2 * rightmost.x;
    p.m_Isat = -1;
    RunSimulation(p, r);
    ASSERT_EQ(r.xMax, rightmost.x);
    EXPECT_TRUE(Has(r, rightmost));
    p.m_FilmWidth = std::nextafter(2 * rightmost.x, 0.0);
    p.m_Isat = -1;
    RunSimulation(p, r);
    EXPECT_FALSE(Has(r, rightmost));
}

TEST(Simulation, NoRangesOrNoSpectrumGiveNoSpot) {
    CParameterSet p = SiliconReference();
    p.m_Hmax = p.m_Kmax = p.m_Lmax = 0;
    SimulationResult r;
    EXPECT_FALSE(RunSimulation(p, r));
    EXPECT_TRUE(r.spots.empty());
    EXPECT_EQ(p.m_Isat, -1);
    EXPECT_EQ(SpotCountText(0), "0 spots");

    CParameterSet q = SiliconReference();
    q.m_Wavelength.resize(1);
    q.m_Intensity.resize(1);
    RunSimulation(q, r);
    EXPECT_TRUE(r.spots.empty());

    // With Hmax 0 only h = 0 triples are tried.
    CParameterSet s = SiliconReference({{14, 0, 0, 0, 1}});
    s.m_Hmax = 0;
    s.m_Kmax = s.m_Lmax = 6;
    s.m_Rot1 = 20, s.m_Rot2 = 10;
    RunSimulation(s, r);
    ASSERT_FALSE(r.spots.empty());
    for (const CDot& dot : r.spots)
        EXPECT_EQ(dot.h, 0);
}

TEST(Simulation, BackReflectionSeesOnlyHighAngleBeamsMirroredInX) {
    CParameterSet p = SiliconReference({{14, 0, 0, 0, 1}});
    p.m_TransOrBack = 1;
    p.m_Hmax = p.m_Kmax = p.m_Lmax = 6;
    p.m_Rot1 = 3;
    SimulationResult r;
    RunSimulation(p, r);
    ASSERT_FALSE(r.spots.empty());
    for (const CDot& s : r.spots) {
        const Vec3 G = LabVector(r.orient, s.h, s.k, s.l);
        const double g = std::sqrt(Dot(G, G));
        const double sigma = G[2] / g;
        EXPECT_GT(2 * sigma * sigma - 1, 0);
        // The lab x' component of the beam, 2 sigma Gx / g, has the opposite sign of x.
        if (std::abs(G[0]) > 1e-9) {
            EXPECT_LT(s.x * G[0], 0) << s.h << ' ' << s.k << ' ' << s.l;
        }
    }
}

TEST(Simulation, LookUpTableMarkersAreClearedUnlessRotatingAroundG) {
    CParameterSet p = SiliconReference();
    p.m_bMajorSpot = p.m_bSecondSpot = 1;
    SimulationResult r;
    RunSimulation(p, r);
    EXPECT_EQ(p.m_bMajorSpot, 0);
    EXPECT_EQ(p.m_bSecondSpot, 0);
    p.m_bMajorSpot = p.m_bSecondSpot = 1;
    p.m_bFixReflOpen = 1;
    RunSimulation(p, r);
    EXPECT_EQ(p.m_bMajorSpot, 1);
    EXPECT_EQ(p.m_bSecondSpot, 1);
}

} // namespace
} // namespace xelmor
