// Tests of the lattice and orientation maths.
#include "xelmor/core/lattice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace xelmor {
namespace {

constexpr double kTol = 1e-12; // for quantities of order 1
const double kPi = std::acos(-1.0);
const double kDeg = kPi / 180.0;

struct Cell {
    double a, b, c, alpha, beta, gamma;
};

// Direct vectors in the crystal frame: a along +x, b in the x-y plane, c completing the cell
// with the three angles (from the dot products a.c = ac cos beta, b.c = bc cos alpha).
void DirectVectors(const Cell& cell, Vec3& a, Vec3& b, Vec3& c) {
    const double ca = std::cos(cell.alpha * kDeg), cb = std::cos(cell.beta * kDeg);
    const double cg = std::cos(cell.gamma * kDeg), sg = std::sin(cell.gamma * kDeg);
    a = {cell.a, 0, 0};
    b = {cell.b * cg, cell.b * sg, 0};
    const double cx = cell.c * cb;
    const double cy = (cell.b * cell.c * ca - b[0] * cx) / b[1];
    c = {cx, cy, std::sqrt(cell.c * cell.c - cx * cx - cy * cy)};
}

Vec3 Scaled(const Vec3& v, double s) {
    return {v[0] * s, v[1] * s, v[2] * s};
}
double Norm(const Vec3& v) {
    return std::sqrt(Dot(v, v));
}

void ExpectVecNear(const Vec3& got, const Vec3& want, double tol, const std::string& what) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(got[i], want[i], tol) << what << " component " << i;
    }
}

void ExpectMatNear(const Mat3& got, const Mat3& want, double tol, const std::string& what) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_NEAR(got[i][j], want[i][j], tol) << what << " [" << i << "][" << j << "]";
        }
    }
}

Vec3 BasisA(const ReciprocalBasis& rb) {
    return {rb.ax, rb.ay, rb.az};
}
Vec3 BasisB(const ReciprocalBasis& rb) {
    return {0, rb.by, rb.bz};
}
Vec3 BasisC(const ReciprocalBasis& rb) {
    return {0, 0, rb.cz};
}

ReciprocalBasis Cubic(double a) {
    return ReciprocalBasisFromCell(a, a, a, 90, 90, 90);
}

TEST(LatticeReciprocalBasis, CubicCellGivesOneOverA) {
    const ReciprocalBasis rb = Cubic(5.431);
    const double s = 1.0 / 5.431;
    ExpectVecNear(BasisA(rb), {s, 0, 0}, kTol, "a*");
    ExpectVecNear(BasisB(rb), {0, s, 0}, kTol, "b*");
    ExpectVecNear(BasisC(rb), {0, 0, s}, kTol, "c*");
}

TEST(LatticeReciprocalBasis, DefaultIsUnitBasis) {
    const ReciprocalBasis rb;
    ExpectVecNear(BasisA(rb), {1, 0, 0}, 0, "a*");
    ExpectVecNear(BasisB(rb), {0, 1, 0}, 0, "b*");
    ExpectVecNear(BasisC(rb), {0, 0, 1}, 0, "c*");
}

// The triangular components must equal the cross products of the direct vectors over the
// volume, be dual to the direct vectors, and have the textbook lengths b c sin(alpha) / V ...
TEST(LatticeReciprocalBasis, TriclinicMatchesCrossProductsAndDuality) {
    const Cell cells[] = {
        {5.1, 6.3, 7.7, 81, 97, 104}, {3.2, 9.5, 4.4, 110, 65, 78}, {4.0, 4.0, 6.5, 90, 90, 120}};
    for (const Cell& cell : cells) {
        SCOPED_TRACE(cell.a);
        Vec3 a, b, c;
        DirectVectors(cell, a, b, c);
        const double v = Dot(a, Cross(b, c));
        const ReciprocalBasis rb =
            ReciprocalBasisFromCell(cell.a, cell.b, cell.c, cell.alpha, cell.beta, cell.gamma);
        ExpectVecNear(BasisA(rb), Scaled(Cross(b, c), 1 / v), kTol, "a*");
        ExpectVecNear(BasisB(rb), Scaled(Cross(c, a), 1 / v), kTol, "b*");
        ExpectVecNear(BasisC(rb), Scaled(Cross(a, b), 1 / v), kTol, "c*");

        const Vec3 star[3] = {BasisA(rb), BasisB(rb), BasisC(rb)};
        const Vec3 direct[3] = {a, b, c};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                EXPECT_NEAR(Dot(star[i], direct[j]), i == j ? 1.0 : 0.0, kTol);
            }
        }

        const double ca = std::cos(cell.alpha * kDeg), cb = std::cos(cell.beta * kDeg);
        const double cg = std::cos(cell.gamma * kDeg);
        const double vol = cell.a * cell.b * cell.c *
                           std::sqrt(1 - ca * ca - cb * cb - cg * cg + 2 * ca * cb * cg);
        EXPECT_NEAR(Norm(star[0]), cell.b * cell.c * std::sin(cell.alpha * kDeg) / vol, kTol);
        EXPECT_NEAR(Norm(star[1]), cell.a * cell.c * std::sin(cell.beta * kDeg) / vol, kTol);
        EXPECT_NEAR(Norm(star[2]), cell.a * cell.b * std::sin(cell.gamma * kDeg) / vol, kTol);
    }
}

