// The kinematic intensity model: structure factor, spectrum interpolation, order intensity, and
// the structure-factor calculator's values and texts.
#pragma once

#include "xelmor/core/lattice.h"
#include "xelmor/core/params.h"

#include <string>
#include <vector>

namespace xelmor {

// Real and imaginary part of a structure factor.
struct StructureFactorValue {
    double re = 0, im = 0;
    double F2() const { return re * re + im * im; }
};

// Structure factor of the reflection (H K L) at s2 = (sin(theta) / lambda)^2: for each element
// group (ascending Z) its form factor times the occupancy-weighted sums of cos and sin of
// phi = 2 pi (H x + K y + L z). Allocates nothing; the simulation calls it for every order.
StructureFactorValue StructureFactor(const std::vector<ElementGroup>& groups, int H, int K, int L,
                                     double s2);

// Index i (1..n-1) of the spectrum interval w[i-1]..w[i] that holds lambda, for n >= 2
// strictly ascending wavelengths and w[0] <= lambda <= w[n-1]. Two samples (or fewer) give 1;
// otherwise the samples are split at the middle and the chosen half is bisected.
int SpectrumIndex(const double* w, int n, double lambda);

// Linear interpolation of the spectrum at lambda inside the interval w[i-1]..w[i].
inline double InterpolateSpectrum(const double* w, const double* p, int i, double lambda) {
    return (lambda - w[i - 1]) * (p[i] - p[i - 1]) / (w[i] - w[i - 1]) + p[i - 1];
}

// Spectrum intensity at lambda, interpolated linearly between the samples around it. The
// caller has checked that w[0] <= lambda <= w[n-1]; fewer than 2 samples give 0.
double SpectrumIntensity(const double* w, const double* p, int n, double lambda);

// Intensity of one harmonic order: sigma = sin(theta) of the reflection, lambda the order's
// wavelength, F2 its squared structure factor and S the spectrum intensity at lambda.
// I = S F2 lambda^3 (1 - 2 sigma^2 + 2 sigma^4) / (sigma sqrt(1 - sigma^2)).
double OrderIntensity(double sigma, double lambda, double F2, double S);

// What the structure-factor calculator shows for one reflection.
struct StructureFactorResult {
    double absF;  // |F|
    double phase; // degrees, 0..360 (0 when |F| is 0)
    double d;     // interplanar spacing, Angstrom; -1 for (0 0 0)
};

// |F|, phase and spacing of the reflection (h k l) of the crystal described by the reciprocal
// basis and the element groups. No element groups give |F| 0 and phase 0.
StructureFactorResult CalculateStructureFactor(const ReciprocalBasis& rb,
                                               const std::vector<ElementGroup>& groups, int h,
                                               int k, int l);

// The calculator's three output texts.
struct StructureFactorTexts {
    std::string absF, phase, d;
};

// Texts of a calculator result: each value with 8 decimals; a phase that prints as "360" is
// shown as "0"; the spacing is "N/A" unless it is positive.
StructureFactorTexts FormatStructureFactor(const StructureFactorResult& result);

} // namespace xelmor
