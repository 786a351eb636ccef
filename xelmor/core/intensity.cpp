#include "xelmor/core/intensity.h"

#include "structfile/number_format.h"
#include "xelmor/core/form_factors.h"

#include <cmath>
#include <numbers>

namespace xelmor {

namespace {

// Below this squared modulus the structure factor counts as zero: its phase is rounding noise.
constexpr double kZeroF2 = 1e-16;

// Decimals of the calculator's three output texts.
constexpr int kCalculatorDecimals = 8;

} // namespace

StructureFactorValue StructureFactor(const std::vector<ElementGroup>& groups, int H, int K, int L,
                                     double s2) {
    constexpr double kTwoPi = 2.0 * std::numbers::pi;
    StructureFactorValue F;
    for (const ElementGroup& group : groups) {
        const double f = FormFactor(group.Z, s2);
        double sumCos = 0.0;
        double sumSin = 0.0;
        for (const Position& atom : group.positions) {
            const double phi = kTwoPi * (H * atom.x + K * atom.y + L * atom.z);
            sumCos += atom.occupancy * std::cos(phi);
            sumSin += atom.occupancy * std::sin(phi);
        }
        F.re += f * sumCos;
        F.im += f * sumSin;
    }
    return F;
}

int SpectrumIndex(const double* w, int n, double lambda) {
    if (n <= 2) {
        return 1;
    }
    const int last = n - 1;
    const int middle = last / 2;
    int lo = 0;
    int hi = middle;
    if (!(lambda < w[middle])) {
        lo = middle;
        hi = last;
    }
    while (hi - lo != 1) {
        const int mid = (lo + hi) / 2;
        if (w[mid] > lambda) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
    return hi;
}

double SpectrumIntensity(const double* w, const double* p, int n, double lambda) {
    // One sample or none is no spectrum: there is no interval to interpolate in, and reading
    // w[1] would run past the arrays.
    if (n < 2) {
        return 0.0;
    }
    return InterpolateSpectrum(w, p, SpectrumIndex(w, n, lambda), lambda);
}

double OrderIntensity(double sigma, double lambda, double F2, double S) {
    const double sigma2 = sigma * sigma;
    const double polarisation = 1.0 - 2.0 * sigma2 + 2.0 * sigma2 * sigma2;
    return S * F2 * lambda * lambda * lambda * polarisation / (sigma * std::sqrt(1.0 - sigma2));
}

StructureFactorResult CalculateStructureFactor(const ReciprocalBasis& rb,
                                               const std::vector<ElementGroup>& groups, int h,
                                               int k, int l) {
    StructureFactorResult result{0.0, 0.0, -1.0};
    double s2 = 0.0;
    if (h != 0 || k != 0 || l != 0) {
        const Vec3 G = ReciprocalVector(rb, h, k, l);
        const double G2 = Dot(G, G);
        s2 = G2 / 4.0;
        result.d = 1.0 / std::sqrt(G2);
    }
    const StructureFactorValue F = StructureFactor(groups, h, k, l, s2);
    const double F2 = F.F2();
    if (F2 > kZeroF2) {
        result.absF = std::sqrt(F2);
        if (F.re == 0.0) {
            // Exactly on the imaginary axis: the arctangent of an infinite ratio.
            result.phase = F.im > 0.0 ? 90.0 : -90.0;
        } else {
            result.phase = std::atan(F.im / F.re) * 180.0 / std::numbers::pi;
            if (F.re < 0.0) {
                result.phase += 180.0;
            } else if (F.im < 0.0) {
                result.phase += 360.0;
            }
        }
    }
    return result;
}

StructureFactorTexts FormatStructureFactor(const StructureFactorResult& result) {
    StructureFactorTexts texts;
    texts.absF = FormatNumber(result.absF, kCalculatorDecimals);
    texts.phase = FormatNumber(result.phase, kCalculatorDecimals);
    // A phase a hair below 360 degrees rounds to "360"; it is the same direction as 0.
    if (texts.phase == "360") {
        texts.phase = "0";
    }
    texts.d = result.d > 0.0 ? FormatNumber(result.d, kCalculatorDecimals) : std::string("N/A");
    return texts;
}

} // namespace xelmor
