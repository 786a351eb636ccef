// Tests of the texts shown for a selected spot.
#include "xelmor/core/spot_details.h"

#include "structfile/number_format.h"
#include "tests/unit/test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace xelmor {
namespace {

constexpr double kPercentSumTol = 0.02;

using test::SiliconSpot;

// The strongest spot of the silicon reference pattern, at exactly the saturation level.
constexpr double kSiliconImax = 5952.43274506;
CDot Silicon131() {
    return SiliconSpot(1, -3, 1, {{1, 2129.19, kSiliconImax}}, kSiliconImax);
}

TEST(SpotDetails, NullSpotClearsEveryText) {
    EXPECT_EQ(MakeSpotDetails(nullptr, kSiliconImax), SpotDetails{});
}

TEST(SpotDetails, TextsOfSiliconSpots) {
    struct Case {
        const char* what;
        CDot spot;
        SpotDetails expected;
    } const cases[] = {
        {"reference spot",
         Silicon131(),
         {.baseReflection = "1 -3 1",
          .braggAngle = "17.5484",
          .position = "x = 11.1111,  y = -33.3333",
          .wavelengthEnergy = "0.987455 A  /  12.555944 KeV",
          .absoluteIntensity = "5952.433",
          .relativeIntensity = "100",
          .harmonics = {{"1 -3 1", "100%", "0.9875", "1.6375", "46.143"}}}},
        // Silicon's (2 1 1) family is forbidden in order 1: the spot is named by its order 2,
        // and its wavelength and spacing are those of that order, with the spot's signs.
        {"spot whose only kept order is two",
         SiliconSpot(-2, 1, 1, {{2, 2889.24, 4152.47}}, 4152.47),
         {.baseReflection = "-4 2 2",
          .braggAngle = "24.0948",
          .position = "x = -50,  y = 25",
          .wavelengthEnergy = "0.905167 A  /  13.697394 KeV",
          .absoluteIntensity = "4152.47",
          .relativeIntensity = "69.761",
          .harmonics = {{"-4 2 2", "100%", "0.9052", "1.1086", "53.752"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MakeSpotDetails(&c.spot, kSiliconImax), c.expected);
    }
}

TEST(SpotDetails, OneRowPerKeptOrderInStoredOrder) {
    const CDot spot = SiliconSpot(3, -3, 1, {{1, 400, 1}, {2, 100, 1}, {4, 6.25, 1}}, 3);
    const SpotDetails shown = MakeSpotDetails(&spot, 3);
    const std::vector<SpotHarmonicRow> expected = {
        {"3 -3 1", "33.33%", "0.5717", "1.246", "20"},
        {"6 -6 2", "33.33%", "0.2858", "0.623", "10"},
        {"12 -12 4", "33.33%", "0.1429", "0.3115", "2.5"},
    };
    EXPECT_EQ(shown.harmonics, expected);
    EXPECT_EQ(shown.baseReflection, "3 -3 1");

    double sum = 0;
    for (const SpotHarmonicRow& row : shown.harmonics) {
        sum += ParseDouble(row[1]);
    }
    EXPECT_NEAR(sum, 100.0, kPercentSumTol);
}

TEST(SpotDetails, RelativeIntensityAgainstTheReference) {
    struct Case {
        double reference;
        const char* shown;
    } const cases[] = {
        {kSiliconImax, "100"},
        {kSiliconImax / 2, "200"}, // a saturated spot
        {kSiliconImax * 3, "33.333"},
        // Without a positive reference there is no percentage to show (a typed saturation of
        // 0 % gives a reference of 0).
        {0.0, ""},
        {-0.0, ""},
        {-1.0, ""},
    };
    const CDot spot = Silicon131();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reference);
        const SpotDetails shown = MakeSpotDetails(&spot, c.reference);
        EXPECT_EQ(shown.relativeIntensity, c.shown);
        EXPECT_EQ(shown.absoluteIntensity, "5952.433");
    }
}

TEST(SpotDetails, PositionsNextToACentreLineShowZero) {
    struct Case {
        double x, y; // 0.1 mm
        const char* shown;
    } const cases[] = {
        {1e-12, -2.5e-14, "x = 0,  y = 0"},
        {-0.0, 123.45678, "x = 0,  y = 12.3457"},
        {-9.9e-8, 9.9e-8, "x = 0,  y = 0"},
        // From 1e-8 mm on the number is shown as it is.
        {2e-7, -2e-7, "x = 2e-08,  y = -2e-08"},
    };
    CDot spot = Silicon131();
    for (const Case& c : cases) {
        spot.x = c.x;
        spot.y = c.y;
        EXPECT_EQ(MakeSpotDetails(&spot, kSiliconImax).position, c.shown);
    }
}

// A spot that a run cannot produce (no intensity, no harmonics, no spacing) still gets texts,
// with empty numbers where there is nothing to compute, never "inf" or "nan".
TEST(SpotDetails, DegenerateSpotShowsEmptyNumbers) {
    CDot spot = Silicon131();
    spot.intensity = 0;
    spot.harmonics = {{2, 100, 0}};
    spot.d = 0;
    const SpotDetails shown = MakeSpotDetails(&spot, kSiliconImax);
    EXPECT_EQ(shown.braggAngle, "");
    EXPECT_EQ(shown.relativeIntensity, "0");
    const std::vector<SpotHarmonicRow> rows = {{"2 -6 2", "", "0.4937", "0", "10"}};
    EXPECT_EQ(shown.harmonics, rows);

    spot.harmonics.clear();
    spot.lambda = 0;
    const SpotDetails bare = MakeSpotDetails(&spot, kSiliconImax);
    EXPECT_EQ(bare.baseReflection, "1 -3 1");
    EXPECT_EQ(bare.wavelengthEnergy, "0 A  /   KeV");
    EXPECT_TRUE(bare.harmonics.empty());
}

} // namespace
} // namespace xelmor