TEST(LatticeReciprocalBasis, LengthOfGIsInversePlaneSpacing) {
    struct Case {
        Cell cell;
        double h, k, l, d;
    };
    const double a = 3.21, c = 5.21;
    const Case cases[] = {
        {{a, a, c, 90, 90, 120}, 1, 0, 0, a * std::sqrt(3.0) / 2}, // hexagonal d(100)
        {{a, a, c, 90, 90, 120}, 1, 1, 0, a / 2},                  // hexagonal d(110)
        {{a, a, c, 90, 90, 120}, 0, 0, 2, c / 2},                  // hexagonal d(002)
        {{5.431, 5.431, 5.431, 90, 90, 90}, 1, 1, 1, 5.431 / std::sqrt(3.0)},
        {{5.431, 5.431, 5.431, 90, 90, 90}, -2, 2, 4, 5.431 / std::sqrt(24.0)},
    };
    for (const Case& t : cases) {
        const ReciprocalBasis rb = ReciprocalBasisFromCell(t.cell.a, t.cell.b, t.cell.c,
                                                           t.cell.alpha, t.cell.beta, t.cell.gamma);
        const Vec3 g = ReciprocalVector(rb, t.h, t.k, t.l);
        EXPECT_NEAR(1.0 / Norm(g), t.d, kTol) << t.h << " " << t.k << " " << t.l;
    }
}

// A cell that cannot exist must not leave NaN or infinite numbers behind.
TEST(LatticeReciprocalBasis, ImpossibleCellGivesUnitBasis) {
    const Cell cells[] = {
        {0, 5, 5, 90, 90, 90},   {5, -1, 5, 90, 90, 90},      {5, 5, 5, 90, 90, 0},
        {5, 5, 5, 90, 90, 180},  {5, 5, 5, 60, 60, 150},      {5, 5, 5, 120, 120, 120},
        {NAN, 5, 5, 90, 90, 90}, {5, 5, 5, 90, INFINITY, 90},
    };
    for (const Cell& cell : cells) {
        EXPECT_FALSE(CellIsValid(cell.a, cell.b, cell.c, cell.alpha, cell.beta, cell.gamma))
            << cell.a << " " << cell.b << " " << cell.alpha << " " << cell.gamma;
        const ReciprocalBasis rb =
            ReciprocalBasisFromCell(cell.a, cell.b, cell.c, cell.alpha, cell.beta, cell.gamma);
        ExpectVecNear(BasisA(rb), {1, 0, 0}, 0, "a*");
        ExpectVecNear(BasisB(rb), {0, 1, 0}, 0, "b*");
        ExpectVecNear(BasisC(rb), {0, 0, 1}, 0, "c*");
    }
    EXPECT_TRUE(CellIsValid(5, 5, 5, 119, 119, 119));
    EXPECT_TRUE(CellIsValid(3.21, 3.21, 5.21, 90, 90, 120));
}

// Elementary rotations written out, for comparing against the goniometer sequences.
Mat3 Rx(double deg) {
    const double c = std::cos(deg * kDeg), s = std::sin(deg * kDeg);
    return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
}
Mat3 Ry(double deg) {
    const double c = std::cos(deg * kDeg), s = std::sin(deg * kDeg);
    return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
}
Mat3 Rz(double deg) {
    const double c = std::cos(deg * kDeg), s = std::sin(deg * kDeg);
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}
Mat3 Mul(const Mat3& p, const Mat3& q) {
    Mat3 r{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            for (int m = 0; m < 3; ++m) {
                r[i][j] += p[i][m] * q[m][j];
            }
        }
    }
    return r;
}

