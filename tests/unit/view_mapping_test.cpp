// The pattern view's geometry in logical units: extent, spot rectangles, marker points,
// crosslines, margins, levels and colours, merged patterns and the device mapping.
#include "xelmor/core/view_mapping.h"

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

namespace xelmor {
namespace {

constexpr double kScreenUnits = 96.0 / 254.0; // pixels per unit at 96 DPI

struct ExtentCase {
    int zoom;
    double calib, filmWidth, filmHeight;
    int width, height;
};

void PrintTo(const ExtentCase& c, std::ostream* os) {
    *os << "zoom " << c.zoom << " calib " << c.calib << " film " << c.filmWidth << " x "
        << c.filmHeight;
}

class ViewExtentTest : public ::testing::TestWithParam<ExtentCase> {};

TEST_P(ViewExtentTest, FilmTimesScaleTruncatedPlusMargins) {
    const ExtentCase& c = GetParam();
    const ViewFrame f = ViewExtent(ViewScale(c.zoom, c.calib), c.filmWidth, c.filmHeight);
    EXPECT_EQ(f.width, c.width);
    EXPECT_EQ(f.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(Extents, ViewExtentTest,
                         ::testing::Values(ExtentCase{50, 1.0, 2000, 1500, 1060, 810},
                                           ExtentCase{200, 0.8, 2000, 1500, 3260, 2460},
                                           ExtentCase{37, 1.0, 2000, 1234, 800, 516},
                                           ExtentCase{1000, 1.0, 2000, 1500, 20060, 15060}));

TEST(ViewMappingTest, BaseSpotRectTruncatesEachEdgeTowardZero) {
    ViewFrame f{1.0, 2060, 1560, 0.0, 0.0};
    EXPECT_EQ(BaseSpotRect(f, 30, 30), (LogicalRect{1015, -765, 1045, -795}));

    // With a shift the vertical edges land on halves: -1486.5 and -1556.5 truncate upward.
    f = ViewFrame{2.0, 4060, 3060, 10.5, -4.25};
    EXPECT_EQ(BaseSpotRect(f, 25, 35), (LogicalRect{1984, -1486, 2034, -1556}));
}

TEST(ViewMappingTest, SpotRectMovesByTruncatedScaledPosition) {
    const LogicalRect base{1015, -765, 1045, -795};
    // 2 x -12.3 = -24.6 and 2 x 7.9 = 15.8 move by -24 and 15.
    EXPECT_EQ(SpotRectAt(base, 2.0, -12.3, 7.9), (LogicalRect{991, -750, 1021, -780}));
}

TEST(ViewMappingTest, MarkerPointAddsHalfThenTruncates) {
    const ViewFrame f{1.0, 2060, 1560, 0.0, 0.0};
    EXPECT_EQ(MarkerPoint(f, 100.4, -200.2), (LogicalPoint{1130, -979}));
    EXPECT_EQ(MarkerPoint(f, 0.0, 0.3), (LogicalPoint{1030, -779}));
    // The run's shift moves the point back toward the film centre.
    const ViewFrame shifted{2.0, 2060, 1560, 10.0, -5.0};
    EXPECT_EQ(MarkerPoint(shifted, 10.0, -5.0), (LogicalPoint{1030, -779}));
}

TEST(ViewMappingTest, CrosslinesUseIntegerHalvesOfAnOddExtent) {
    const ViewFrame f{0.5, 1061, 811, 3.0, -5.0};
    const auto lines = Crosslines(f);
    EXPECT_EQ(lines[0], (LogicalLine{{30, -402}, {1031, -402}}));
    EXPECT_EQ(lines[1], (LogicalLine{{527, -30}, {527, -781}}));
}

TEST(ViewMappingTest, PenWidthsFollowTheScaleAboveTheirMinimum) {
    EXPECT_EQ(CrosslinePenWidth(0.5), 1);
    EXPECT_EQ(CrosslinePenWidth(2.0), 3);
    EXPECT_EQ(SelectionPenWidth(2.0), 4);
    EXPECT_EQ(SelectionPenWidth(10.0), 15);
}

TEST(ViewMappingTest, BackImageIsCentredOnTheViewWithItsRealSize) {
    const ViewFrame f{1.0, 2060, 1560, 55.0, 66.0}; // the shift does not move it
    EXPECT_EQ(BackImageRect(f, 1420, 1065), (LogicalRect{320, -247, 1740, -1312}));
}

TEST(ViewMappingTest, MarkersAreAsymmetricPlusAndSquareCross) {
    const LogicalPoint p{100, -200};
    const auto plus = PlusMarker(p);
    EXPECT_EQ(plus[0], (LogicalLine{{72, -200}, {126, -200}}));
    EXPECT_EQ(plus[1], (LogicalLine{{100, -227}, {100, -173}}));
    const auto cross = CrossMarker(p);
    EXPECT_EQ(cross[0], (LogicalLine{{78, -222}, {122, -178}}));
    EXPECT_EQ(cross[1], (LogicalLine{{78, -178}, {122, -222}}));
}

// At zoom 1000 % a 200 mm film is wider than the margins' fixed reach of 20000 units; the
// right and bottom margins must still cover the strip between the film and the extent.
TEST(ViewMappingTest, MarginsCoverTheExtentBeyondTheirFixedReach) {
    for (const auto& [w, h] :
         {std::pair{2060, 1560}, std::pair{20060, 15060}, std::pair{50060, 30060}}) {
        const auto m = MarginRects(w, h);
        EXPECT_EQ(m[0].right, 30);
        EXPECT_EQ(m[1].bottom, -30);
        EXPECT_EQ(m[2].top, 30 - h);
        EXPECT_EQ(m[3].left, w - 30);
        for (const LogicalRect& r : {m[0], m[2], m[3]}) {
            EXPECT_LE(r.bottom, -20000) << w;
            EXPECT_LT(r.bottom, -h) << w;
        }
        for (const LogicalRect& r : {m[1], m[2], m[3]}) {
            EXPECT_GE(r.right, 20000) << w;
            EXPECT_GT(r.right, w) << w;
        }
    }
}

struct LevelCase {
    double intensity, reference;
    bool gray;
    int level;
};

void PrintTo(const LevelCase& c, std::ostream* os) {
    *os << c.intensity << " / " << c.reference << (c.gray ? " grey" : " dark");
}

class SpotLevelTest : public ::testing::TestWithParam<LevelCase> {};

TEST_P(SpotLevelTest, Level) {
    const LevelCase& c = GetParam();
    EXPECT_EQ(SpotLevel(c.intensity, c.reference, c.gray), c.level)
        << c.intensity << " / " << c.reference;
}

INSTANTIATE_TEST_SUITE_P(
    Levels, SpotLevelTest,
    ::testing::Values(LevelCase{5952.43, 5952.43, true, 255},  // at the saturation level
                      LevelCase{2976.215, 5952.43, true, 127}, // half of it
                      LevelCase{1e6, 5952.43, true, 255},      // above it
                      LevelCase{0.999, 1.0, true, 254}, LevelCase{0.0, 1.0, true, 0},
                      LevelCase{0.01, 1.0, false, 255}, // dark mode
                      LevelCase{3.0, 0.0, true, 255},   // no reference: saturated
                      LevelCase{0.0, 0.0, true, 255}, LevelCase{-2.0, 1.0, true, 0}));

TEST(ViewColourTest, SpotColourFadesTowardWhite) {
    using C = std::tuple<int, int, Rgb>; // level, colour mode, colour
    for (const auto& [level, mode, rgb] :
         {C{255, 2, {255, 0, 0}}, C{127, 2, {255, 128, 128}}, C{127, 0, {128, 128, 128}},
          C{127, 1, {128, 128, 255}}, C{255, 0, {0, 0, 0}}, C{0, 1, {255, 255, 255}},
          C{255, 7, {255, 0, 0}}})
        EXPECT_EQ(SpotRgb(level, mode), rgb) << level << " " << mode;
}

TEST(ViewColourTest, FrameIsBlueOnRedSpotsOnlyAndLabelsDefaultToWhite) {
    EXPECT_EQ(FrameRgb(2), (Rgb{0, 0, 255}));
    EXPECT_EQ(FrameRgb(0), (Rgb{255, 0, 0}));
    EXPECT_EQ(FrameRgb(1), (Rgb{255, 0, 0}));
    EXPECT_EQ(LabelRgb(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(LabelRgb(1), (Rgb{0, 0, 255}));
    EXPECT_EQ(LabelRgb(2), (Rgb{255, 0, 0}));
    EXPECT_EQ(LabelRgb(3), (Rgb{255, 255, 255}));
    EXPECT_EQ(LabelRgb(-1), (Rgb{255, 255, 255}));
}

TEST(MergedPatternTest, NormaliserPrefersTheSlotsSaturation) {
    EXPECT_DOUBLE_EQ(MergeNormaliser(0.5, 1000, true, 400), 500);
    EXPECT_DOUBLE_EQ(MergeNormaliser(-0.01, 1000, true, 400), 400);
    EXPECT_DOUBLE_EQ(MergeNormaliser(0.0, 1000, true, 400), 400);
    EXPECT_DOUBLE_EQ(MergeNormaliser(-0.01, 1000, false, 400), 1000);
}

TEST(MergedPatternTest, RectangleAroundTheSlotsOwnOriginInBothConventions) {
    const LogicalRect up = MergeBaseRect(2060, 1560, 1.0, 30, 30, 10, 20, false);
    EXPECT_EQ(up, (LogicalRect{1005, -785, 1035, -815}));
    EXPECT_EQ(MergeRectAt(up, 1.0, 7.5, 7.5, false), (LogicalRect{1012, -778, 1042, -808}));

    const LogicalRect down = MergeBaseRect(2000, 1500, 1.0, 30, 30, 10, 20, true);
    EXPECT_EQ(down, (LogicalRect{975, 755, 1005, 785}));
    EXPECT_EQ(MergeRectAt(down, 1.0, 7.5, 7.5, true), (LogicalRect{982, 748, 1012, 778}));
}

TEST(ViewMappingTest, ExportWidthFollowsTheFilmWidth) {
    EXPECT_EQ(RescaledExportWidth(2000, 4000, 2000), 4000);
    EXPECT_EQ(RescaledExportWidth(2000, 1000, 2000), 1000);
    EXPECT_EQ(RescaledExportWidth(1999, 1234, 2000), 1233);
    EXPECT_EQ(RescaledExportWidth(0, 4000, 2000), 0); // never exported: stays unset
    EXPECT_EQ(RescaledExportWidth(2000, 4000, 0), 2000);
}

TEST(ViewMappingTest, DeviceRectanglesLeaveOutTheRightAndBottomEdge) {
    const DeviceMapping unit{1.0, 1.0, 0, 0};
    EXPECT_EQ(ToDevice(unit, {10, -5, 13, -9}), (DeviceRect{10, 5, 3, 4}));
    EXPECT_EQ(ToDevice(unit, {13, -9, 10, -5}), (DeviceRect{13, 9, 0, 0}));

    // 96 DPI, scrolled by (10, 20) pixels: each corner is rounded on its own.
    const DeviceMapping screen{kScreenUnits, kScreenUnits, -10, -20};
    // 1015 -> 383.62, 1045 -> 394.96, -765 -> 289.13, -795 -> 300.47
    EXPECT_EQ(ToDevice(screen, {1015, -765, 1045, -795}), (DeviceRect{374, 269, 11, 11}));
    EXPECT_EQ(screen.PenWidth(4), 2);
    EXPECT_EQ(screen.PenWidth(1), 1);
}

TEST(ViewMappingTest, DevicePointsMapBackToTheNearestUnit) {
    const DeviceMapping screen{kScreenUnits, kScreenUnits, -10, -20};
    // 19 pixels are 50.27 units; y below the origin is negative.
    EXPECT_EQ(screen.ToLogical(9, -1), (LogicalPoint{50, -50}));
    EXPECT_EQ(screen.ToLogical(-10, -20), (LogicalPoint{0, 0}));
}

TEST(ViewFontTest, FacesAndFailureMessage) {
    EXPECT_EQ(IndexFontFace(0), "Arial Narrow");
    EXPECT_EQ(IndexFontFace(1), "Times New Roman");
    const Message m = FontFailureMessage("Arial Narrow");
    EXPECT_EQ(m.text, "Cannot create Font: Arial Narrow.");
    EXPECT_EQ(m.icon, MsgIcon::Stop);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
}

} // namespace
} // namespace xelmor
