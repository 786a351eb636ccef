#include "xelmor/core/spectrum_plot.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace xelmor {
namespace {

struct StepCase {
    double last;
    double step;
};

// 10000 shrinks by tens until the spectrum spans more than one step; two steps or fewer are
// cut in fifths, up to five steps in halves.
const StepCase kSteps[] = {
    {3.0, 0.5},
    {1.5, 0.2},
    {2.0, 0.2},
    {2.01, 0.5},
    {5.0, 0.5},
    {5.5, 1.0},
    {1.0, 0.1},
    {0.03, 0.005},
    {10.0, 1.0},
    {20000, 2000},
    {1e5, 10000},
    // No axis for a spectrum that does not end at a positive finite wavelength (dividing by ten
    // would never make 0 span a step).
    {0.0, 0.0},
    {-1.0, 0.0},
    {std::numeric_limits<double>::infinity(), 0.0},
    {std::numeric_limits<double>::quiet_NaN(), 0.0},
};

class MajorStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(MajorStep, FollowsTheSpanOfTheSpectrum) {
    EXPECT_DOUBLE_EQ(MajorWavelengthStep(GetParam().last), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(SpectrumPlot, MajorStep, ::testing::ValuesIn(kSteps));

// A frame of 500 x 300 pixels at (10, 20): the box runs from x 44 to 495 and from y 25 to 296.
constexpr PlotRect kFrame{10, 20, 510, 320};

std::vector<std::string> CentredLabels(const SpectrumPlot& plot) {
    std::vector<std::string> out;
    for (const PlotLabel& l : plot.labels)
        if (l.centred)
            out.push_back(l.text);
    return out;
}

TEST(SpectrumPlot, IntensityAxisIsFixedAt250PixelsPerUnit) {
    const SpectrumPlot plot = LayoutSpectrumPlot(kFrame, {}, {});
    EXPECT_EQ(plot.boxTopLeft, (PlotPoint{44, 25}));
    EXPECT_EQ(plot.boxBottomRight, (PlotPoint{495, 296}));
    // 6 major and 25 minor ticks, each on both sides; nothing on the wavelength axis.
    ASSERT_EQ(plot.ticks.size(), 62u);
    EXPECT_EQ(plot.ticks[0], (PlotLine{44, 296, 37, 296}));
    EXPECT_EQ(plot.ticks[1], (PlotLine{495, 296, 502, 296}));
    EXPECT_EQ(plot.ticks[10], (PlotLine{44, 46, 37, 46}));   // 1.0
    EXPECT_EQ(plot.ticks[12], (PlotLine{44, 286, 40, 286})); // first minor
    EXPECT_EQ(plot.ticks[61], (PlotLine{495, 46, 499, 46})); // last minor, at 1.0
    const std::vector<PlotLabel> labels = {{"0.0", 20, 289, false}, {"0.2", 20, 239, false},
                                           {"0.4", 20, 189, false}, {"0.6", 20, 139, false},
                                           {"0.8", 20, 89, false},  {"1.0", 20, 39, false}};
    EXPECT_EQ(plot.labels, labels);
    EXPECT_TRUE(plot.curve.empty());
    EXPECT_EQ(plot.majorStep, 0.0);
}

TEST(SpectrumPlot, WavelengthAxisAndCurveOfThreeAngstrom) {
    const SpectrumPlot plot = LayoutSpectrumPlot(kFrame, {0.1, 1.0, 3.0}, {0.5, 1.0, 0.0});
    EXPECT_EQ(plot.majorStep, 0.5);
    EXPECT_EQ(CentredLabels(plot),
              (std::vector<std::string>{"0", "0.5", "1", "1.5", "2", "2.5", "3"}));
    // 451 pixels for 3 Angstrom: 0.5 lies at 44 + trunc(75.17).
    const PlotLabel& half = plot.labels[7];
    EXPECT_EQ(half, (PlotLabel{"0.5", 119, 305, true}));
    // After the 62 intensity ticks: 7 major ticks 8 long, then 31 minor ticks 5 long.
    ASSERT_EQ(plot.ticks.size(), 62u + 7u + 31u);
    EXPECT_EQ(plot.ticks[62 + 1], (PlotLine{119, 296, 119, 304}));
    EXPECT_EQ(plot.ticks[62 + 6], (PlotLine{495, 296, 495, 304}));
    EXPECT_EQ(plot.ticks[62 + 7 + 1], (PlotLine{59, 296, 59, 301}));
    EXPECT_EQ(plot.curve, (std::vector<PlotPoint>{{59, 171}, {194, 46}, {495, 296}}));
}

TEST(SpectrumPlot, OnePointFiveAngstromStepsByPointTwo) {
    const SpectrumPlot plot = LayoutSpectrumPlot(kFrame, {0.5, 1.5}, {1.0, 1.0});
    EXPECT_EQ(CentredLabels(plot),
              (std::vector<std::string>{"0", "0.2", "0.4", "0.6", "0.8", "1", "1.2", "1.4"}));
}

TEST(SpectrumPlot, AtMostTwentyMajorAndTwoHundredMinorTicks) {
    const SpectrumPlot plot = LayoutSpectrumPlot(kFrame, {1.0, 99999.0}, {1.0, 1.0});
    EXPECT_EQ(plot.majorStep, 10000.0);
    EXPECT_EQ(CentredLabels(plot).size(), 10u);
    const SpectrumPlot many = LayoutSpectrumPlot(kFrame, {1.0, 1e9}, {1.0, 1.0});
    ASSERT_EQ(many.majorStep, 10000.0);
    EXPECT_EQ(CentredLabels(many).size(), 20u);
    EXPECT_EQ(many.ticks.size(), 62u + 20u + 200u);
}

TEST(SpectrumPlot, UnscaledIntensitiesStayWithinIntegerPixels) {
    // An old binary spectrum is not normalised: huge intensities must not overflow the
    // conversion to pixels.
    const SpectrumPlot plot = LayoutSpectrumPlot(kFrame, {0.0, 3.0}, {1e300, 2.0});
    ASSERT_EQ(plot.curve.size(), 2u);
    EXPECT_EQ(plot.curve[0], (PlotPoint{44, 296 - 1000000}));
    EXPECT_EQ(plot.curve[1], (PlotPoint{495, -204}));
}

TEST(SpectrumPlot, NoScaleWithoutAPositiveLastWavelength) {
    const SpectrumPlot plot = LayoutSpectrumPlot(kFrame, {-2.0, 0.0}, {1.0, 1.0});
    EXPECT_EQ(plot.majorStep, 0.0);
    EXPECT_TRUE(plot.curve.empty());
    EXPECT_EQ(plot.ticks.size(), 62u);
}

} // namespace
} // namespace xelmor
