// Tests of the film projection and spot 000.
#include "xelmor/core/film.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace xelmor {
namespace {

constexpr double kPosTol = 1e-9;  // detector coordinates, 0.1 mm, of order 1000
constexpr double kDirTol = 1e-12; // unit directions
const double kDeg = std::acos(-1.0) / 180.0;
constexpr double kD = 500.0;

Vec3 Unit(double x, double y, double z) {
    const double n = std::sqrt(x * x + y * y + z * z);
    return {x / n, y / n, z / n};
}

struct ProjectionCase {
    const char* what;
    int geometry;
    double tiltDeg;
    Vec3 ray;
    bool hits;
    double x, y;
};

const double kSz = -std::sqrt(1 - 0.3 * 0.3 - 0.2 * 0.2);
const ProjectionCase kProjectionCases[] = {
    {"transmission, downstream ray",
     kTransmission,
     0,
     {0.3, -0.2, kSz},
     true,
     0.3 * kD / -kSz,
     -0.2 * kD / -kSz},
    {"transmission, direct beam", kTransmission, 0, {0, 0, -1}, true, 0, 0},
    {"transmission, ray along the film", kTransmission, 0, {0.6, 0.8, 0}, false, 0, 0},
    {"transmission, upstream ray", kTransmission, 0, {0.3, -0.2, -kSz}, false, 0, 0},
    {"back reflection, upstream ray",
     kBackReflection,
     0,
     {0.3, -0.2, -kSz},
     true,
     -0.3 * kD / -kSz,
     -0.2 * kD / -kSz},
    {"back reflection, ray along the film", kBackReflection, 0, {0.6, 0.8, 0}, false, 0, 0},
    {"back reflection, downstream ray", kBackReflection, 0, {0.3, -0.2, kSz}, false, 0, 0},
    {"back reflection, any non-zero switch value", 7, 0, {0, 0.6, 0.8}, true, 0, 375},
    // Film turned a quarter turn: it lies above the crystal, its y axis along +z'
    // (transmission) or -z' (back reflection).
    {"transmission 90, straight up", kTransmission, 90, {0, 1, 0}, true, 0, 0},
    {"transmission 90, up and downstream",
     kTransmission,
     90,
     {0, 0.6, -0.8},
     true,
     0,
     -0.8 * kD / 0.6},
    {"transmission 90, downward ray", kTransmission, 90, {0, -0.6, -0.8}, false, 0, 0},
    {"back reflection 90, up and upstream",
     kBackReflection,
     90,
     {0, 0.6, 0.8},
     true,
     0,
     -0.8 * kD / 0.6},
    {"back reflection -90, downward ray",
     kBackReflection,
     -90,
     {0.6, -0.8, 0},
     true,
     -0.6 * kD / 0.8,
     0},
    {"transmission 30, beam hits below centre",
     kTransmission,
     30,
     {0, 0, -1},
     true,
     0,
     -kD* std::tan(30 * kDeg)},
    {"back reflection 30, source direction",
     kBackReflection,
     30,
     {0, 0, 1},
     true,
     0,
     -kD* std::tan(30 * kDeg)},
    {"non-finite ray", kTransmission, 0, {NAN, 0, -1}, false, 0, 0},
    {"non-finite ray, back reflection", kBackReflection, 0, {0, NAN, 1}, false, 0, 0},
};

TEST(FilmProjection, KnownRays) {
    for (const ProjectionCase& t : kProjectionCases) {
        const FilmGeometry g = MakeFilmGeometry(t.geometry, kD, t.tiltDeg);
        double x = -123, y = -456;
        const bool hits = ProjectToFilm(g, t.ray, x, y);
        ASSERT_EQ(hits, t.hits) << t.what;
        if (hits) {
            EXPECT_NEAR(x, t.x, kPosTol) << t.what;
            EXPECT_NEAR(y, t.y, kPosTol) << t.what;
        } else {
            EXPECT_EQ(x, -123) << t.what; // a miss leaves the outputs alone
            EXPECT_EQ(y, -456) << t.what;
        }
    }
}

// Independent statement of the film frames: the transmission film is the downstream film
// (normal -z', axes x', y') turned by Rx(+t); the back-reflection film is the upstream film
// (normal +z', screen x along -x', y along y') turned by Rx(-t). A ray meets the plane
// n.P = D when n.s > 0, at P = s D / (n.s).
void ReferenceFrame(int geometry, double tiltDeg, Vec3& ex, Vec3& ey, Vec3& n) {
    const double c = std::cos(tiltDeg * kDeg), s = std::sin(tiltDeg * kDeg);
    if (geometry == kTransmission) {
        ex = {1, 0, 0};
        ey = {0, c, s}; // Rx(t) (0, 1, 0)
        n = {0, s, -c}; // Rx(t) (0, 0, -1)
    } else {
        ex = {-1, 0, 0};
        ey = {0, c, -s}; // Rx(-t) (0, 1, 0)
        n = {0, s, c};   // Rx(-t) (0, 0, 1)
    }
}

TEST(FilmProjection, MatchesRayPlaneIntersectionAndInverts) {
    const double tilts[] = {0, 30, -75, 120, 200, -330};
    for (int geometry : {kTransmission, kBackReflection}) {
        for (double tilt : tilts) {
            const FilmGeometry g = MakeFilmGeometry(geometry, kD, tilt);
            Vec3 ex, ey, n;
            ReferenceFrame(geometry, tilt, ex, ey, n);
            int hitCount = 0;
            for (double sx = -0.9; sx <= 0.91; sx += 0.3) {
                for (double sy = -0.9; sy <= 0.91; sy += 0.3) {
                    for (double sz : {-1.0, -0.4, 0.2, 0.7}) {
                        const Vec3 s = Unit(sx, sy, sz);
                        const std::string what = "geometry " + std::to_string(geometry) + " tilt " +
                                                 std::to_string(tilt) + " ray " +
                                                 std::to_string(sx) + " " + std::to_string(sy) +
                                                 " " + std::to_string(sz);
                        const double ns = Dot(n, s);
                        double x = 0, y = 0;
                        const bool hits = ProjectToFilm(g, s, x, y);
                        ASSERT_EQ(hits, ns > 0) << what;
                        if (!hits) {
                            continue;
                        }
                        ++hitCount;
                        const double u = kD / ns;
                        const Vec3 p = {s[0] * u, s[1] * u, s[2] * u};
                        // Grazing rays land far out; compare relative to the distance.
                        const double scale = std::max(1.0, u);
                        EXPECT_NEAR(x, Dot(p, ex), kPosTol * scale) << what;
                        EXPECT_NEAR(y, Dot(p, ey), kPosTol * scale) << what;

                        const Vec3 back = RayFromFilmPoint(g, x, y);
                        for (int i = 0; i < 3; ++i) {
                            EXPECT_NEAR(back[i], s[i], kDirTol) << what << " component " << i;
                        }
                    }
                }
            }
            EXPECT_GT(hitCount, 0) << geometry << " " << tilt;
        }
    }
}

TEST(FilmProjection, FilmPointRoundTrip) {
    for (int geometry : {kTransmission, kBackReflection}) {
        for (double tilt : {0.0, 45.0, -100.0, 270.0}) {
            const FilmGeometry g = MakeFilmGeometry(geometry, kD, tilt);
            for (double x = -1000; x <= 1000; x += 250) {
                for (double y = -750; y <= 750; y += 250) {
                    const Vec3 s = RayFromFilmPoint(g, x, y);
                    EXPECT_NEAR(Dot(s, s), 1.0, kDirTol);
                    double px = 0, py = 0;
                    ASSERT_TRUE(ProjectToFilm(g, s, px, py)) << geometry << " " << tilt;
                    EXPECT_NEAR(px, x, kPosTol) << geometry << " " << tilt;
                    EXPECT_NEAR(py, y, kPosTol) << geometry << " " << tilt;
                }
            }
        }
    }
}

TEST(FilmSpot000, PositionAndRangeRules) {
    struct Case {
        const char* what;
        int geometry;
        double tiltDeg, yIn, x, y;
    };
    const double yMin = -750, yMax = 750;
    const double tan10 = std::tan(10 * kDeg);
    const Case cases[] = {
        {"no tilt", kTransmission, 0, 5, 0, 0},
        {"small tilt", kTransmission, 10, 5, 0, -kD * tan10},
        {"small negative tilt", kTransmission, -10, 5, 0, kD * tan10},
        {"back reflection", kBackReflection, 10, 5, 0, -kD * tan10},
        {"below yMin", kTransmission, 60, 5, 0, kSpot000Absent},
        {"above yMax", kTransmission, -60, 5, 0, kSpot000Absent},
        {"beyond a half turn", kTransmission, 190, 5, 0, -kD * tan10},
        {"parallel to film", kTransmission, 90, 123, kSpot000Absent, 123},
        {"parallel to film, -90", kBackReflection, -90, -42, kSpot000Absent, -42},
        {"parallel to film, 270", kTransmission, 270, 7, kSpot000Absent, 7},
    };
    for (const Case& t : cases) {
        const FilmGeometry g = MakeFilmGeometry(t.geometry, kD, t.tiltDeg);
        double x = -1, y = t.yIn;
        Spot000(g, yMin, yMax, x, y);
        EXPECT_NEAR(x, t.x, kPosTol) << t.what;
        EXPECT_NEAR(y, t.y, kPosTol) << t.what;
    }
}

// Where the spot lies on the film it is the projection of the direct beam: the ray along -z'
// in transmission, the ray back towards the source in back reflection.
TEST(FilmSpot000, AgreesWithProjectionOfTheBeam) {
    for (int geometry : {kTransmission, kBackReflection}) {
        for (double tilt : {0.0, 15.0, -40.0, 70.0}) {
            const FilmGeometry g = MakeFilmGeometry(geometry, kD, tilt);
            double x = 0, y = 0;
            Spot000(g, -1e7, 1e7, x, y);
            const Vec3 beam = geometry == kTransmission ? Vec3{0, 0, -1} : Vec3{0, 0, 1};
            double px = 0, py = 0;
            ASSERT_TRUE(ProjectToFilm(g, beam, px, py));
            EXPECT_NEAR(x, px, kPosTol);
            EXPECT_NEAR(y, py, kPosTol);
        }
    }
}

TEST(FilmSpot000, OnFilmTest) {
    struct Case {
        double x, y;
        bool on;
    };
    const Case cases[] = {
        {0, 0, true},     {99999999, -99999999, true},
        {1e8, 0, false},  {0, 1e8, false},
        {-1e8, 0, false}, {0, -2e8, false},
        {NAN, 0, false},  {0, INFINITY, false},
    };
    for (const Case& t : cases) {
        EXPECT_EQ(Spot000OnFilm(t.x, t.y), t.on) << t.x << " " << t.y;
    }
}

} // namespace
} // namespace xelmor