using Elementary = Mat3 (*)(double);

struct SequenceCase {
    int sequence;
    const char* name;
    Elementary first, second, third;
};

const SequenceCase kSequences[] = {
    {0, "YXZ", Ry, Rx, Rz}, {1, "YZX", Ry, Rz, Rx},  {2, "XYZ", Rx, Ry, Rz},
    {3, "XZY", Rx, Rz, Ry}, {4, "ZXY", Rz, Rx, Ry},  {5, "ZYX", Rz, Ry, Rx},
    {6, "ZYX", Rz, Ry, Rx}, {-1, "ZYX", Rz, Ry, Rx}, {99, "ZYX", Rz, Ry, Rx},
};

TEST(LatticeGoniometer, EverySequenceMultipliesItsAxesInOrder) {
    const double angles[][3] = {{25, -40, 0}, {0, 35, 70}, {-15, 0, 50}, {25, -40, 65}};
    for (const SequenceCase& t : kSequences) {
        EXPECT_EQ(RotationSequenceName(t.sequence), t.name) << t.sequence;
        for (const auto& ang : angles) {
            const Mat3 want = Mul(Mul(t.first(ang[0]), t.second(ang[1])), t.third(ang[2]));
            ExpectMatNear(GoniometerRotation(t.sequence, ang[0], ang[1], ang[2]), want, kTol,
                          std::string(t.name) + " seq " + std::to_string(t.sequence));
        }
    }
}

// With a single non-zero angle only the axis the sequence names at that position matters.
TEST(LatticeGoniometer, SingleAngleTurnsAboutTheLabelledAxis) {
    const double theta = 37;
    for (const SequenceCase& t : kSequences) {
        const Elementary axes[3] = {t.first, t.second, t.third};
        for (int pos = 0; pos < 3; ++pos) {
            double ang[3] = {0, 0, 0};
            ang[pos] = theta;
            ExpectMatNear(GoniometerRotation(t.sequence, ang[0], ang[1], ang[2]), axes[pos](theta),
                          kTol, std::string(t.name) + " position " + std::to_string(pos));
        }
    }
}

TEST(LatticeOrientation, CubicDefaultGeometryIsDiagonal) {
    const double a = 5.431;
    const Mat3 m = OrientationMatrix(Cubic(a), 0, 0, 1, 1, 0, 0, 0, 0, 0, 0);
    ExpectMatNear(m, {{{1 / a, 0, 0}, {0, 1 / a, 0}, {0, 0, 1 / a}}}, kTol, "orientation");
}

TEST(LatticeOrientation, XyzQuarterTurnAboutXTakesBStarToZ) {
    const double a = 4.0;
    const Mat3 m = OrientationMatrix(Cubic(a), 0, 0, 1, 1, 0, 0, 2, 90, 0, 0);
    ExpectVecNear(LabVector(m, 0, 1, 0), {0, 0, 1 / a}, kTol, "(0 1 0)");
    ExpectVecNear(LabVector(m, 0, 0, 1), {0, -1 / a, 0}, kTol, "(0 0 1)");
}

// For any cell, the surface normal goes to +z' and the horizontal normal to +x', with the
// lengths of G kept; the goniometer rotation then keeps lengths and angles.
TEST(LatticeOrientation, SurfaceFacesBeamAndHorizontalFacesViewer) {
    const ReciprocalBasis rb = ReciprocalBasisFromCell(5.1, 6.3, 7.7, 81, 97, 104);
    struct Case {
        double H, K, L, h, k, l;
    };
    const Case cases[] = {{1, 2, 3, 1, 0, 0}, {0, 0, 1, 0, 1, 0}, {-1, 1, 2, 2, -1, 5}};
    for (Case t : cases) {
        CorrectHorizontal(rb, t.H, t.K, t.L, t.h, t.k, t.l);
        const Mat3 m0 = InitialOrientation(rb, t.H, t.K, t.L, t.h, t.k, t.l);
        const double gs = Norm(ReciprocalVector(rb, t.H, t.K, t.L));
        const double gh = Norm(ReciprocalVector(rb, t.h, t.k, t.l));
        ExpectVecNear(LabVector(m0, t.H, t.K, t.L), {0, 0, gs}, kTol, "surface");
        ExpectVecNear(LabVector(m0, t.h, t.k, t.l), {gh, 0, 0}, kTol, "horizontal");
        EXPECT_GT(Determinant(m0), 0.0); // right-handed

        const Mat3 rot = GoniometerRotation(3, 12, -70, 33);
        const Mat3 m = OrientationMatrix(rb, t.H, t.K, t.L, t.h, t.k, t.l, 3, 12, -70, 33);
        ExpectMatNear(m, Multiply(rot, m0), kTol, "R * M0");
        const Vec3 g = LabVector(m, 2, -3, 1);
        EXPECT_NEAR(Norm(g), Norm(ReciprocalVector(rb, 2, -3, 1)), kTol);
    }
}

