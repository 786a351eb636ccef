// Film (detector) projection.
#include "xelmor/core/film.h"

#include <cmath>

namespace xelmor {

namespace {

const double kDegToRad = std::acos(-1.0) / 180.0;

// Below this |cos tilt| the direct beam runs parallel to the film plane.
constexpr double kParallelCos = 1e-8;

} // namespace

FilmGeometry MakeFilmGeometry(int transOrBack, double d, double tiltDeg) {
    FilmGeometry g;
    g.transOrBack = transOrBack;
    g.D = d;
    g.cosTilt = std::cos(tiltDeg * kDegToRad);
    g.sinTilt = std::sin(tiltDeg * kDegToRad);
    return g;
}

Vec3 RayFromFilmPoint(const FilmGeometry& g, double x, double y) {
    // The film frame is the lab frame turned about x by the tilt; the film plane lies at
    // -D (transmission) or +D (back reflection) along the film normal. Turn the film point
    // (x, y, -+D) back into the lab frame, then normalise.
    const double ct = g.cosTilt, st = g.sinTilt;
    Vec3 p;
    if (g.transOrBack == kTransmission) {
        p = {x, ct * y + st * g.D, st * y - ct * g.D};
    } else {
        p = {-x, ct * y + st * g.D, ct * g.D - st * y};
    }
    const double len = std::sqrt(Dot(p, p));
    return {p[0] / len, p[1] / len, p[2] / len};
}

void Spot000(const FilmGeometry& g, double yMin, double yMax, double& x, double& y) {
    if (std::fabs(g.cosTilt) < kParallelCos) {
        x = kSpot000Absent;
        return;
    }
    x = 0.0;
    y = -g.D * g.sinTilt / g.cosTilt;
    if (y < yMin || y > yMax) {
        y = kSpot000Absent;
    }
}

} // namespace xelmor
