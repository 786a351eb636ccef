// Atomic X-ray scattering factors: the four-Gaussian coefficient table for Z = 1..92 and f(Z, s2).
#pragma once

#include <cmath>

namespace xelmor {

// Coefficients of f(s2) = a1 exp(-b1 s2) + a2 exp(-b2 s2) + a3 exp(-b3 s2) + a4 exp(-b4 s2) + c,
// with s2 = (sin(theta) / lambda)^2 in 1/Angstrom^2.
struct FormFactorCoefficients {
    double a1, b1, a2, b2, a3, b3, a4, b4, c;
};

// Highest atomic number in the table (uranium).
inline constexpr int kFormFactorMaxZ = 92;

// The coefficient row of element Z (1..92). Row 0 and every Z outside 0..92 give the all-zero
// row, so such an atom scatters nothing instead of reading outside the table.
const FormFactorCoefficients& FormFactorRow(int Z);

// Atomic scattering factor of element Z at s2 = (sin(theta) / lambda)^2.
inline double FormFactor(int Z, double s2) {
    const FormFactorCoefficients& r = FormFactorRow(Z);
    return r.a1 * std::exp(-r.b1 * s2) + r.a2 * std::exp(-r.b2 * s2) + r.a3 * std::exp(-r.b3 * s2) +
           r.a4 * std::exp(-r.b4 * s2) + r.c;
}

} // namespace xelmor
