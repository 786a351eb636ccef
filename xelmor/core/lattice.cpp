// Lattice and orientation maths.
#include "xelmor/core/lattice.h"

#include <algorithm>
#include <cmath>

namespace xelmor {

namespace {

const double kPi = std::acos(-1.0);
const double kDegToRad = kPi / 180.0;

// Cosine of a cell angle in degrees. The right angle and the hexagonal 60 and 120 degrees give
// their exact values, so that a cubic, tetragonal or hexagonal cell has exact zeros in its
// reciprocal basis instead of rounding noise of 1e-17 (noise that would surface as indices such
// as 1.22465e-16 in a corrected horizontal direction).
double CosDeg(double deg) {
    if (deg == 90.0)
        return 0.0;
    if (deg == 60.0)
        return 0.5;
    if (deg == 120.0)
        return -0.5;
    return std::cos(deg * kDegToRad);
}

// An index (or a product of one) counts as zero below this magnitude.
constexpr double kZeroIndex = 1e-9;

// A product N.v below this fraction of |N| |v| is rounding noise, i.e. zero.
constexpr double kNegligibleTerm = 1e-12;

// Smallest squared volume of the unit-edge cell that still counts as a cell; below it the
// three angles (nearly) fail to close and the reciprocal basis would blow up.
constexpr double kMinUnitCellVolume2 = 1e-12;

// Unit-direction rotations about the lab axes; a positive angle turns counter-clockwise when
// seen from the positive end of the axis.
Mat3 RotX(double t) {
    const double c = std::cos(t), s = std::sin(t);
    return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
}

Mat3 RotY(double t) {
    const double c = std::cos(t), s = std::sin(t);
    return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
}

Mat3 RotZ(double t) {
    const double c = std::cos(t), s = std::sin(t);
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

Mat3 RotAbout(char axis, double t) {
    switch (axis) {
    case 'X':
        return RotX(t);
    case 'Y':
        return RotY(t);
    default:
        return RotZ(t);
    }
}

// Sequence names indexed by sequence id; the last entry doubles as the fallback.
constexpr std::array<std::string_view, kRotationSequenceCount> kSequenceNames = {
    "YXZ", "YZX", "XYZ", "XZY", "ZXY", "ZYX"};

Vec3 Unit(const Vec3& v) {
    const double n = std::sqrt(Dot(v, v));
    return {v[0] / n, v[1] / n, v[2] / n};
}

// Cosine of the angle between the normals of two planes (NaN when one triple is zero).
double PlaneCosine(const ReciprocalBasis& rb, double h1, double k1, double l1, double h2, double k2,
                   double l2) {
    const Vec3 g1 = ReciprocalVector(rb, h1, k1, l1);
    const Vec3 g2 = ReciprocalVector(rb, h2, k2, l2);
    return Dot(g1, g2) / (std::sqrt(Dot(g1, g1)) * std::sqrt(Dot(g2, g2)));
}

} // namespace

bool CellIsValid(double a, double b, double c, double alphaDeg, double betaDeg, double gammaDeg) {
    for (double len : {a, b, c}) {
        if (!std::isfinite(len) || !(len > 0.0)) {
            return false;
        }
    }
    for (double ang : {alphaDeg, betaDeg, gammaDeg}) {
        if (!std::isfinite(ang) || !(ang > 0.0) || !(ang < 180.0)) {
            return false;
        }
    }
    // The squared volume of the unit-edge cell, 1 - ca^2 - cb^2 - cg^2 + 2 ca cb cg, is
    // positive exactly when the three angles can form a cell.
    const double ca = CosDeg(alphaDeg);
    const double cb = CosDeg(betaDeg);
    const double cg = CosDeg(gammaDeg);
    const double v2 = 1.0 - ca * ca - cb * cb - cg * cg + 2.0 * ca * cb * cg;
    return v2 > kMinUnitCellVolume2;
}

ReciprocalBasis ReciprocalBasisFromCell(double a, double b, double c, double alphaDeg,
                                        double betaDeg, double gammaDeg) {
    if (!CellIsValid(a, b, c, alphaDeg, betaDeg, gammaDeg)) {
        return ReciprocalBasis{};
    }
    const double ca = CosDeg(alphaDeg);
    const double cb = CosDeg(betaDeg);
    const double cg = CosDeg(gammaDeg);
    const double sg = std::sin(gammaDeg * kDegToRad);

    // Direct vectors: a = (a, 0, 0), b = (b cg, b sg, 0), c = (c cb, cy, cz).
    const double cx = c * cb;
    const double cy = c * (ca - cb * cg) / sg;
    const double czz = std::sqrt(std::max(0.0, c * c - cx * cx - cy * cy));
    const double v = a * b * sg * czz;

    ReciprocalBasis rb;
    rb.ax = b * sg * czz / v;
    rb.ay = -b * cg * czz / v;
    rb.az = (cy * b * cg - cx * b * sg) / v;
    rb.by = a * czz / v;
    rb.bz = -a * cy / v;
    rb.cz = a * b * sg / v;
    return rb;
}

std::string_view RotationSequenceName(int sequence) {
    if (sequence < 0 || sequence >= kRotationSequenceCount) {
        return kSequenceNames.back();
    }
    return kSequenceNames[static_cast<std::size_t>(sequence)];
}

Mat3 Multiply(const Mat3& p, const Mat3& q) {
    Mat3 r{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r[i][j] = p[i][0] * q[0][j] + p[i][1] * q[1][j] + p[i][2] * q[2][j];
        }
    }
    return r;
}

double Determinant(const Mat3& m) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

Mat3 InitialOrientation(const ReciprocalBasis& rb, double H, double K, double L, double h, double k,
                        double l) {
    const Vec3 z = Unit(ReciprocalVector(rb, H, K, L));
    const Vec3 x = Unit(ReciprocalVector(rb, h, k, l));
    const Vec3 y = Cross(z, x);
    const std::array<Vec3, 3> basis = {Vec3{rb.ax, rb.ay, rb.az}, Vec3{0.0, rb.by, rb.bz},
                                       Vec3{0.0, 0.0, rb.cz}};
    Mat3 m0{};
    for (int j = 0; j < 3; ++j) {
        m0[0][j] = Dot(x, basis[j]);
        m0[1][j] = Dot(y, basis[j]);
        m0[2][j] = Dot(z, basis[j]);
    }
    return m0;
}

Mat3 GoniometerRotation(int sequence, double rot1Deg, double rot2Deg, double rot3Deg) {
    const std::string_view axes = RotationSequenceName(sequence);
    return Multiply(
        Multiply(RotAbout(axes[0], rot1Deg * kDegToRad), RotAbout(axes[1], rot2Deg * kDegToRad)),
        RotAbout(axes[2], rot3Deg * kDegToRad));
}

Mat3 OrientationMatrix(const ReciprocalBasis& rb, double H, double K, double L, double h, double k,
                       double l, int sequence, double rot1Deg, double rot2Deg, double rot3Deg) {
    return Multiply(GoniometerRotation(sequence, rot1Deg, rot2Deg, rot3Deg),
                    InitialOrientation(rb, H, K, L, h, k, l));
}

double AngleBetweenPlanes(const ReciprocalBasis& rb, double h1, double k1, double l1, double h2,
                          double k2, double l2) {
    const double c = PlaneCosine(rb, h1, k1, l1, h2, k2, l2);
    if (std::isnan(c)) {
        return c;
    }
    return std::acos(std::clamp(c, -1.0, 1.0));
}

double PerpendicularityMeasure(const ReciprocalBasis& rb, double h1, double k1, double l1,
                               double h2, double k2, double l2) {
    return std::fabs(PlaneCosine(rb, h1, k1, l1, h2, k2, l2));
}

void CorrectHorizontal(const ReciprocalBasis& rb, double H, double K, double L, double& h,
                       double& k, double& l) {
    const Vec3 n = ReciprocalVector(rb, H, K, L);
    const Vec3 astar = {rb.ax, rb.ay, rb.az};
    const double pa = Dot(n, astar);
    const double pb = Dot(n, Vec3{0.0, rb.by, rb.bz});
    const double pc = Dot(n, Vec3{0.0, 0.0, rb.cz});
    const double ta = std::fabs(h * pa);
    const double tb = std::fabs(k * pb);
    const double tc = std::fabs(l * pc);
    const auto isZero = [](double v) { return std::fabs(v) < kZeroIndex; };
    const double nLen = std::sqrt(Dot(n, n));

    // A non-zero direction whose three terms are all rounding noise is already perpendicular;
    // solving for an index would divide noise by noise and give an arbitrary direction.
    const Vec3 g = ReciprocalVector(rb, h, k, l);
    const double scale = nLen * std::sqrt(Dot(g, g));
    if (scale > 0.0 && std::max({ta, tb, tc}) <= kNegligibleTerm * scale) {
        return;
    }

    if (tc > std::max(ta, tb)) {
        l = (-h * pa - k * pb) / pc;
        if (isZero(l) && isZero(h) && isZero(k)) {
            h = 1.0;
            l = -pa / pc;
        }
    } else if (tb > ta) {
        k = (-h * pa - l * pc) / pb;
        if (isZero(k) && isZero(h) && isZero(l)) {
            h = 1.0;
            k = -pa / pb;
        }
    } else if (std::fabs(pa) <= kNegligibleTerm * nLen * std::sqrt(Dot(astar, astar))) {
        // Only a direction whose three terms are all negligible gets here, in practice the zero
        // direction. a* is perpendicular to N, so (1 0 0) is the completion; dividing by pa
        // would give 0/0 or noise.
        h = 1.0;
        k = 0.0;
        l = 0.0;
    } else {
        h = (-k * pb - l * pc) / pa;
        if (isZero(h) && isZero(k) && isZero(l)) {
            k = -1.0;
            h = pb / pa;
        }
    }
}

Vec3 SolveCramer3(const Mat3& A, const Vec3& rhs) {
    const double det = Determinant(A);
    Vec3 x{};
    for (int col = 0; col < 3; ++col) {
        Mat3 m = A;
        for (int row = 0; row < 3; ++row) {
            m[row][col] = rhs[row];
        }
        x[col] = Determinant(m) / det;
    }
    return x;
}

} // namespace xelmor
