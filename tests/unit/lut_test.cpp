// The look-up table without widgets: the candidate planes, the pair search against its plain
// transcription, the measured spots, the triplet search and its refusals, the clamping of the
// typed inputs, and a round trip from a simulated pattern back to its orientation.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "bench/cases.h"
#include "bench/literal_lut.h"
#include "structfile/number_format.h"
#include "xelmor/core/lut.h"
#include "xelmor/core/simulation.h"

namespace xelmor {
namespace {

const double kDeg = std::acos(-1.0) / 180.0;
constexpr double kOnMarker = 0.1;  // 0.1 mm units: 0.01 mm
constexpr double kRelative = 1e-9; // intensities of one orientation computed twice

std::vector<HklTriple> Triples(const HklList& list) {
    return list.Items();
}

ReciprocalBasis Cubic() {
    return ReciprocalBasisFromCell(1, 1, 1, 90, 90, 90);
}

TEST(LutCandidates, OrderSignsAndReduction) {
    HklList planes;
    BuildCandidatePlanes(1, 1, 1, planes);
    const std::vector<HklTriple> expected = {
        {0, 0, 1},   {0, 0, -1}, {0, 1, 0},   {0, -1, 0},  {0, 1, 1},   {0, 1, -1}, {0, -1, 1},
        {0, -1, -1}, {1, 0, 0},  {-1, 0, 0},  {1, 0, 1},   {1, 0, -1},  {-1, 0, 1}, {-1, 0, -1},
        {1, 1, 0},   {1, -1, 0}, {-1, 1, 0},  {-1, -1, 0}, {1, 1, 1},   {1, 1, -1}, {1, -1, 1},
        {1, -1, -1}, {-1, 1, 1}, {-1, 1, -1}, {-1, -1, 1}, {-1, -1, -1}};
    EXPECT_EQ(Triples(planes), expected);

    BuildCandidatePlanes(5, 5, 5, planes);
    EXPECT_EQ(planes.Count(), 1154);

    BuildCandidatePlanes(2, 0, 0, planes);
    EXPECT_EQ(Triples(planes), (std::vector<HklTriple>{{1, 0, 0}, {-1, 0, 0}}));

    // Large limits stop at the list's maximum.
    BuildCandidatePlanes(40, 40, 40, planes);
    EXPECT_EQ(planes.Count(), HklList::kMaxSize);
}

TEST(LutList, GrowsInStepsUpToItsMaximumAndShrinksOnClear) {
    HklList list;
    EXPECT_EQ(list.Capacity(), 2000);
    for (int i = 0; i < 2001; ++i)
        ASSERT_TRUE(list.Add({i, 0, 0}));
    EXPECT_EQ(list.Capacity(), 4000);
    for (int i = 2001; i < HklList::kMaxSize; ++i)
        ASSERT_TRUE(list.Add({i, 0, 0}));
    EXPECT_FALSE(list.Add({1, 1, 1}));
    EXPECT_EQ(list.Count(), HklList::kMaxSize);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 2000);
}

TEST(LutPairs, CubicRightAngleAndBodyDiagonal) {
    HklList planes, first, second;
    BuildCandidatePlanes(1, 1, 1, planes);
    EXPECT_EQ(SearchPlanePairs(Cubic(), planes, 90 * kDeg, 0.2 * kDeg, first, second),
              PairSearchEnd::Complete);
    ASSERT_EQ(first.Count(), 96);
    const HklTriple z{0, 0, 1};
    EXPECT_EQ(first[0], z);
    EXPECT_EQ(second[0], (HklTriple{0, 1, 0}));
    EXPECT_EQ(first[1], z);
    EXPECT_EQ(second[1], (HklTriple{0, -1, 0}));
    EXPECT_EQ(first[2], z);
    EXPECT_EQ(second[2], (HklTriple{1, 0, 0}));
    for (int i = 0; i < first.Count(); ++i)
        EXPECT_FALSE(first[i] == (HklTriple{0, 1, 0}) && second[i] == z) << "row " << i;

    SearchPlanePairs(Cubic(), planes, 54.7356 * kDeg, 0.2 * kDeg, first, second);
    ASSERT_EQ(first.Count(), 24);
    EXPECT_EQ(first[0], z);
    EXPECT_EQ(second[0], (HklTriple{1, 1, 1}));
    EXPECT_EQ(PairRowText(first[0], second[0]), "0 0 1  <--->  1 1 1");
}

// The program's search lists the rows of the plain transcription in the same order: on the
// candidate cap, on a triclinic cell, and with the tolerance edge a hair inside and outside
// an exact plane angle.
struct SameRowsCase {
    const char* name;
    ReciprocalBasis rb;
    int limit;
    double angleRad, tolRad;
    int bodyDiagonal = -1; // 1: the row (0 0 1) (1 1 1) is listed, 0: it is not, -1: either
};

class LutSameRows : public ::testing::TestWithParam<SameRowsCase> {};

TEST_P(LutSameRows, AsTheLiteralSearch) {
    const SameRowsCase& c = GetParam();
    HklList planes, f1, s1, f2, s2;
    BuildCandidatePlanes(c.limit, c.limit, c.limit, planes);
    const PairSearchEnd e1 = SearchPlanePairs(c.rb, planes, c.angleRad, c.tolRad, f1, s1);
    const PairSearchEnd e2 = SearchPlanePairsLiteral(c.rb, planes, c.angleRad, c.tolRad, f2, s2);
    EXPECT_EQ(e1, e2);
    EXPECT_GT(f2.Count(), 0);
    EXPECT_EQ(Triples(f1), Triples(f2));
    EXPECT_EQ(Triples(s1), Triples(s2));
    if (c.bodyDiagonal >= 0) {
        bool listed = false;
        for (int i = 0; i < f1.Count(); ++i)
            listed |= f1[i] == (HklTriple{0, 0, 1}) && s1[i] == (HklTriple{1, 1, 1});
        EXPECT_EQ(listed, c.bodyDiagonal == 1);
    }
}

// The angle between (0 0 1) and (1 1 1) of the cubic cell, as the search computes it.
double BodyDiagonal() {
    return AngleBetweenPlanes(Cubic(), 0, 0, 1, 1, 1, 1);
}

SameRowsCase CapCase() {
    const LutCapCase c = MakeLutCapCase();
    return {"cap", c.rb, 13, c.angleRad, c.tolRad};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LutSameRows,
    ::testing::Values(CapCase(),
                      SameRowsCase{"triclinic", ReciprocalBasisFromCell(4.1, 5.3, 6.7, 81, 97, 103),
                                   4, 41.3 * kDeg, 0.3 * kDeg},
                      SameRowsCase{"edge_inside", Cubic(), 3,
                                   BodyDiagonal() + 0.2 * kDeg*(1 - 1e-13), 0.2 * kDeg, 1},
                      SameRowsCase{"edge_outside", Cubic(), 3,
                                   BodyDiagonal() + 0.2 * kDeg*(1 + 1e-13), 0.2 * kDeg, 0},
                      SameRowsCase{"near_zero", Cubic(), 6, 5 * kDeg, 5 * kDeg},
                      SameRowsCase{"near_straight", Cubic(), 4, 179.9 * kDeg, 0.5 * kDeg}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LutPairs, StopAtTwentyThousandRows) {
    CParameterSet p;
    p.m_Recip = Cubic();
    p.m_MajorX = 100, p.m_MajorY = 50;
    p.m_SecondX = -200, p.m_SecondY = 80;
    CLookUpTable t;
    const PairSearchOutcome out = t.SearchPairs(p, {true, "0.2", {"13", "13", "13"}});
    EXPECT_EQ(out.end, PairSearchEnd::TooMany);
    ASSERT_TRUE(out.message);
    EXPECT_EQ(*out.message, TooManyPairsMessage());
    EXPECT_EQ(out.message->text,
              "Too many pairs! Try to reduce Hmax, Kmax, Lmax and Angular tolerance.");
    EXPECT_EQ(t.m_PairFirst.Count(), 20000);
    EXPECT_EQ(t.m_bShowPairs, 1);
}

// Marked spots in transmission at D = 50 mm; returns the outcome of a search of `texts`.
struct Marked {
    CParameterSet p;
    CLookUpTable t;
    Marked() {
        p.m_Recip = Cubic();
        p.m_MajorX = 120, p.m_MajorY = 40;
        p.m_SecondX = -90, p.m_SecondY = 150;
    }
    PairSearchOutcome Search(std::string tol = "0.2",
                             std::array<std::string, 3> limits = {"5", "5", "5"}) {
        return t.SearchPairs(p, {true, std::move(tol), std::move(limits)});
    }
};

TEST(LutMeasure, AngleNormalAndMarkers) {
    Marked m;
    const PairSearchOutcome out = m.Search();
    EXPECT_FALSE(out.message);
    EXPECT_TRUE(out.markersChanged);
    EXPECT_EQ(m.p.m_bMajorSpot, 1);
    EXPECT_EQ(m.p.m_bSecondSpot, 1);
    const Vec3 g1 = *SpotDirection(MakeFilmGeometry(0, 500, 0), 120, 40);
    const Vec3 g2 = *SpotDirection(MakeFilmGeometry(0, 500, 0), -90, 150);
    EXPECT_NEAR(m.t.m_AngleRad, std::acos(Dot(g1, g2)), 1e-15);
    EXPECT_EQ(*out.angleText, FormatNumber(m.t.m_AngleDeg, 3));
    EXPECT_NEAR(Dot(m.t.m_N, m.t.m_G1), 0, 1e-15);
    EXPECT_NEAR(Dot(m.t.m_N, m.t.m_G2), 0, 1e-15);
    const Vec3 cross = Cross(m.t.m_G1, m.t.m_N);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(m.t.m_M[i], cross[i], 1e-15);
    EXPECT_EQ(m.t.m_SearchPos, (std::array<double, 4>{120, 40, -90, 150}));
    EXPECT_EQ(*out.toleranceText, "0.2");
    EXPECT_EQ(*out.limitTexts, (std::array<std::string, 3>{"5", "5", "5"}));
}

TEST(LutMeasure, TypedInputsAreClamped) {
    Marked m;
    PairSearchOutcome out = m.Search("0", {"-3", "1200", "2"});
    EXPECT_EQ(*out.toleranceText, "0.05");
    EXPECT_EQ(*out.limitTexts, (std::array<std::string, 3>{"0", "999", "2"}));
    EXPECT_DOUBLE_EQ(m.t.m_TolDeg, 0.05);
    out = m.Search("abc", {"1", "1", "1"});
    EXPECT_EQ(*out.toleranceText, "0.05");
    EXPECT_DOUBLE_EQ(m.t.m_TolRad, 0.05 * kDeg);
}

TEST(LutMeasure, AllLimitsZeroKeepsTheCandidates) {
    Marked m;
    m.Search("0.2", {"1", "1", "1"});
    const int before = m.t.m_Planes.Count();
    const PairSearchOutcome out = m.Search("0.3", {"0", "x", "-1"});
    ASSERT_TRUE(out.message);
    EXPECT_EQ(out.message->text, "Hmax, Kmax, Lmax must not be all zero!");
    EXPECT_TRUE(out.angleText && out.toleranceText);
    EXPECT_FALSE(out.listed);
    EXPECT_EQ(m.t.m_Planes.Count(), before);
    EXPECT_EQ(m.t.m_SearchHmax, 1);
}

TEST(LutMeasure, EmptyPositionEditsAndForwardDirection) {
    Marked m;
    PairSearchOutcome out = m.t.SearchPairs(m.p, {false, "0.2", {"5", "5", "5"}});
    EXPECT_TRUE(out.angleCleared);
    EXPECT_EQ(out.message->text, "Please select two spots to proceed!");
    EXPECT_EQ(m.p.m_bMajorSpot, 0);

    m.p.m_MajorX = m.p.m_MajorY = 0;
    out = m.Search();
    ASSERT_TRUE(out.message);
    EXPECT_EQ(out.message->text,
              "The point (0,0) you selected corresponds to the exact forward direction, not "
              "allowed! Please select another point.");
    EXPECT_EQ(m.p.m_bMajorSpot, 1);
    EXPECT_FALSE(out.angleText);

    // In back reflection the same point is the backward direction: its vector is +z'.
    const std::optional<Vec3> back = SpotDirection(MakeFilmGeometry(1, 500, 0), 0, 0);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, (Vec3{0, 0, 1}));
    m.p.m_TransOrBack = 1;
    out = m.Search();
    EXPECT_FALSE(out.message);
    EXPECT_TRUE(out.listed);
}

TEST(LutMeasure, TwoSpotsInOneDirectionAreRefused) {
    Marked m;
    m.p.m_SecondX = m.p.m_MajorX, m.p.m_SecondY = m.p.m_MajorY;
    const PairSearchOutcome out = m.Search();
    ASSERT_TRUE(out.message);
    EXPECT_EQ(*out.message, SameDirectionMessage());
    EXPECT_FALSE(out.listed);
}

TEST(LutInputs, StepLimitsAndPositions) {
    EXPECT_DOUBLE_EQ(ReadStep("0"), 0.1);
    EXPECT_DOUBLE_EQ(ReadStep("50"), 10);
    EXPECT_DOUBLE_EQ(ReadStep("0.05"), 0.05);
    EXPECT_DOUBLE_EQ(ReadStep("abc"), 0.1);
    EXPECT_EQ(StepLimit("1200", 1), 999);
    EXPECT_EQ(StepLimit("0", -1), 0);
    EXPECT_EQ(StepLimit("4", 1), 5);
    EXPECT_EQ(StepLimit("99999999999", 1), 999);
    double x = 0, y = 0;
    ParseSpotPosition("12.5, -3.25", x, y);
    EXPECT_DOUBLE_EQ(x, 125);
    EXPECT_DOUBLE_EQ(y, -32.5);
    ParseSpotPosition("  7\t8 ! comment", x, y);
    EXPECT_DOUBLE_EQ(x, 70);
    EXPECT_DOUBLE_EQ(y, 80);
    ParseSpotPosition("4", x, y);
    EXPECT_DOUBLE_EQ(x, 40);
    EXPECT_DOUBLE_EQ(y, 0);

    CParameterSet p;
    p.m_MajorX = 10;
    MoveSpot(p, 2, 0.05);
    EXPECT_DOUBLE_EQ(p.m_MajorX, 10.5);
    MoveSpot(p, 8, 1);
    EXPECT_DOUBLE_EQ(p.m_SecondY, -10);
}

// The triplet search's refusals, in the order they are checked, and its rows.
TEST(LutTriplets, RefusalsInOrder) {
    Marked m;
    EXPECT_EQ(m.t.SearchTriplets(m.p.m_Recip).message->text, "No pairs have been saved!");
    EXPECT_EQ(m.t.SavePairs()->text, "No pairs to save!");

    m.Search();
    ASSERT_GT(m.t.m_PairFirst.Count(), 0);
    EXPECT_FALSE(m.t.SavePairs());
    EXPECT_EQ(m.t.SearchTriplets(m.p.m_Recip).message->text,
              "The 2nd spot is the same as last saved one!");

    m.p.m_MajorX += 0.5;
    m.Search();
    EXPECT_EQ(m.t.SearchTriplets(m.p.m_Recip).message->text,
              "The current Major Spot is not the same as\nthe last saved one (12, 4)");

    // A search that lists nothing: a narrow tolerance at an angle no plane pair has.
    m.p.m_MajorX -= 0.5;
    m.p.m_SecondX = -60, m.p.m_SecondY = 10;
    m.Search("0.0001", {"1", "1", "1"});
    ASSERT_EQ(m.t.m_PairFirst.Count(), 0);
    EXPECT_EQ(m.t.SearchTriplets(m.p.m_Recip).message->text, "No pairs exist currently!");
}

TEST(LutTriplets, MatchesTheScanOfEverySavedRow) {
    // Three spots of the cubic cell's planes (0 0 1), (0 1 1) and (1 1 1) seen along their own
    // directions: the triplet rows hold the Major spot's plane first.
    const ReciprocalBasis rb = Cubic();
    HklList planes;
    BuildCandidatePlanes(2, 2, 2, planes);
    const double a12 = AngleBetweenPlanes(rb, 0, 0, 1, 0, 1, 1);
    const double a13 = AngleBetweenPlanes(rb, 0, 0, 1, 1, 1, 1);
    const double a23 = AngleBetweenPlanes(rb, 0, 1, 1, 1, 1, 1);
    const double tol = 0.2 * kDeg;
    HklList sf, ss, cf, cs, tf, ts;
    SearchPlanePairs(rb, planes, a13, tol, sf, ss);
    SearchPlanePairs(rb, planes, a12, tol, cf, cs);
    SearchPlaneTriplets(rb, cf, cs, sf, ss, a23, tol, tf, ts);
    // The scan of every saved row for every current pair.
    std::vector<HklTriple> ef, es;
    auto pass = [&](const HklTriple& x, const HklTriple& y) {
        return std::fabs(a23 - AngleBetweenPlanes(rb, x.h, x.k, x.l, y.h, y.k, y.l)) <= tol;
    };
    for (int i = 0; i < cf.Count(); ++i) {
        const HklTriple a = cf[i], b = cs[i];
        for (int s = 0; s < sf.Count(); ++s) {
            const HklTriple c = sf[s], d = ss[s];
            if ((a == c && pass(b, d)) || (!(a == c) && a == d && pass(b, c))) {
                ef.push_back(a), es.push_back(b);
                break;
            }
            if ((b == c && pass(a, d)) || (!(b == c) && b == d && pass(a, c))) {
                ef.push_back(b), es.push_back(a);
                break;
            }
        }
    }
    ASSERT_FALSE(ef.empty());
    EXPECT_EQ(Triples(tf), ef);
    EXPECT_EQ(Triples(ts), es);
    bool found = false;
    for (int i = 0; i < tf.Count(); ++i)
        found |= tf[i] == (HklTriple{0, 0, 1}) && ts[i] == (HklTriple{0, 1, 1});
    EXPECT_TRUE(found);
}

TEST(LutRows, SwappedTextsAndCounts) {
    CLookUpTable t;
    t.m_PairFirst.Add({0, 0, 1});
    t.m_PairSecond.Add({1, 1, 1});
    EXPECT_EQ(t.ShownRowTexts(), std::vector<std::string>{"0 0 1  <--->  1 1 1"});
    t.m_bSwap = 1;
    EXPECT_EQ(t.ShownRowTexts(), std::vector<std::string>{"1 1 1  <--->  0 0 1"});
    HklTriple p1, p2;
    t.RowPlanes(0, p1, p2);
    EXPECT_EQ(p1, (HklTriple{1, 1, 1}));
    EXPECT_EQ(PairCountText(96), "96 pairs");
    EXPECT_EQ(TripletCountText(3), "3 triplets");
    EXPECT_EQ(RowOfCountText(2, 96), "2  of 96");
}

// Silicon in an arbitrary orientation: two of its spots marked, a pair search, and the row of
// their planes simulated: both spots sit on the markers and the spot list comes back.
TEST(LutRoundTrip, SimulatedSpotsComeBack) {
    CParameterSet p = SimulationCase("si_reference", XELMOR_DATA_DIR);
    p.m_Rot1 = 17.3, p.m_Rot2 = -24.1, p.m_Rot3 = 8.6;
    SimulationResult original;
    RunSimulation(p, original);
    ASSERT_GT(original.spots.size(), 5u);
    // Two strong spots with small indices that are not parallel.
    const CDot* s1 = nullptr;
    const CDot* s2 = nullptr;
    for (const CDot& s : original.spots) {
        if (std::abs(s.h) > 5 || std::abs(s.k) > 5 || std::abs(s.l) > 5)
            continue;
        if (!s1)
            s1 = &s;
        else if (!s2 && std::hypot(s.x - s1->x, s.y - s1->y) > 100)
            s2 = &s;
    }
    ASSERT_TRUE(s1 && s2);
    p.m_MajorX = s1->x, p.m_MajorY = s1->y;
    p.m_SecondX = s2->x, p.m_SecondY = s2->y;
    CLookUpTable t;
    const PairSearchOutcome out = t.SearchPairs(p, {true, "0.2", {"5", "5", "5"}});
    ASSERT_FALSE(out.message);
    const HklTriple h1{s1->h, s1->k, s1->l}, h2{s2->h, s2->k, s2->l};
    int row = -1;
    for (int i = 0; i < t.m_PairFirst.Count(); ++i) {
        if (t.m_PairFirst[i] == h1 && t.m_PairSecond[i] == h2)
            row = i, t.m_bSwap = 0;
        if (t.m_PairFirst[i] == h2 && t.m_PairSecond[i] == h1)
            row = i, t.m_bSwap = 1;
    }
    ASSERT_GE(row, 0);
    const std::vector<CDot> before = original.spots;
    const double majorX = p.m_MajorX, majorY = p.m_MajorY;
    const double secondX = p.m_SecondX, secondY = p.m_SecondY;
    p.m_MajorX = p.m_SecondX = 0; // moved after the search: the row puts them back
    ASSERT_TRUE(t.ApplyRow(p, row));
    EXPECT_EQ(p.m_MajorX, majorX);
    EXPECT_EQ(p.m_SecondX, secondX);
    EXPECT_EQ(p.m_Rot1, 0);
    EXPECT_DOUBLE_EQ(std::max({std::fabs(p.m_H), std::fabs(p.m_K), std::fabs(p.m_L)}), 1);
    EXPECT_DOUBLE_EQ(std::max({std::fabs(p.m_h), std::fabs(p.m_k), std::fabs(p.m_l)}), 1);
    SimulationResult again;
    RunSimulation(p, again);
    ASSERT_EQ(again.spots.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        const CDot& a = before[i];
        const CDot* b = nullptr;
        for (const CDot& s : again.spots)
            if (s.h == a.h && s.k == a.k && s.l == a.l)
                b = &s;
        ASSERT_TRUE(b) << a.h << ' ' << a.k << ' ' << a.l;
        EXPECT_NEAR(b->x, a.x, kOnMarker);
        EXPECT_NEAR(b->y, a.y, kOnMarker);
        EXPECT_NEAR(b->intensity, a.intensity, kRelative * a.intensity);
        if (a.h == h1.h && a.k == h1.k && a.l == h1.l) {
            EXPECT_NEAR(b->x, majorX, kOnMarker);
            EXPECT_NEAR(b->y, majorY, kOnMarker);
        }
        if (a.h == h2.h && a.k == h2.k && a.l == h2.l) {
            EXPECT_NEAR(b->x, secondX, kOnMarker);
            EXPECT_NEAR(b->y, secondY, kOnMarker);
        }
    }
}

} // namespace
} // namespace xelmor
