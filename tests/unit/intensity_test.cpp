// Tests of the intensity model: structure factor, spectrum interpolation, order intensity and
// the structure-factor calculator.
#include "xelmor/core/intensity.h"

#include "structfile/atom_site.h"
#include "structfile/number_format.h"
#include "xelmor/core/form_factors.h"
#include "xelmor/core/lattice.h"
#include "xelmor/core/params.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace xelmor {
namespace {

constexpr double kSiliconA = 5.431; // Angstrom
constexpr int kSi = 14;

// Tolerances: half a unit of the last printed digit of each reference value.
constexpr double kTolThreeDecimals = 0.0005;
constexpr double kTolTwoDecimals = 0.005;
constexpr double kTolFourDecimals = 0.00005;
// A structure factor that cancels by symmetry is left with rounding noise far below this.
constexpr double kCancelledF2 = 1e-16;
// Relative agreement of quantities computed along two routes.
constexpr double kRelTol = 1e-12;

// Diamond structure: face-centred cube plus the same shifted by (1/4, 1/4, 1/4).
std::vector<AtomSite> DiamondAtoms(int Z, double occupancy = 1.0) {
    const double fcc[4][3] = {{0, 0, 0}, {0, 0.5, 0.5}, {0.5, 0, 0.5}, {0.5, 0.5, 0}};
    std::vector<AtomSite> atoms;
    for (double shift : {0.0, 0.25}) {
        for (const auto& p : fcc) {
            atoms.push_back({Z, p[0] + shift, p[1] + shift, p[2] + shift, occupancy});
        }
    }
    return atoms;
}

class IntensitySilicon : public ::testing::Test {
protected:
    std::vector<ElementGroup> groups = GroupAtomsByElement(DiamondAtoms(kSi));
    ReciprocalBasis rb = ReciprocalBasisFromCell(kSiliconA, kSiliconA, kSiliconA, 90, 90, 90);
};

TEST_F(IntensitySilicon, StructureFactorOfAllowedReflection) {
    const double s2 = 11.0 / (4.0 * kSiliconA * kSiliconA);
    const double f = FormFactor(kSi, s2);
    EXPECT_NEAR(f, 8.157, kTolThreeDecimals);
    const StructureFactorValue F = StructureFactor(groups, 1, 3, 1, s2);
    EXPECT_NEAR(F.F2(), 2129.19, kTolTwoDecimals);
    EXPECT_NEAR(F.F2(), 32.0 * f * f, kRelTol * F.F2());
}

TEST_F(IntensitySilicon, ForbiddenReflectionsCancel) {
    struct Case {
        int h, k, l;
    };
    for (const Case& c : {Case{2, 0, 0}, Case{2, 1, 1}, Case{0, 0, 2}, Case{2, 2, 2}}) {
        const double s2 = (c.h * c.h + c.k * c.k + c.l * c.l) / (4.0 * kSiliconA * kSiliconA);
        EXPECT_LT(StructureFactor(groups, c.h, c.k, c.l, s2).F2(), kCancelledF2)
            << c.h << " " << c.k << " " << c.l;
    }
}

TEST_F(IntensitySilicon, OccupancyWeightsEveryAtom) {
    const std::vector<ElementGroup> half = GroupAtomsByElement(DiamondAtoms(kSi, 0.5));
    const double s2 = 0.05;
    const StructureFactorValue full = StructureFactor(groups, 1, 1, 1, s2);
    const StructureFactorValue halved = StructureFactor(half, 1, 1, 1, s2);
    EXPECT_NEAR(halved.re, 0.5 * full.re, kRelTol * std::abs(full.re));
    EXPECT_NEAR(halved.im, 0.5 * full.im, kRelTol * std::abs(full.im));
}

TEST(IntensityStructureFactor, EachElementGroupUsesItsOwnFormFactor) {
    // Rock salt: Na on the face-centred sites, Cl shifted by (1/2, 0, 0). The odd reflection
    // (1 1 1) gives 4 (fNa - fCl), the even (2 0 0) gives 4 (fNa + fCl), both real.
    const double fcc[4][3] = {{0, 0, 0}, {0, 0.5, 0.5}, {0.5, 0, 0.5}, {0.5, 0.5, 0}};
    std::vector<AtomSite> atoms;
    for (const auto& p : fcc) {
        atoms.push_back({17, p[0] + 0.5, p[1], p[2], 1.0});
        atoms.push_back({11, p[0], p[1], p[2], 1.0});
    }
    const std::vector<ElementGroup> groups = GroupAtomsByElement(atoms);
    const double s2 = 0.07;
    const double fNa = FormFactor(11, s2), fCl = FormFactor(17, s2);

    const StructureFactorValue odd = StructureFactor(groups, 1, 1, 1, s2);
    EXPECT_NEAR(odd.re, 4.0 * (fNa - fCl), kRelTol * fCl * 8.0);
    EXPECT_NEAR(odd.im, 0.0, kRelTol * fCl * 8.0);
    const StructureFactorValue even = StructureFactor(groups, 2, 0, 0, s2);
    EXPECT_NEAR(even.re, 4.0 * (fNa + fCl), kRelTol * fCl * 8.0);
    EXPECT_NEAR(even.im, 0.0, kRelTol * fCl * 8.0);
}

TEST(IntensityStructureFactor, NoElementGroupsGiveZero) {
    const StructureFactorValue F = StructureFactor({}, 1, 1, 1, 0.1);
    EXPECT_EQ(F.re, 0.0);
    EXPECT_EQ(F.im, 0.0);
}

// The reference moduli are quoted to 9 significant digits, while the 8-decimal text of a
// modulus above 10 carries one digit more ("58.72412839"); the modulus is therefore compared
// as a number at the quoted precision, the phase and spacing texts exactly.
constexpr double kQuotedModulusTol = 0.5e-7;

struct CalculatorCase {
    int h, k, l;
    double absF;
    const char* phase;
    const char* d;
};

TEST_F(IntensitySilicon, CalculatorTexts) {
    const CalculatorCase cases[] = {
        {0, 0, 0, 111.99248, "0", "N/A"},
        {1, 1, 1, 58.7241284, "315", "3.13558931"},
        {-1, -1, -1, 58.7241284, "45", "3.13558931"},
        {1, 3, 1, 46.1431495, "45", "1.63750811"},
        {2, 2, 0, 69.3241581, "0", "1.92014846"},
        {2, 0, 0, 0.0, "0", "2.7155"},
    };
    for (const CalculatorCase& c : cases) {
        const StructureFactorTexts texts =
            FormatStructureFactor(CalculateStructureFactor(rb, groups, c.h, c.k, c.l));
        EXPECT_NEAR(ParseDouble(texts.absF), c.absF, kQuotedModulusTol)
            << c.h << " " << c.k << " " << c.l << ": " << texts.absF;
        EXPECT_EQ(texts.phase, c.phase) << c.h << " " << c.k << " " << c.l;
        EXPECT_EQ(texts.d, c.d) << c.h << " " << c.k << " " << c.l;
    }
    EXPECT_EQ(FormatStructureFactor(CalculateStructureFactor(rb, groups, 0, 0, 0)).absF,
              "111.99248");
    EXPECT_EQ(FormatStructureFactor(CalculateStructureFactor(rb, groups, 2, 0, 0)).absF, "0");
}

TEST_F(IntensitySilicon, CalculatorRawValues) {
    const StructureFactorResult origin = CalculateStructureFactor(rb, groups, 0, 0, 0);
    EXPECT_EQ(origin.d, -1.0);
    EXPECT_EQ(origin.phase, 0.0);

    // (2 2 0) has a tiny negative imaginary part: the phase lands on 360 degrees (within
    // rounding) and only the displayed text folds it to 0.
    const StructureFactorResult r220 = CalculateStructureFactor(rb, groups, 2, 2, 0);
    EXPECT_EQ(FormatNumber(r220.phase, 8), "360");

    // A forbidden reflection has no phase at all.
    const StructureFactorResult r200 = CalculateStructureFactor(rb, groups, 2, 0, 0);
    EXPECT_EQ(r200.absF, 0.0);
    EXPECT_EQ(r200.phase, 0.0);
}

TEST(IntensityCalculator, NoCrystalGivesZeroModulusAndPhase) {
    const ReciprocalBasis rb = ReciprocalBasisFromCell(4, 4, 4, 90, 90, 90);
    const StructureFactorTexts texts =
        FormatStructureFactor(CalculateStructureFactor(rb, {}, 1, 0, 0));
    EXPECT_EQ(texts.absF, "0");
    EXPECT_EQ(texts.phase, "0");
    EXPECT_EQ(texts.d, "4");
    const StructureFactorTexts origin =
        FormatStructureFactor(CalculateStructureFactor(rb, {}, 0, 0, 0));
    EXPECT_EQ(origin.absF, "0");
    EXPECT_EQ(origin.phase, "0");
    EXPECT_EQ(origin.d, "N/A");
}

TEST(IntensityCalculator, PhaseQuadrants) {
    // One atom at x: F = f e^{2 pi i h x}, so the phase is 360 h x folded into 0..360.
    const ReciprocalBasis rb = ReciprocalBasisFromCell(3, 3, 3, 90, 90, 90);
    struct Case {
        double x;
        const char* phase;
    };
    for (const Case& c : {Case{0.1, "36"}, Case{0.3, "108"}, Case{0.6, "216"}, Case{0.9, "324"},
                          Case{-0.1, "324"}}) {
        const std::vector<ElementGroup> groups = GroupAtomsByElement({{26, c.x, 0, 0, 1.0}});
        const StructureFactorResult r = CalculateStructureFactor(rb, groups, 1, 0, 0);
        EXPECT_EQ(FormatStructureFactor(r).phase, c.phase) << "x = " << c.x;
        EXPECT_NEAR(r.absF, FormFactor(26, 1.0 / 36.0), kRelTol * 26);
    }
}

TEST(IntensitySpectrum, TwoSamplesInterpolate) {
    const double w[] = {1.0, 3.0};
    const double p[] = {10.0, 30.0};
    EXPECT_EQ(SpectrumIndex(w, 2, 2.0), 1);
    EXPECT_DOUBLE_EQ(SpectrumIntensity(w, p, 2, 2.0), 20.0);
    EXPECT_DOUBLE_EQ(SpectrumIntensity(w, p, 2, 1.5), 15.0);
    EXPECT_DOUBLE_EQ(SpectrumIntensity(w, p, 2, 1.0), 10.0);
    EXPECT_DOUBLE_EQ(SpectrumIntensity(w, p, 2, 3.0), 30.0);
}

TEST(IntensitySpectrum, ThreeSamplesAtTheMiddleAndTheEnds) {
    const double w[] = {1.0, 2.0, 4.0};
    const double p[] = {5.0, 7.0, 11.0};
    EXPECT_EQ(SpectrumIndex(w, 3, 2.0), 2);
    EXPECT_EQ(SpectrumIntensity(w, p, 3, 2.0), 7.0);
    EXPECT_EQ(SpectrumIndex(w, 3, 1.0), 1);
    EXPECT_EQ(SpectrumIntensity(w, p, 3, 1.0), 5.0);
    EXPECT_EQ(SpectrumIndex(w, 3, 4.0), 2);
    EXPECT_EQ(SpectrumIntensity(w, p, 3, 4.0), 11.0);
    EXPECT_DOUBLE_EQ(SpectrumIntensity(w, p, 3, 3.0), 9.0);
}

TEST(IntensitySpectrum, FewerThanTwoSamplesGiveZero) {
    const double w[] = {1.0};
    const double p[] = {5.0};
    EXPECT_EQ(SpectrumIntensity(w, p, 1, 1.0), 0.0);
    EXPECT_EQ(SpectrumIntensity(w, p, 0, 1.0), 0.0);
}

// The interval the search must find: the first sample above lambda, or the last one when
// lambda is the last wavelength.
int LinearScanIndex(const std::vector<double>& w, double lambda) {
    const int n = static_cast<int>(w.size());
    for (int i = 1; i < n; ++i) {
        if (w[i] > lambda) {
            return i;
        }
    }
    return n - 1;
}

TEST(IntensitySpectrum, SearchAgreesWithLinearScan) {
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<double> step(0.001, 0.2);
    for (int n : {3, 4, 5, 8, 37, 200, 201}) {
        std::vector<double> w(n), p(n);
        double lambda = 0.2;
        for (int i = 0; i < n; ++i) {
            lambda += step(rng); // non-uniform, strictly ascending
            w[i] = lambda;
            p[i] = 100.0 * step(rng);
        }
        std::uniform_real_distribution<double> pick(w.front(), w.back());
        for (int trial = 0; trial < 300; ++trial) {
            const double x = pick(rng);
            ASSERT_EQ(SpectrumIndex(w.data(), n, x), LinearScanIndex(w, x))
                << "n = " << n << ", lambda = " << x;
        }
        // Every sample wavelength itself, the first and last included, gives its own intensity.
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(SpectrumIndex(w.data(), n, w[i]), LinearScanIndex(w, w[i]))
                << "n = " << n << ", sample " << i;
            EXPECT_NEAR(SpectrumIntensity(w.data(), p.data(), n, w[i]), p[i], kRelTol * 100.0)
                << "n = " << n << ", sample " << i;
        }
    }
}

