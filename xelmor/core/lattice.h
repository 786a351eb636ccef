// Lattice and orientation maths: reciprocal basis, orientation matrix, plane angles, 3x3 solve.
#pragma once

#include <array>
#include <string_view>

namespace xelmor {

// A Cartesian vector; a 3x3 matrix stored row-major (m[row][col]) acting on column vectors.
using Vec3 = std::array<double, 3>;
using Mat3 = std::array<std::array<double, 3>, 3>;

// The reciprocal basis (no factor 2 pi) of a direct cell placed with a along +x and b in the
// x-y plane. In that crystal frame the three vectors are triangular:
//   a* = (ax, ay, az), b* = (0, by, bz), c* = (0, 0, cz)   (units 1/Angstrom).
// The defaults are the unit vectors, which is what a reset leaves behind.
struct ReciprocalBasis {
    double ax = 1, ay = 0, az = 0;
    double by = 1, bz = 0;
    double cz = 1;
};

// True when the six numbers describe a real cell: positive finite lengths, angles strictly
// between 0 and 180 degrees, and a positive cell volume (the three angles can close).
bool CellIsValid(double a, double b, double c, double alphaDeg, double betaDeg, double gammaDeg);

// Reciprocal basis of the cell (lengths in Angstrom, angles in degrees). A cell that fails
// CellIsValid would give infinite or NaN components; for such a cell the unit basis is returned
// instead, so check CellIsValid first where the difference matters.
ReciprocalBasis ReciprocalBasisFromCell(double a, double b, double c, double alphaDeg,
                                        double betaDeg, double gammaDeg);

// G = h a* + k b* + l c* in the crystal frame; |G| = 1/d of the planes (h k l).
inline Vec3 ReciprocalVector(const ReciprocalBasis& rb, double h, double k, double l) {
    return {h * rb.ax, h * rb.ay + k * rb.by, h * rb.az + k * rb.bz + l * rb.cz};
}

// Number of goniometer axis sequences; sequence ids are 0 .. kRotationSequenceCount - 1.
inline constexpr int kRotationSequenceCount = 6;

// Name of a goniometer axis sequence ("YXZ", "YZX", "XYZ", "XZY", "ZXY", "ZYX" for 0..5); any
// other id names "ZYX", the sequence it selects.
std::string_view RotationSequenceName(int sequence);

// Initial orientation M0: the surface plane (H K L) normal goes to z' (towards the source), the
// horizontal plane (h k l) normal to x'. Column j holds the lab components of a*, b*, c*
// (j = 0, 1, 2). Y = Z x X is used as it comes out; the caller keeps (h k l) perpendicular
// to (H K L).
Mat3 InitialOrientation(const ReciprocalBasis& rb, double H, double K, double L, double h, double k,
                        double l);

// Goniometer rotation R = R_first(rot1) R_second(rot2) R_third(rot3) for the axis sequence
// (0..5 = YXZ YZX XYZ XZY ZXY ZYX; any other value = ZYX). Angles in degrees, right-handed.
Mat3 GoniometerRotation(int sequence, double rot1Deg, double rot2Deg, double rot3Deg);

// Orientation matrix R * M0: its columns are the lab components of a*, b*, c* of the rotated
// crystal.
Mat3 OrientationMatrix(const ReciprocalBasis& rb, double H, double K, double L, double h, double k,
                       double l, int sequence, double rot1Deg, double rot2Deg, double rot3Deg);

// Lab vector of reflection (h k l): h * column0 + k * column1 + l * column2 of the orientation.
inline Vec3 LabVector(const Mat3& orient, double h, double k, double l) {
    return {orient[0][0] * h + orient[0][1] * k + orient[0][2] * l,
            orient[1][0] * h + orient[1][1] * k + orient[1][2] * l,
            orient[2][0] * h + orient[2][1] * k + orient[2][2] * l};
}

// Small vector and matrix helpers shared by the lattice code and its callers.
inline double Dot(const Vec3& u, const Vec3& v) {
    return u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
}

inline Vec3 Cross(const Vec3& u, const Vec3& v) {
    return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
}

Mat3 Multiply(const Mat3& p, const Mat3& q);
double Determinant(const Mat3& m);

// Angle in radians between the normals of planes (h1 k1 l1) and (h2 k2 l2); the cosine is
// clamped to -1..1 so that rounding cannot push it out of acos's domain. A zero index triple
// has no normal and gives NaN.
double AngleBetweenPlanes(const ReciprocalBasis& rb, double h1, double k1, double l1, double h2,
                          double k2, double l2);

// |cos| of the angle between the normals of two planes: 0 means perpendicular.
double PerpendicularityMeasure(const ReciprocalBasis& rb, double h1, double k1, double l1,
                               double h2, double k2, double l2);

// Changes one index of the direction (h k l) in place so that its normal becomes perpendicular
// to the normal of the surface plane (H K L). The index with the largest contribution to
// N.(h a* + k b* + l c*) is the one solved for; a direction that would collapse to zero is
// first given a non-zero companion index. A direction that is already perpendicular with all
// three contributions at rounding level (for instance (1 1 0) against (0 0 1) in a cubic cell)
// is left as it is instead of dividing noise by noise; a zero direction for which a* lies in
// the surface plane becomes (1 0 0). Otherwise there is no guard against a zero divisor: the
// surface plane must not be (0 0 0).
void CorrectHorizontal(const ReciprocalBasis& rb, double H, double K, double L, double& h,
                       double& k, double& l);

// Solves A x = rhs by Cramer's rule. There is no test of the determinant: for a singular
// system the result is non-finite (inf or NaN), which callers can detect with std::isfinite.
Vec3 SolveCramer3(const Mat3& A, const Vec3& rhs);

} // namespace xelmor
