// Rotation about a fixed reflection and the orientation in lab coordinates: the triad of the
// marked point, the perpendicular reference, the angle wrap, the AutoRotate limits, the
// orientation that keeps G on its spot, and the planes perpendicular to the lab axes.
#include "xelmor/core/fix_refl.h"

#include <gtest/gtest.h>

#include <cmath>

#include "xelmor/core/lut.h"

namespace xelmor {
namespace {

constexpr double kTight = 1e-12;

const ReciprocalBasis kCubic = ReciprocalBasisFromCell(5.4309, 5.4309, 5.4309, 90, 90, 90);
const ReciprocalBasis kMonoclinic = ReciprocalBasisFromCell(4.1, 5.3, 7.2, 90, 103.5, 90);

void ExpectHkl(const Hkl& got, const Hkl& want, double tol = 1e-9) {
    EXPECT_NEAR(got.h, want.h, tol);
    EXPECT_NEAR(got.k, want.k, tol);
    EXPECT_NEAR(got.l, want.l, tol);
}

TEST(FixRefl, PerpendicularReference) {
    // (1 0 0) is not perpendicular to (1 1 1): one index changes, giving (1 -1 0).
    const std::optional<Hkl> p = PerpendicularReference(kCubic, {1, 1, 1}, {1, 0, 0});
    ASSERT_TRUE(p);
    EXPECT_EQ(*p, (Hkl{1, -1, 0}));
    // Already perpendicular: kept as typed; all zero means (1 0 0).
    EXPECT_EQ(*PerpendicularReference(kCubic, {0, 0, 1}, {0, 1, 0}), (Hkl{0, 1, 0}));
    EXPECT_EQ(*PerpendicularReference(kCubic, {0, 0, 1}, {0, 0, 0}), (Hkl{1, 0, 0}));
    // A direction parallel to G is given a companion index and corrected.
    const std::optional<Hkl> q = PerpendicularReference(kMonoclinic, {1, 0, 0}, {1, 0, 0});
    ASSERT_TRUE(q);
    EXPECT_LE(PerpendicularityMeasure(kMonoclinic, 1, 0, 0, q->h, q->k, q->l), 1e-7);
}

TEST(FixRefl, AngleWrapsOncePerUpdate) {
    const std::pair<double, double> cases[] = {
        {370, 10}, {-365, -5}, {725, 365}, {360, 0}, {-360, 0}, {359.5, 359.5}, {0, 0},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(WrapRotationAngle(in), out) << in;
}

TEST(FixRefl, AutoRotateLimits) {
    const std::pair<double, double> steps[] = {
        {0, 0.01}, {-0.005, -0.01}, {0.005, 0.01}, {0.01, 0.01}, {-0.01, -0.01}, {2, 2},
    };
    for (const auto& [in, out] : steps)
        EXPECT_EQ(ClampAutoStep(in), out) << in;
    const std::pair<double, double> intervals[] = {
        {0, 0.001}, {0.0005, 0.001}, {-1, 0.001}, {0.001, 0.001}, {0.5, 0.5}};
    for (const auto& [in, out] : intervals)
        EXPECT_EQ(ClampAutoInterval(in), out) << in;
}

TEST(FixRefl, TriadOfThePoint) {
    // Transmission: the film centre is the forward beam, which has no diffraction vector.
    const FilmGeometry trans = MakeFilmGeometry(0, 300, 0);
    EXPECT_EQ(FixReflTriad(trans, 0, 0).status, TriadStatus::Forward);
    // Back reflection: the centre is the exact back-reflection direction, with the fixed triad.
    const FilmGeometry back = MakeFilmGeometry(1, 300, 0);
    const TriadResult b = FixReflTriad(back, 0, 0);
    EXPECT_EQ(b.status, TriadStatus::ExactBack);
    EXPECT_EQ(b.triad.G, (Vec3{0, 0, 1}));
    EXPECT_EQ(b.triad.P, (Vec3{1, 0, 0}));
    EXPECT_EQ(b.triad.Q, (Vec3{0, 1, 0}));
    // Anywhere else: G is the point's diffraction vector, P lies across the beam, all unit and
    // perpendicular, right-handed.
    for (const FilmGeometry& g : {trans, back, MakeFilmGeometry(0, 300, 25)}) {
        const TriadResult r = FixReflTriad(g, 212.5, -87.0);
        ASSERT_EQ(r.status, TriadStatus::Ok);
        const LabTriad& t = r.triad;
        const Vec3 dir = *SpotDirection(g, 212.5, -87.0);
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(t.G[i], dir[i], kTight);
        EXPECT_EQ(t.P[2], 0.0);
        EXPECT_NEAR(Dot(t.P, t.P), 1, kTight);
        EXPECT_NEAR(Dot(t.Q, t.Q), 1, kTight);
        EXPECT_NEAR(Dot(t.G, t.P), 0, kTight);
        EXPECT_NEAR(Dot(t.G, t.Q), 0, kTight);
        EXPECT_NEAR(Dot(Cross(t.G, t.P), t.Q), 1, kTight);
    }
}

// The lab direction of reflection g in the orientation given by surface and horizontal.
Vec3 LabDirection(const ReciprocalBasis& rb, const SurfaceAndHorizontal& o, const Hkl& g) {
    const Mat3 O = OrientationMatrix(rb, o.surface.h, o.surface.k, o.surface.l, o.horizontal.h,
                                     o.horizontal.k, o.horizontal.l, 0, 0, 0, 0);
    Vec3 v = LabVector(O, g.h, g.k, g.l);
    const double n = std::sqrt(Dot(v, v));
    return {v[0] / n, v[1] / n, v[2] / n};
}

TEST(FixRefl, EveryAngleKeepsGOnItsSpot) {
    const FilmGeometry film = MakeFilmGeometry(0, 300, 0);
    const TriadResult r = FixReflTriad(film, 150, 90);
    ASSERT_EQ(r.status, TriadStatus::Ok);
    for (const ReciprocalBasis* rb : {&kCubic, &kMonoclinic}) {
        const Hkl g{1, 1, 1};
        const Hkl perp = *PerpendicularReference(*rb, g, {1, 0, 0});
        Vec3 previous{};
        for (double angle : {0.0, 17.0, 90.0, 233.5, -40.0}) {
            const SurfaceAndHorizontal o = FixReflOrientation(*rb, g, perp, r.triad, angle);
            const Vec3 v = LabDirection(*rb, o, g);
            for (int i = 0; i < 3; ++i)
                EXPECT_NEAR(v[i], r.triad.G[i], 1e-9) << angle;
            // The rest of the crystal turns: the reference direction moves with the angle.
            const Vec3 p = LabDirection(*rb, o, perp);
            EXPECT_NE(p, previous);
            previous = p;
            // The reference lies at the angle from P about G.
            const double th = angle * 3.14159265358979323846 / 180;
            EXPECT_NEAR(Dot(p, r.triad.P), std::cos(th), 1e-9);
            EXPECT_NEAR(Dot(p, r.triad.Q), std::sin(th), 1e-9);
        }
    }
}

TEST(FixRefl, LabPlanesOfTheStartOrientation) {
    const Mat3 O = OrientationMatrix(kCubic, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0);
    const LabPlanes p = LabOrientationPlanes(O, kCubic);
    ExpectHkl(p.z, {0, 0, 1});
    ExpectHkl(p.x, {1, 0, 0});
    ExpectHkl(p.y, {0, 1, 0});
    EXPECT_TRUE(p.perpendicular);
}

TEST(FixRefl, LabPlanesKeepTheSignOfTheLargestIndex) {
    // Surface (1 2 -4) facing the beam, horizontal (2 -1 0): z' is (0.25, 0.5, -1).
    const Mat3 O = OrientationMatrix(kCubic, 1, 2, -4, 2, -1, 0, 0, 0, 0, 0);
    const LabPlanes p = LabOrientationPlanes(O, kCubic);
    ExpectHkl(p.z, {0.25, 0.5, -1});
    ExpectHkl(p.x, {1, -0.5, 0});
    EXPECT_TRUE(p.perpendicular);
    // A non-perpendicular orientation is reported.
    const Mat3 skew = {{{1, 0, 0}, {0, 1, 0}, {0.2, 0.3, 1}}};
    EXPECT_FALSE(LabOrientationPlanes(skew, ReciprocalBasis{}).perpendicular);
}

TEST(FixRefl, CopiedTextAndMessages) {
    LabPlanes p;
    p.z = {1, 0.75, 0.25};
    p.x = {-0.5, 1, 1e-17};
    p.y = {0, -1, 0.123456789};
    EXPECT_EQ(LabPlanesText(p), "1, 0.75, 0.25\r\n-0.5, 1, 1e-17\r\n0, -1, 0.123457");
    EXPECT_EQ(HklAllZeroMessage().text, "h k l must not be all zero!");
    EXPECT_EQ(ExactBackReflectionMessage().text, "Exact Back Reflection");
    EXPECT_EQ(NotPerpendicularMessage().text,
              "The \"Perpendicular orientation\" is not perpendicular to (h k l). Click the ... "
              "button.");
    EXPECT_EQ(LabPlanesNotPerpendicularMessage().text,
              "The z' and x' planes might not be exactly perpendicular due to truncation.");
    EXPECT_EQ(LabPlanesNotPerpendicularMessage().icon, MsgIcon::Exclamation);
    const std::string e = LabOrientationExplanation();
    EXPECT_EQ(e.rfind("Current Absolute Crystal Orientation", 0), 0u);
    EXPECT_NE(e.find("operation.\n      For example"), std::string::npos);
}

} // namespace
} // namespace xelmor
