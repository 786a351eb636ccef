// Tests of the calculators' maths and texts: the angle between two planes with the indices of
// their cross product, and the unit converter's chains.
#include "xelmor/core/calculators.h"

#include "xelmor/core/lattice.h"
#include "xelmor/core/params.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace xelmor {
namespace {

using Six = std::array<std::string, 6>;
using Three = std::array<std::string, 3>;

struct AngleCase {
    const char* name;
    ReciprocalBasis rb;
    Six typed;
    const char* angle;
    Three hkl;
};

const ReciprocalBasis kUnit{};
const ReciprocalBasis kSilicon = ReciprocalBasisFromCell(5.431, 5.431, 5.431, 90, 90, 90);
const ReciprocalBasis kHexagonal = ReciprocalBasisFromCell(3, 3, 5, 90, 90, 120);

class AngleCases : public ::testing::TestWithParam<AngleCase> {};

TEST_P(AngleCases, AngleAndCrossProductIndices) {
    const AngleCase& c = GetParam();
    const AngleCalculation r = CalculateAngle(c.rb, c.typed);
    EXPECT_EQ(r.zeroRow, AngleRow::None);
    EXPECT_EQ(r.message.text, "");
    EXPECT_EQ(r.angleText, c.angle);
    EXPECT_EQ(r.hklTexts, c.hkl);
}

INSTANTIATE_TEST_SUITE_P(
    Calculators, AngleCases,
    ::testing::Values(
        AngleCase{"cubic_100_110", kUnit, {"1", "0", "0", "1", "1", "0"}, "45", {"0", "0", "1"}},
        // The cross product (1, 1, -2) divided by its largest magnitude.
        AngleCase{
            "cubic_111_1m10", kUnit, {"1", "1", "1", "1", "-1", "0"}, "90", {"0.5", "0.5", "-1"}},
        AngleCase{"silicon_111_1m10",
                  kSilicon,
                  {"1", "1", "1", "1", "-1", "0"},
                  "90",
                  {"0.5", "0.5", "-1"}},
        // Parallel planes: no cross product to scale.
        AngleCase{"parallel", kUnit, {"1", "0", "0", "2", "0", "0"}, "0", {"0", "0", "0"}},
        AngleCase{"antiparallel", kUnit, {"0", "1", "0", "0", "-3", "0"}, "180", {"0", "0", "0"}},
        // In a hexagonal cell a* and b* are 60 degrees apart and their cross product is c*.
        AngleCase{
            "hexagonal_100_010", kHexagonal, {"1", "0", "0", "0", "1", "0"}, "60", {"0", "0", "1"}},
        AngleCase{
            "hexagonal_100_110", kHexagonal, {"1", "0", "0", "1", "1", "0"}, "30", {"0", "0", "1"}},
        // Typed text is read as atof reads it.
        AngleCase{
            "atof_reading", kUnit, {" 1abc", "0", "", "1", "+1", "0x"}, "45", {"0", "0", "1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculators, AngleWritesTheIndicesBackAsRead) {
    const AngleCalculation r =
        CalculateAngle(kUnit, {" 2.50abc", "-0", "1e-5", "x", "1.123456789", "3"});
    EXPECT_EQ(r.indexTexts, (Six{"2.5", "0", "1e-05", "0", "1.12345679", "3"}));
}

TEST(Calculators, AngleRefusesARowOfZerosFirstRowFirst) {
    struct Case {
        Six typed;
        AngleRow row;
        const char* text;
    };
    const Case cases[] = {
        {{"0", "0", "0", "0", "0", "0"}, AngleRow::First, "(H1 K1 L1) must not be (000) !"},
        {{"0", "abc", "0", "1", "0", "0"}, AngleRow::First, "(H1 K1 L1) must not be (000) !"},
        {{"1", "0", "0", "0", "0", "0"}, AngleRow::Second, "(H2 K2 L2) must not be (000) !"},
    };
    for (const Case& c : cases) {
        const AngleCalculation r = CalculateAngle(kSilicon, c.typed);
        EXPECT_EQ(r.zeroRow, c.row) << c.text;
        EXPECT_EQ(r.message, MakeMessage(c.text, MsgIcon::None));
        EXPECT_EQ(r.angleText, "");
        EXPECT_EQ(r.hklTexts, (Three{"", "", ""}));
        // The indices are written back all the same ("abc" as "0").
        EXPECT_EQ(r.indexTexts[1], "0");
    }
}

TEST(Calculators, CrossIndexTexts) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.5, "0.5"},
        {-1, "-1"},
        {1.0 / 3.0, "0.333333333333"},
        {1e-10, "1e-10"},
        {9.9e-11, "0    (9.9e-11)"},
        {-3e-17, "0    (-3e-17)"},
        {-0.0, "0"},
        {0.0, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CrossIndexText(c.value), c.text) << c.value;
}

TEST(Calculators, AngleStartIndicesFollowTheGeometry) {
    CParameterSet p;
    p.m_H = 1, p.m_K = 1, p.m_L = 1;
    p.m_h = 1, p.m_k = -1, p.m_l = 0;
    EXPECT_EQ(AngleStartIndices(p), (std::array<double, 6>{0, 0, 1, 1, 0, 0}));
    p.m_bGeometrySet = 1;
    EXPECT_EQ(AngleStartIndices(p), (std::array<double, 6>{1, 1, 1, 1, -1, 0}));
}

TEST(Calculators, AngleUnitChains) {
    struct Case {
        AngleUnit from;
        double value;
        const char *arcSeconds, *degrees, *microRadians;
    };
    const Case cases[] = {
        {AngleUnit::ArcSecond, 3600, "3600", "1", "17453.29251994"},
        {AngleUnit::Degree, 1, "3600", "1", "17453.29251994"},
        {AngleUnit::MicroRadian, 17453.29251994, "3600", "1", "17453.29251994"},
        {AngleUnit::Degree, -0.5, "-1800", "-0.5", "-8726.64625997"},
        {AngleUnit::ArcSecond, 0, "0", "0", "0"},
    };
    for (const Case& c : cases) {
        const AngleUnits u = ConvertAngle(c.from, c.value);
        EXPECT_EQ(ConvertedText(u.arcSeconds), c.arcSeconds) << c.value;
        EXPECT_EQ(ConvertedText(u.degrees), c.degrees) << c.value;
        EXPECT_EQ(ConvertedText(u.microRadians), c.microRadians) << c.value;
    }
}

TEST(Calculators, WavelengthAndPhotonEnergy) {
    struct Case {
        double value;
        const char* partner;
    };
    const Case cases[] = {
        {1.54056, "8.04799839"}, {1, "12.3984244"}, {12.3984244, "1"}, {0, ""}, {-2, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BeamPartnerText(c.value), c.partner) << c.value;
}

} // namespace
} // namespace xelmor
