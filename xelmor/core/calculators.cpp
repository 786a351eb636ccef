#include "xelmor/core/calculators.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "structfile/number_format.h"
#include "xelmor/core/params.h"
#include "xelmor/core/spot_details.h"

namespace xelmor {

namespace {

constexpr int kDecimals = 8;
// A cross-product index this small is rounding noise of a zero.
constexpr double kNoiseIndex = 1e-10;
// The largest index magnitude below which the cross product is not rescaled.
constexpr double kTinyLargest = 1e-50;

// "%.12g" in the C locale.
std::string General12(double value) {
    char buffer[64];
    const auto r =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 12);
    return std::string(buffer, r.ptr);
}

} // namespace

std::string_view AngleCalculatorLabel(bool noCrystal) {
    return noCrystal ? kCubicStructureLabel : kCurrentStructureLabel;
}

std::array<double, 6> AngleStartIndices(const CParameterSet& p) {
    if (p.m_bGeometrySet)
        return {p.m_H, p.m_K, p.m_L, p.m_h, p.m_k, p.m_l};
    return {0, 0, 1, 1, 0, 0};
}

std::string CrossIndexText(double value) {
    value += 0.0; // -0 becomes 0
    const std::string text = General12(value);
    const double magnitude = std::fabs(value);
    if (magnitude > 0.0 && magnitude < kNoiseIndex)
        return "0    (" + text + ")";
    return text;
}

AngleCalculation CalculateAngle(const ReciprocalBasis& rb,
                                const std::array<std::string, 6>& typed) {
    AngleCalculation out;
    std::array<double, 6> v{};
    for (int i = 0; i < 6; ++i) {
        v[i] = ParseDouble(typed[i]);
        out.indexTexts[i] = FormatNumber(v[i], kDecimals);
    }
    if (v[0] == 0.0 && v[1] == 0.0 && v[2] == 0.0) {
        out.zeroRow = AngleRow::First;
        out.message = MakeMessage("(H1 K1 L1) must not be (000) !", MsgIcon::None);
        return out;
    }
    if (v[3] == 0.0 && v[4] == 0.0 && v[5] == 0.0) {
        out.zeroRow = AngleRow::Second;
        out.message = MakeMessage("(H2 K2 L2) must not be (000) !", MsgIcon::None);
        return out;
    }

    const Vec3 g1 = ReciprocalVector(rb, v[0], v[1], v[2]);
    const Vec3 g2 = ReciprocalVector(rb, v[3], v[4], v[5]);
    const double cosine =
        std::clamp(Dot(g1, g2) / (std::sqrt(Dot(g1, g1)) * std::sqrt(Dot(g2, g2))), -1.0, 1.0);
    out.angleDeg = std::acos(cosine) * 180.0 / std::numbers::pi;
    out.angleText = FormatNumber(out.angleDeg, kDecimals);

    const Vec3 c = Cross(g1, g2);
    out.cross = c;
    // Back into the triangular reciprocal basis, row by row.
    double H = c[0] / rb.ax;
    double K = (c[1] - H * rb.ay) / rb.by;
    double L = (c[2] - H * rb.az - K * rb.bz) / rb.cz;
    const double largest = std::max({std::fabs(H), std::fabs(K), std::fabs(L)});
    if (largest > kTinyLargest) {
        H /= largest;
        K /= largest;
        L /= largest;
    }
    out.hkl = {H, K, L};
    for (int i = 0; i < 3; ++i)
        out.hklTexts[i] = CrossIndexText(out.hkl[i]);
    return out;
}

AngleUnits ConvertAngle(AngleUnit from, double value) {
    const double radPerDeg = std::acos(-1.0) / 180.0;
    AngleUnits u;
    switch (from) {
    case AngleUnit::ArcSecond:
        u.arcSeconds = value;
        u.degrees = value / 3600.0;
        u.microRadians = u.degrees * radPerDeg * 1e6;
        break;
    case AngleUnit::Degree:
        u.degrees = value;
        u.arcSeconds = value * 3600.0;
        u.microRadians = value * radPerDeg * 1e6;
        break;
    case AngleUnit::MicroRadian: {
        u.microRadians = value;
        const double radians = value / 1e6;
        u.arcSeconds = radians / radPerDeg * 3600.0;
        u.degrees = radians / radPerDeg;
        break;
    }
    }
    return u;
}

std::string ConvertedText(double value) {
    return FormatNumber(value, kDecimals);
}

std::string BeamPartnerText(double value) {
    if (!(value > 0.0))
        return std::string();
    return FormatNumber(kEnergyTimesWavelength / value, kDecimals);
}

} // namespace xelmor
