#include "xelmor/core/fix_refl.h"

#include <cmath>

#include "structfile/number_format.h"
#include "xelmor/core/lut.h"

namespace xelmor {

namespace {

constexpr double kPerpendicularLimit = 1e-7;
constexpr double kExactBack = 1e-8;
constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

Vec3 Unit(const Vec3& v) {
    const double n = std::sqrt(Dot(v, v));
    return {v[0] / n, v[1] / n, v[2] / n};
}

Vec3 Scaled(const Vec3& v, double s) {
    return {v[0] * s, v[1] * s, v[2] * s};
}

Vec3 Sum(const Vec3& a, const Vec3& b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}

// Bᵀ v: the components of v against a*, b*, c* (B has them as columns).
Vec3 BasisTransposed(const ReciprocalBasis& rb, const Vec3& v) {
    return {rb.ax * v[0] + rb.ay * v[1] + rb.az * v[2], rb.by * v[1] + rb.bz * v[2], rb.cz * v[2]};
}

// Divides by the component of largest magnitude, so that it becomes +-1 with its sign.
Hkl ScaledToUnitMax(const Vec3& v) {
    double m = 0;
    for (double c : v)
        if (std::fabs(c) > std::fabs(m))
            m = c;
    const double s = std::fabs(m);
    if (s == 0)
        return {v[0], v[1], v[2]};
    return {v[0] / s, v[1] / s, v[2] / s};
}

double Perpendicularity(const ReciprocalBasis& rb, const Hkl& a, const Hkl& b) {
    return PerpendicularityMeasure(rb, a.h, a.k, a.l, b.h, b.k, b.l);
}

double Rounded8(double v) {
    return ParseDouble(FormatNumber(v, 8));
}

} // namespace

TriadResult FixReflTriad(const FilmGeometry& g, double x, double y) {
    TriadResult r;
    const std::optional<Vec3> dir = SpotDirection(g, x, y);
    if (!dir) {
        r.status = TriadStatus::Forward;
        return r;
    }
    const Vec3 G = *dir;
    if (std::fabs(G[2] - 1.0) < kExactBack) {
        r.status = TriadStatus::ExactBack;
        return r; // the default triad: z', x', y'
    }
    const double s = std::sqrt(G[0] * G[0] + G[1] * G[1]);
    r.triad.G = G;
    r.triad.P = {-G[1] / s, G[0] / s, 0.0};
    r.triad.Q = Cross(G, r.triad.P);
    return r;
}

double WrapRotationAngle(double deg) {
    if (deg >= 360)
        return deg - 360;
    if (deg <= -360)
        return deg + 360;
    return deg;
}

std::optional<Hkl> PerpendicularReference(const ReciprocalBasis& rb, const Hkl& g,
                                          const Hkl& perp) {
    Hkl p = perp.IsZero() ? Hkl{1, 0, 0} : perp;
    if (!(Perpendicularity(rb, g, p) > kPerpendicularLimit))
        return p;
    CorrectHorizontal(rb, g.h, g.k, g.l, p.h, p.k, p.l);
    const Hkl rounded{Rounded8(p.h), Rounded8(p.k), Rounded8(p.l)};
    if (Perpendicularity(rb, g, rounded) <= kPerpendicularLimit)
        return rounded;
    // NaN (a correction that divided by zero) fails the test as well.
    if (Perpendicularity(rb, g, p) <= kPerpendicularLimit)
        return p;
    return std::nullopt;
}

SurfaceAndHorizontal FixReflOrientation(const ReciprocalBasis& rb, const Hkl& gHkl, const Hkl& pHkl,
                                        const LabTriad& t, double angleDeg) {
    // The crystal frame: g along G, p along the reference, q completing it.
    const Vec3 g = Unit(ReciprocalVector(rb, gHkl.h, gHkl.k, gHkl.l));
    const Vec3 p = Unit(ReciprocalVector(rb, pHkl.h, pHkl.k, pHkl.l));
    const Vec3 q = Cross(g, p);
    // The lab frame, turned by the angle about G.
    const double th = angleDeg * kDegToRad;
    const Vec3 pLab = Sum(Scaled(t.P, std::cos(th)), Scaled(t.Q, std::sin(th)));
    const Vec3 qLab = Cross(t.G, pLab);
    // O = G (Bᵀg)ᵀ + p' (Bᵀp)ᵀ + q' (Bᵀq)ᵀ.
    const Vec3 bg = BasisTransposed(rb, g), bp = BasisTransposed(rb, p),
               bq = BasisTransposed(rb, q);
    Mat3 O{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            O[i][j] = t.G[i] * bg[j] + pLab[i] * bp[j] + qLab[i] * bq[j];
    SurfaceAndHorizontal out;
    out.surface = ScaledToUnitMax(SolveCramer3(O, {0, 0, 1}));
    out.horizontal = ScaledToUnitMax(SolveCramer3(O, {1, 0, 0}));
    return out;
}

double ClampAutoStep(double step) {
    if (step > -0.01 && step < 0.01)
        return step < 0 ? -0.01 : 0.01;
    return step;
}

double ClampAutoInterval(double seconds) {
    return seconds < 0.001 ? 0.001 : seconds;
}

LabPlanes LabOrientationPlanes(const Mat3& orient, const ReciprocalBasis& rb) {
    LabPlanes out;
    const Vec3 z = SolveCramer3(orient, {0, 0, 1});
    const Vec3 x = SolveCramer3(orient, {1, 0, 0});
    const Vec3 y = SolveCramer3(orient, {0, 1, 0});
    out.z = ScaledToUnitMax(z);
    out.x = ScaledToUnitMax(x);
    out.y = ScaledToUnitMax(y);
    out.perpendicular = Perpendicularity(rb, out.z, out.x) < kPerpendicularLimit;
    return out;
}

std::string LabPlanesText(const LabPlanes& p) {
    // "%g" in the C locale whatever the user's locale: the numbers are pasted elsewhere.
    auto row = [](const Hkl& v) {
        return FormatG(v.h) + ", " + FormatG(v.k) + ", " + FormatG(v.l);
    };
    return row(p.z) + "\r\n" + row(p.x) + "\r\n" + row(p.y);
}

std::string LabOrientationExplanation() {
    const char* const paragraphs[] = {
        "Current Absolute Crystal Orientation in the Fixed Lab Coordinate System x'y'z' after "
        "whatever rotation or operation.",
        "For example, if the first line has (1, 0.75, 0.25), it means the lattice plane "
        "perpendicular to z' is (1, 0.75, 0.25), i.e., z' axis is along vector a* + 0.75b* + "
        "0.25c* in reciprocal space, where a*, b*, c* are the primitive reciprocal lattice vectors "
        "of the crystal. In experiments, if the crystal surface is perpendicular to the incident "
        "beam (as usual), the surface is determined to be (1, 0.75, 0.25), which is actually "
        "(431). Here the indices are allowed to be fractions in order to express any arbitrary "
        "orientations, not necessarily discrete reciprocal lattice vector directions.",
        "The 2nd and 3rd lines have similar meanings, but along x', z' axes.",
        "\"Set Abs. Orientation\" is to set the current absolute orientation and clear rotation "
        "XYZ all to zero, which does not change the pattern. Afterwards, the first two lines are "
        "the same as those in \"Diffraction Geometry\" dialog.",
        "The \"Copy\" button is to copy the nine parameters to Clipborad so you can use Ctrl+V to "
        "paste them in other documents.",
    };
    std::string text;
    for (const char* p : paragraphs) {
        if (!text.empty())
            text += "\n      ";
        text += p;
    }
    return text;
}

Message ExactBackReflectionMessage() {
    return MakeMessage("Exact Back Reflection", MsgIcon::None);
}

Message HklAllZeroMessage() {
    return MakeMessage("h k l must not be all zero!", MsgIcon::None);
}

Message NotPerpendicularMessage() {
    return MakeMessage("The \"Perpendicular orientation\" is not perpendicular to (h k l). Click "
                       "the ... button.",
                       MsgIcon::None);
}

Message LabPlanesNotPerpendicularMessage() {
    return MakeMessage("The z' and x' planes might not be exactly perpendicular due to truncation.",
                       MsgIcon::Exclamation);
}

} // namespace xelmor
