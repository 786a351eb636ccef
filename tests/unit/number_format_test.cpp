#include "structfile/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace xelmor {
namespace {

struct FormatCase {
    double value;
    int decimals;
    const char* text;
};

const FormatCase kFormatCases[] = {
    {2000, 8, "2000"},       {10000000, 8, "10000000"}, // the fixed branch ends at 1e7 inclusive
    {10000001, 8, "1e+07"},  {0.25, 8, "0.25"},
    {-1.5, 3, "-1.5"},       {0, 8, "0"},
    {100, 8, "100"},         {0.0001, 8, "0.0001"}, // %g starts only below 1e-4
    {0.00009, 8, "9e-05"},   {-0.5, 2, "-0.5"},
    {5.4309, 8, "5.4309"},   {90.0, 8, "90"},
    {0.1, 8, "0.1"},         {1.0 / 3.0, 4, "0.3333"},
    {2.0 / 3.0, 2, "0.67"},  {123456.789, 10, "123456.789"},
    {-2.5e9, 8, "-2.5e+09"}, {1.23456789e-7, 8, "1.23457e-07"},
    {100, 0, "100"},                            // no decimals: the integer's own zeros stay
    {0.5, 20, "0.5"},                           // decimals beyond 16 are cut to 16
    {-0.0, 8, "0"},          {-0.0001, 2, "0"}, // rounds to zero: no "-0"
    {-0.0004, 3, "0"},
};

TEST(NumberFormat, FormatsLikeThePrograms) {
    for (const auto& c : kFormatCases)
        EXPECT_EQ(FormatNumber(c.value, c.decimals), c.text) << c.value << " at " << c.decimals;
}

TEST(NumberFormat, NonFiniteValuesDoNotCrash) {
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity(), 8), "inf");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity(), 8), "-inf");
    EXPECT_FALSE(FormatNumber(std::nan(""), 8).empty());
}

struct ParseCase {
    const char* text;
    double value;
};

const ParseCase kParseCases[] = {
    {"5.4309", 5.4309},
    {"  \t-2.5abc", -2.5},
    {"+3", 3},
    {".5", 0.5},
    {"1e3x", 1000},
    {"1e", 1},
    {"1e+", 1},
    {"2.5E-2", 0.025},
    {"", 0},
    {"abc", 0},
    {"-", 0},
    {".", 0},
    {"nan", 0},
    {"inf", 0},
    {"0x10", 0},
    {"5,4309", 5},
};

TEST(NumberFormat, ParseDoubleHasAtofSemantics) {
    for (const auto& c : kParseCases)
        EXPECT_DOUBLE_EQ(ParseDouble(c.text), c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::isinf(ParseDouble("1e999")));
    EXPECT_GT(ParseDouble("1e999"), 0);
    EXPECT_TRUE(std::isinf(ParseDouble("-1e999")));
}

TEST(NumberFormat, ParseIntHasAtoiSemanticsAndClamps) {
    EXPECT_EQ(ParseInt("  42 atoms"), 42);
    EXPECT_EQ(ParseInt("-7"), -7);
    EXPECT_EQ(ParseInt("+8"), 8);
    EXPECT_EQ(ParseInt("8.9"), 8);
    EXPECT_EQ(ParseInt("x8"), 0);
    EXPECT_EQ(ParseInt(""), 0);
    EXPECT_EQ(ParseInt("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(ParseInt("-99999999999999999999"), std::numeric_limits<int>::min());
}

} // namespace
} // namespace xelmor