struct OrderCase {
    int h, k, l;
    double intensity;
    double tol;
};

TEST_F(IntensitySilicon, OrderIntensityOfReferenceSpots) {
    // Surface (0 0 1) facing the beam: sigma = Gz / |G| and the diffracted wavelength is
    // 2 sigma / |G|; flat spectrum S = 1.
    const OrderCase cases[] = {
        {1, 3, 1, 5952.43, kTolTwoDecimals},
        {3, 3, 1, 1250.9648, kTolFourDecimals},
    };
    for (const OrderCase& c : cases) {
        const Vec3 G = ReciprocalVector(rb, c.h, c.k, c.l);
        const double g = std::sqrt(Dot(G, G));
        const double sigma = G[2] / g;
        const double lambda = 2.0 * sigma / g;
        const double s2 = (sigma / lambda) * (sigma / lambda);
        const double F2 = StructureFactor(groups, c.h, c.k, c.l, s2).F2();
        EXPECT_NEAR(OrderIntensity(sigma, lambda, F2, 1.0), c.intensity, c.tol)
            << c.h << " " << c.k << " " << c.l;
    }
    const double sigma131 = 1.0 / std::sqrt(11.0);
    const Vec3 G = ReciprocalVector(rb, 1, 3, 1);
    EXPECT_NEAR(2.0 * sigma131 / std::sqrt(Dot(G, G)), 0.9874545, 0.5e-7);
}

TEST(IntensityOrder, MatchesTheAngularForm) {
    // S |F|^2 lambda^3 (1 + cos^2 2theta) / 2 over sin(theta) cos(theta).
    const double base = OrderIntensity(0.3, 1.2, 50.0, 2.0);
    const double theta = std::asin(0.3);
    const double expected = 2.0 * 50.0 * std::pow(1.2, 3) *
                            (1.0 + std::pow(std::cos(2.0 * theta), 2)) / 2.0 /
                            (std::sin(theta) * std::cos(theta));
    EXPECT_NEAR(base, expected, kRelTol * expected);
}

} // namespace
} // namespace xelmor