TEST(LatticePlanes, AngleBetweenPlanes) {
    struct Case {
        Cell cell;
        double h1, k1, l1, h2, k2, l2, deg;
    };
    const Cell cubic{4, 4, 4, 90, 90, 90};
    const Cell hex{3.21, 3.21, 5.21, 90, 90, 120};
    const Case cases[] = {
        {cubic, 1, 0, 0, 1, 1, 0, 45},
        {cubic, 1, 0, 0, 1, 1, 1, std::acos(1 / std::sqrt(3.0)) / kDeg},
        {cubic, 1, 0, 0, -1, 0, 0, 180},
        {cubic, 1, 1, 1, 2, 2, 2, 0},
        {hex, 1, 0, 0, 0, 1, 0, 60}, // reciprocal gamma* = 180 - 120
        {hex, 1, 0, 0, 0, 0, 1, 90},
    };
    for (const Case& t : cases) {
        const ReciprocalBasis rb = ReciprocalBasisFromCell(t.cell.a, t.cell.b, t.cell.c,
                                                           t.cell.alpha, t.cell.beta, t.cell.gamma);
        EXPECT_NEAR(AngleBetweenPlanes(rb, t.h1, t.k1, t.l1, t.h2, t.k2, t.l2), t.deg * kDeg, 1e-7)
            << t.h1 << t.k1 << t.l1 << " / " << t.h2 << t.k2 << t.l2;
    }
}

// Rounding can push the cosine of a plane with itself just past 1; the clamp keeps acos from
// returning NaN.
TEST(LatticePlanes, IdenticalPlanesGiveZeroAngle) {
    const ReciprocalBasis rb = ReciprocalBasisFromCell(5.1, 6.3, 7.7, 81, 97, 104);
    for (int h = -3; h <= 3; ++h) {
        for (int k = -3; k <= 3; ++k) {
            for (int l = -3; l <= 3; ++l) {
                if (h == 0 && k == 0 && l == 0) {
                    continue;
                }
                const double same = AngleBetweenPlanes(rb, h, k, l, h, k, l);
                ASSERT_FALSE(std::isnan(same)) << h << " " << k << " " << l;
                EXPECT_NEAR(same, 0.0, 1e-7);
                const double opposite = AngleBetweenPlanes(rb, h, k, l, -h, -k, -l);
                ASSERT_FALSE(std::isnan(opposite)) << h << " " << k << " " << l;
                EXPECT_NEAR(opposite, kPi, 1e-7);
            }
        }
    }
}

TEST(LatticePlanes, PerpendicularityMeasureIsAbsoluteCosine) {
    const ReciprocalBasis rb = Cubic(3);
    EXPECT_NEAR(PerpendicularityMeasure(rb, 1, 0, 0, 0, 1, 0), 0.0, kTol);
    EXPECT_NEAR(PerpendicularityMeasure(rb, 1, 1, 1, 1, -1, 0), 0.0, kTol);
    EXPECT_NEAR(PerpendicularityMeasure(rb, 1, 0, 0, 1, 1, 0), std::sqrt(0.5), kTol);
    EXPECT_NEAR(PerpendicularityMeasure(rb, 1, 0, 0, -1, 1, 0), std::sqrt(0.5), kTol);
    EXPECT_NEAR(PerpendicularityMeasure(rb, 1, 2, 3, -2, -4, -6), 1.0, kTol);
}

struct HorizontalCase {
    const char* what;
    double H, K, L;
    Vec3 in, out;
};

