#include "xelmor/core/geometry.h"

#include <cmath>

#include "structfile/number_format.h"

namespace xelmor {

namespace {

constexpr double kMinDistance = 0.001;     // mm
constexpr double kIndexBound = 999;        // Miller indices within -999..999
constexpr double kPerpendicularity = 1e-7; // |cos| below this counts as perpendicular

GeometryCheck Refuse(const char* text, GeometryField focus) {
    GeometryCheck c;
    c.kind = GeometryCheck::Refused;
    c.message.text = text;
    c.message.icon = MsgIcon::Exclamation;
    c.focus = focus;
    return c;
}

bool Perpendicular(const ReciprocalBasis& rb, const GeometryValues& v, double h, double k,
                   double l) {
    return PerpendicularityMeasure(rb, v.H, v.K, v.L, h, k, l) < kPerpendicularity;
}

} // namespace

int DefaultIndexLimit(double latticeConstant) {
    return static_cast<int>(3 * latticeConstant + 0.5);
}

GeometryCheck CheckGeometry(const ReciprocalBasis& rb, const GeometryValues& v) {
    if (!(v.D >= kMinDistance))
        return Refuse("Invalid imaging distance!", GeometryField::D);
    const double indices[6] = {v.H, v.K, v.L, v.h, v.k, v.l};
    const GeometryField fields[6] = {GeometryField::H, GeometryField::K, GeometryField::L,
                                     GeometryField::h, GeometryField::k, GeometryField::l};
    for (int i = 0; i < 6; ++i) {
        if (!(indices[i] >= -kIndexBound && indices[i] <= kIndexBound))
            return Refuse("Index must be between -999 and 999", fields[i]);
    }
    if (v.H == 0 && v.K == 0 && v.L == 0)
        return Refuse("At least one of the HKL indexes should be nonzero!", GeometryField::H);
    if (v.h == 0 && v.k == 0 && v.l == 0)
        return Refuse("At least one of the hkl indexes should be nonzero!", GeometryField::h);
    if (v.Hmax == 0 && v.Kmax == 0 && v.Lmax == 0)
        return Refuse("At least one of the max indexes should be nonzero!", GeometryField::Hmax);
    if (Perpendicular(rb, v, v.h, v.k, v.l))
        return {};

    double h = v.h, k = v.k, l = v.l;
    CorrectHorizontal(rb, v.H, v.K, v.L, h, k, l);
    // The dialog shows the proposal with 10 decimals; use those values when they still pass.
    double hr = ParseDouble(FormatNumber(h, 10));
    double kr = ParseDouble(FormatNumber(k, 10));
    double lr = ParseDouble(FormatNumber(l, 10));
    if (!Perpendicular(rb, v, hr, kr, lr)) {
        hr = h, kr = k, lr = l;
        if (!Perpendicular(rb, v, hr, kr, lr))
            return Refuse(
                "The horizontal orientation is not perpendicular to the surface plane. Dead!",
                GeometryField::h);
    }
    GeometryCheck c;
    c.kind = GeometryCheck::Correction;
    c.message.text = "The horizontal orientation is not perpendicular to the Surface\nPlane "
                     "(HKL). Xelmor provides you a correct one:\n\n    h = " +
                     FormatNumber(hr, 8) + "     k = " + FormatNumber(kr, 8) +
                     "     l = " + FormatNumber(lr, 8) + "\n\nDo you accept it?";
    c.message.icon = MsgIcon::Question;
    c.message.buttons = MsgButtons::YesNo;
    c.focus = GeometryField::h;
    c.hc = hr, c.kc = kr, c.lc = lr;
    return c;
}

} // namespace xelmor
