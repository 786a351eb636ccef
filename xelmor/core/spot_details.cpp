#include "xelmor/core/spot_details.h"

#include "structfile/number_format.h"

#include <cmath>
#include <utility>

namespace xelmor {

namespace {

const double kRadToDeg = 180.0 / std::acos(-1.0);

// Film coordinates (mm) closer to 0 than this are shown as 0, so that a spot on a centre line
// does not show the rounding noise of the projection in exponent notation.
constexpr double kZeroPosition = 1e-8;

// The formatter's text, or empty text for a value that is not a number.
std::string Shown(double value, int decimals) {
    return std::isfinite(value) ? FormatNumber(value, decimals) : std::string();
}

std::string PositionShown(double mm) {
    return Shown(std::fabs(mm) < kZeroPosition ? 0.0 : mm, 4);
}

} // namespace

int LowestKeptOrder(const CDot& spot) {
    return spot.harmonics.empty() ? 1 : spot.harmonics.front().n;
}

std::string OrderIndicesText(const CDot& spot, int n) {
    // In 64 bits, so that no pair of int indices and order can overflow.
    const long long m = n;
    return std::to_string(m * spot.h) + " " + std::to_string(m * spot.k) + " " +
           std::to_string(m * spot.l);
}

SpotDetails MakeSpotDetails(const CDot* spot, double reference) {
    SpotDetails out;
    if (spot == nullptr) {
        return out;
    }
    const CDot& s = *spot;
    const int m = LowestKeptOrder(s);

    out.baseReflection = OrderIndicesText(s, m);
    out.braggAngle = Shown(std::asin(s.lambda * 0.5 / s.d) * kRadToDeg, 4);
    out.position = "x = " + PositionShown(s.x / 10.0) + ",  y = " + PositionShown(s.y / 10.0);

    const double baseLambda = s.lambda / m;
    out.wavelengthEnergy =
        Shown(baseLambda, 6) + " A  /  " + Shown(kEnergyTimesWavelength / baseLambda, 6) + " KeV";
    out.absoluteIntensity = Shown(s.intensity, 3);
    if (reference > 0.0) {
        out.relativeIntensity = Shown(s.intensity / reference * 100.0, 3);
    }

    out.harmonics.reserve(s.harmonics.size());
    for (const Harmonic& h : s.harmonics) {
        SpotHarmonicRow row;
        row[0] = OrderIndicesText(s, h.n);
        // A share of a spot without intensity has no meaning (and would read "nan%").
        if (s.intensity > 0.0) {
            row[1] = Shown(h.intensity / s.intensity * 100.0, 2) + "%";
        }
        row[2] = Shown(s.lambda / h.n, 4);
        row[3] = Shown(s.d / h.n, 4);
        row[4] = Shown(std::sqrt(h.F2), 3);
        out.harmonics.push_back(std::move(row));
    }
    return out;
}

} // namespace xelmor
