// Tests of the atomic scattering-factor table.
#include "xelmor/core/form_factors.h"

#include <gtest/gtest.h>

#if __has_include(<gemmi/it92.hpp>)
#include <gemmi/it92.hpp>
#define XELMOR_HAVE_GEMMI_IT92 1
#endif

#include <array>

namespace xelmor {
namespace {

// f(Z, 0) = a1 + a2 + a3 + a4 + c stays within this many electrons of Z for every element of
// the table (the largest gap, thallium, is 0.06); a mixed-up a or c column misses by far more.
constexpr double kElectronCountTol = 0.1;

std::array<double, 9> Columns(const FormFactorCoefficients& r) {
    return {r.a1, r.b1, r.a2, r.b2, r.a3, r.b3, r.a4, r.b4, r.c};
}

struct QuotedRow {
    int Z;
    std::array<double, 9> coefficients; // a1, b1, a2, b2, a3, b3, a4, b4, c
};

TEST(FormFactorTable, QuotedRowsMatchExactly) {
    const QuotedRow rows[] = {
        {1, {0.493002, 10.5109, 0.322912, 26.1257, 0.140191, 3.14236, 0.040810, 57.7997, 0.003038}},
        {6, {2.26069, 22.6907, 1.56165, 0.656665, 1.05075, 9.75618, 0.839259, 55.5949, 0.286977}},
        {8, {3.0485, 13.2771, 2.2868, 5.7011, 1.5463, 0.3239, 0.867, 32.9089, 0.2508}},
        {14, {5.66269, 2.6652, 3.07164, 38.6634, 2.62446, 0.916946, 1.3932, 93.5458, 1.24707}},
        {26, {11.7695, 4.7611, 7.3573, 0.3072, 3.5222, 15.3535, 2.3045, 76.8805, 1.0369}},
        {92, {36.0228, 0.5293, 23.4128, 3.3253, 14.9491, 16.0927, 4.188, 100.613, 13.3966}},
    };
    for (const QuotedRow& row : rows) {
        EXPECT_EQ(Columns(FormFactorRow(row.Z)), row.coefficients) << "Z = " << row.Z;
    }
}

TEST(FormFactorTable, ZeroAngleValueIsCloseToTheElectronCount) {
    for (int Z = 1; Z <= kFormFactorMaxZ; ++Z) {
        EXPECT_NEAR(FormFactor(Z, 0.0), Z, kElectronCountTol) << "Z = " << Z;
    }
    EXPECT_NEAR(FormFactor(14, 0.0), 13.999, 0.0005); // silicon, valence entry
}

TEST(FormFactorTable, RowZeroAndOutOfRangeNumbersScatterNothing) {
    const std::array<double, 9> zeros{};
    for (int Z : {0, -1, kFormFactorMaxZ + 1, 1000}) {
        EXPECT_EQ(Columns(FormFactorRow(Z)), zeros) << "Z = " << Z;
        EXPECT_EQ(FormFactor(Z, 0.1), 0.0) << "Z = " << Z;
    }
}

TEST(FormFactorTable, FallsOffWithScatteringAngle) {
    // Every row is a positive sum of decaying Gaussians at small angles, so f must drop between
    // s2 = 0 and s2 = 0.25 (sin(theta)/lambda = 0.5); a b column read as an a column would not.
    for (int Z = 1; Z <= kFormFactorMaxZ; ++Z) {
        EXPECT_LT(FormFactor(Z, 0.25), FormFactor(Z, 0.0)) << "Z = " << Z;
        EXPECT_GT(FormFactor(Z, 0.25), 0.0) << "Z = " << Z;
    }
}

#ifdef XELMOR_HAVE_GEMMI_IT92
TEST(FormFactorTable, NeutralRowsEqualTheInternationalTablesData) {
    // gemmi keeps a1..a4, b1..b4, c per row, and entry Z is element Z (entry 0 is no element).
    using Table = gemmi::IT92<double>;
    for (int Z = 1; Z <= kFormFactorMaxZ; ++Z) {
        if (Z == 6 || Z == 14) {
            continue; // carbon and silicon use the valence entries
        }
        const auto& g = Table::data[Z];
        const std::array<double, 9> expected{g.a(0), g.b(0), g.a(1), g.b(1), g.a(2),
                                             g.b(2), g.a(3), g.b(3), g.c()};
        EXPECT_EQ(Columns(FormFactorRow(Z)), expected) << "Z = " << Z;
    }
}
#endif

} // namespace
} // namespace xelmor