// Cubic crystal (all three products equal), so the chosen branch shows in the result.
const HorizontalCase kHorizontalCases[] = {
    {"h solved, collapses: k set to -1", 1, 1, 1, {1, 0, 0}, {1, -1, 0}},
    {"h solved", 1, 1, 1, {3, 1, 0}, {-1, 1, 0}},
    {"h solved on a three-way tie", 1, 1, 1, {1, 1, 1}, {-2, 1, 1}},
    {"k solved", 1, 1, 1, {1, 3, 0}, {1, -1, 0}},
    {"k solved, collapses: h set to 1", 1, 1, 1, {0, 1, 0}, {1, -1, 0}},
    {"l solved", 1, 1, 1, {1, 0, 2}, {1, 0, -1}},
    {"l solved, collapses: h set to 1", 1, 1, 1, {0, 0, 1}, {1, 0, -1}},
    {"k solved on a k-l tie", 0, 1, 1, {0, 2, 2}, {0, -2, 2}},
    {"already perpendicular, terms all zero", 0, 0, 1, {1, 1, 0}, {1, 1, 0}},
    {"zero direction with a* in the surface", 0, 0, 1, {0, 0, 0}, {1, 0, 0}},
    {"already perpendicular, non-integer", 0, 0, 1, {0.25, -3.5, 0}, {0.25, -3.5, 0}},
    {"zero direction", 1, 1, 1, {0, 0, 0}, {1, -1, 0}},
};

// Run on a cell from its parameters (cos 90 degrees is not exactly 0, so "zero" products are
// rounding noise) and on the exact unit basis (products exactly 0).
TEST(LatticeHorizontal, CubicBranches) {
    const ReciprocalBasis bases[] = {Cubic(5.431), ReciprocalBasis{}};
    for (const ReciprocalBasis& rb : bases) {
        for (const HorizontalCase& t : kHorizontalCases) {
            double h = t.in[0], k = t.in[1], l = t.in[2];
            CorrectHorizontal(rb, t.H, t.K, t.L, h, k, l);
            ExpectVecNear({h, k, l}, t.out, kTol, t.what);
        }
    }
}

// In a triclinic cell the products differ; the corrected direction must be perpendicular and
// differ from the input in at most the solved index (and the collapse companion).
TEST(LatticeHorizontal, TriclinicResultIsPerpendicular) {
    const ReciprocalBasis rb = ReciprocalBasisFromCell(5.1, 6.3, 7.7, 81, 97, 104);
    const double surfaces[][3] = {{1, 2, 3}, {0, 0, 1}, {1, 0, 0}, {-2, 1, 1}};
    const double directions[][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}, {2, -1, 3}};
    for (const auto& s : surfaces) {
        for (const auto& d : directions) {
            double h = d[0], k = d[1], l = d[2];
            CorrectHorizontal(rb, s[0], s[1], s[2], h, k, l);
            const Vec3 n = ReciprocalVector(rb, s[0], s[1], s[2]);
            const Vec3 g = ReciprocalVector(rb, h, k, l);
            ASSERT_GT(Norm(g), 0.0);
            EXPECT_NEAR(Dot(n, g) / (Norm(n) * Norm(g)), 0.0, kTol)
                << s[0] << s[1] << s[2] << " / " << d[0] << d[1] << d[2];
            EXPECT_LT(PerpendicularityMeasure(rb, s[0], s[1], s[2], h, k, l), 1e-7);
        }
    }
}

TEST(LatticeSolve, CramerSolvesKnownSystem) {
    const Mat3 a = {{{2, 1, -1}, {-3, -1, 2}, {-2, 1, 2}}};
    ExpectVecNear(SolveCramer3(a, {8, -11, -3}), {2, 3, -1}, kTol, "x");

    const Mat3 b = {{{0.3, -1.7, 2.2}, {4.1, 0.5, -0.9}, {-1.2, 3.3, 0.8}}};
    const Vec3 rhs = {1.5, -2.5, 0.25};
    const Vec3 x = SolveCramer3(b, rhs);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(b[i][0] * x[0] + b[i][1] * x[1] + b[i][2] * x[2], rhs[i], kTol) << i;
    }
}

TEST(LatticeSolve, SingularSystemIsNotFinite) {
    const Mat3 a = {{{1, 2, 3}, {2, 4, 6}, {1, 0, 1}}};
    const Vec3 x = SolveCramer3(a, {1, 1, 1});
    EXPECT_FALSE(std::isfinite(x[0]) && std::isfinite(x[1]) && std::isfinite(x[2]));
}

} // namespace
} // namespace xelmor
