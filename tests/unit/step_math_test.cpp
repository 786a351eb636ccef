#include "xelmor/core/step_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace xelmor {
namespace {

constexpr double kNoLimit = 1e300;

struct PairStepCase {
    const char* text;
    double step;
    bool up;
    double minimum, maximum;
    const char* result;
    bool changed;
    bool stepError;
};

// Plus goes to the next multiple of the step above the value, minus to the next one below,
// whichever way truncation toward zero and rounding of the division go.
const PairStepCase kPairSteps[] = {
    {"2.5", 1, true, -kNoLimit, kNoLimit, "3", true, false},
    {"2.5", 1, false, -kNoLimit, kNoLimit, "2", true, false},
    {"-2.5", 1, true, -kNoLimit, kNoLimit, "-2", true, false},
    {"-2.5", 1, false, -kNoLimit, kNoLimit, "-3", true, false},
    {"3", 1, true, -kNoLimit, kNoLimit, "4", true, false},
    {"3", 1, false, -kNoLimit, kNoLimit, "2", true, false},
    {"0", 1, false, -kNoLimit, kNoLimit, "-1", true, false},
    // 0.3 / 0.1 truncates to 2: the value lies on a multiple all the same.
    {"0.3", 0.1, true, -kNoLimit, kNoLimit, "0.4", true, false},
    {"0.3", 0.1, false, -kNoLimit, kNoLimit, "0.2", true, false},
    {"0.7", 0.1, true, -kNoLimit, kNoLimit, "0.8", true, false},
    {"-0.05", 0.1, true, -kNoLimit, kNoLimit, "0", true, false},
    {"7", 5, true, -kNoLimit, kNoLimit, "10", true, false},
    {"7", 5, false, -kNoLimit, kNoLimit, "5", true, false},
    {"-7", 2, true, -kNoLimit, kNoLimit, "-6", true, false},
    {"abc", 1, true, -kNoLimit, kNoLimit, "1", true, false}, // no number reads as 0
    // At a limit the clamp gives the text back unchanged: nothing is written or sent.
    {"100000", 10, true, 0.001, 100000, "100000", false, false},
    {"0.001", 10, false, 0.001, 100000, "0.001", false, false},
    {"359.5", 1, true, -360, 360, "360", true, false},
    {"1e999", 10, true, 0.001, 100000, "100000", true, false},
    // A value too large for the step to change: the message, and the result is used.
    {"1e17", 1, true, -kNoLimit, kNoLimit, "1e+17", true, true},
};

TEST(StepPair, StepsToTheNextMultiple) {
    for (const auto& c : kPairSteps) {
        const EditUpdate u = StepPair(c.text, c.step, c.up, c.minimum, c.maximum);
        const std::string where =
            std::string(c.text) + (c.up ? " +" : " -") + std::to_string(c.step);
        EXPECT_EQ(u.text, c.result) << where;
        EXPECT_EQ(u.changed, c.changed) << where;
        EXPECT_EQ(u.stepError, c.stepError) << where;
    }
}

TEST(StepPair, ReadClampsAndCorrectsTheText) {
    struct Case {
        const char* text;
        double value;
        const char* result;
        bool changed;
    };
    const Case cases[] = {
        {"50", 50, "50", false},     {"400", 360, "360", true}, {"-1e6", -360, "-360", true},
        {" 5.000", 5, "5", true},    {"abc", 0, "0", true},     {"12.5 mm", 12.5, "12.5", true},
        {"1e999", 360, "360", true},
    };
    for (const auto& c : cases) {
        const EditUpdate u = ReadThroughPair(c.text, -360, 360);
        EXPECT_DOUBLE_EQ(u.value, c.value) << c.text;
        EXPECT_EQ(u.text, c.result) << c.text;
        EXPECT_EQ(u.changed, c.changed) << c.text;
        EXPECT_FALSE(u.stepError) << c.text;
    }
}

TEST(StepUnit, StepsToTheNextInteger) {
    struct Case {
        const char* text;
        bool up;
        const char* result;
        bool changed;
    };
    const Case cases[] = {
        {"2.999", true, "4", true}, // already within 0.01 of 3
        {"3", true, "4", true},
        {"-0.5", true, "0", true}, // truncation toward zero went the wrong way
        {"2.5", false, "2", true},
        {"-2.5", false, "-3", true},
        {"-2.995", false, "-4", true},
        {"", true, "1", true},
        {"999.5", true, "1000", true},
        {"1000", true, "1000", false}, // default limits -1000..1000
        {"-1000", false, "-1000", false},
    };
    for (const auto& c : cases) {
        const EditUpdate u = StepUnit(c.text, c.up, -1000, 1000);
        EXPECT_EQ(u.text, c.result) << c.text << (c.up ? " +" : " -");
        EXPECT_EQ(u.changed, c.changed) << c.text << (c.up ? " +" : " -");
    }
}

TEST(StepUnit, ReadCutsToAnIntegerOnlyWithTheFlag) {
    struct Case {
        const char* text;
        bool integer;
        double value;
        const char* result;
    };
    const Case cases[] = {
        {"2.7", true, 2, "2"},        {"-2.7", true, -2, "-2"},         {"2.7", false, 2.7, "2.7"},
        {"5000", true, 1000, "1000"}, {"-5000", false, -1000, "-1000"},
    };
    for (const auto& c : cases) {
        const EditUpdate u = ReadUnit(c.text, c.integer, -1000, 1000);
        EXPECT_DOUBLE_EQ(u.value, c.value) << c.text;
        EXPECT_EQ(u.text, c.result) << c.text;
    }
}

TEST(StepMenu, ItemsChooseTheirStep) {
    const double steps[] = {10, 5, 2, 1, 0.1};
    const char* labels[] = {"10", "5", "2", "1", "0.1"};
    for (int i = 0; i < 5; ++i) {
        const StepMenuItem& item = kStepMenuItems[i];
        EXPECT_EQ(StepIndexForCommand(item.command), i) << item.command;
        EXPECT_EQ(item.index, i);
        EXPECT_DOUBLE_EQ(StepForIndex(i), steps[i]);
        EXPECT_EQ(StepLabel(i), labels[i]); // " 1" in the menu, "1" on the button
    }
    EXPECT_EQ(std::string(kStepMenuItems[3].text), " 1");
    EXPECT_EQ(StepIndexForCommand(32871), -1);
    EXPECT_DOUBLE_EQ(StepForIndex(7), 0.1);
    EXPECT_DOUBLE_EQ(StepForIndex(-1), 0.1);
    EXPECT_EQ(kDefaultStepIndex, 3);
}

TEST(StepMessages, StepError) {
    EXPECT_EQ(StepErrorMessage(), (Message{"Step error", MsgIcon::None, MsgButtons::Ok, ""}));
}

// No value that is not a finite number can pass a clamp into an edit.
TEST(StepClamp, NonFiniteValuesGiveALimit) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_DOUBLE_EQ(ClampValue(std::nan(""), -5, 5), -5);
    EXPECT_DOUBLE_EQ(ClampValue(kInf, -5, 5), 5);
    EXPECT_DOUBLE_EQ(ClampValue(-kInf, -5, 5), -5);
}

} // namespace
} // namespace xelmor
