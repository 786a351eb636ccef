// Film (detector) projection: ray direction <-> detector point for both geometries, spot 000.
#pragma once

#include "xelmor/core/lattice.h"

#include <cmath>

namespace xelmor {

// Values of the geometry switch: transmission (film downstream) or back reflection (film
// between source and crystal). Every value other than kTransmission means back reflection.
inline constexpr int kTransmission = 0;
inline constexpr int kBackReflection = 1;

// Coordinate written for a spot 000 that does not lie on the film; readers treat a coordinate
// whose magnitude is not below this as "absent".
inline constexpr double kSpot000Absent = 1e8;

// Where the film sits: geometry switch, distance D from the crystal to the film plane along the
// film normal (0.1 mm, positive), and the cosine and sine of the tilt about the film's x axis.
struct FilmGeometry {
    int transOrBack = kTransmission;
    double D = 0;
    double cosTilt = 1, sinTilt = 0;
};

// Film geometry from the geometry switch, the distance (0.1 mm) and the tilt (degrees).
FilmGeometry MakeFilmGeometry(int transOrBack, double d, double tiltDeg);

// Detector point (x, y) in 0.1 mm, measured in the film plane from the foot of the
// perpendicular from the crystal, of the ray leaving the crystal along the lab direction ray
// (x' horizontal, y' up, z' towards the source). Returns false, leaving x and y alone, when the
// ray does not reach the film plane (also for a non-finite ray). In back reflection x is
// mirrored, because the film is then shown as seen from the crystal looking along +z'.
inline bool ProjectToFilm(const FilmGeometry& g, const Vec3& ray, double& x, double& y) {
    const double ct = g.cosTilt, st = g.sinTilt;
    double px, py;
    if (g.transOrBack == kTransmission) {
        const double n = ct * ray[2] - st * ray[1];
        if (!(n < 0.0)) {
            return false;
        }
        const double u = -g.D / n;
        px = ray[0] * u;
        py = (st * ray[2] + ct * ray[1]) * u;
    } else {
        const double n = ct * ray[2] + st * ray[1];
        if (!(n > 0.0)) {
            return false;
        }
        const double u = g.D / n;
        px = -ray[0] * u;
        py = (ct * ray[1] - st * ray[2]) * u;
    }
    // A NaN point would slip through every range test of the caller, so it counts as a miss.
    if (!std::isfinite(px) || !std::isfinite(py)) {
        return false;
    }
    x = px;
    y = py;
    return true;
}

// Unit lab direction of the ray from the crystal to detector point (x, y): the inverse of
// ProjectToFilm for the same geometry (D must be positive).
Vec3 RayFromFilmPoint(const FilmGeometry& g, double x, double y);

// Where the direct beam crosses the film plane (spot 000), the same rule for both geometries.
// When the beam runs parallel to the film (|cos tilt| < 1e-8) x becomes kSpot000Absent and y
// keeps the value it came in with; otherwise x = 0 and y = -D tan(tilt), replaced by
// kSpot000Absent when it lies outside yMin..yMax (x is not range-checked).
void Spot000(const FilmGeometry& g, double yMin, double yMax, double& x, double& y);

// True when spot 000 at (x, y) is present: both coordinates below kSpot000Absent in magnitude.
inline bool Spot000OnFilm(double x, double y) {
    return std::fabs(x) < kSpot000Absent && std::fabs(y) < kSpot000Absent;
}

} // namespace xelmor
