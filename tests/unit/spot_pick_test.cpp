// Picking a spot: logical point to film, the hit rectangle, the hit test and the panel texts.
#include "xelmor/core/spot_pick.h"

#include <gtest/gtest.h>

namespace xelmor {
namespace {

ViewFrame Frame(double scale, int width, int height, double sx, double sy) {
    ViewFrame f;
    f.scale = scale;
    f.width = width;
    f.height = height;
    f.shiftX = sx;
    f.shiftY = sy;
    return f;
}

CDot Spot(int h, int k, int l, double x, double y, int order = 1, double lambda = 1.0) {
    CDot d;
    d.h = h, d.k = k, d.l = l;
    d.x = x, d.y = y;
    d.lambda = lambda;
    d.harmonics.push_back({order, 1.0, 1.0});
    return d;
}

TEST(SpotPick, LogicalToFilm) {
    struct Case {
        ViewFrame frame;
        LogicalPoint p;
        FilmPoint film;
    } const cases[] = {
        {Frame(1.0, 1000, 800, 0, 0), {500, -400}, {0, 0}},
        {Frame(0.5, 1000, 800, 0, 0), {600, -300}, {200, 200}},
        {Frame(2.0, 1000, 800, 10, -20), {501, -400}, {10.5, -20}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LogicalToFilm(c.frame, c.p), c.film);
}

TEST(SpotPick, HitRectIsTheUnshiftedSpotRectMovedByTheSpotLessTheShift) {
    // W 1000, H 800, s 1, spot 20 x 10: base left 490, right 510, upper -395, lower -405.
    const ViewFrame f = Frame(1.0, 1000, 800, 30, -40);
    const LogicalRect r = SpotHitRect(f, 20, 10, Spot(1, 0, 0, 130, 60));
    EXPECT_EQ(r, (LogicalRect{590, -295, 610, -305}));
    // Left and bottom edges belong to the rectangle, right and top do not.
    EXPECT_TRUE(HitRectContains(r, {590, -305}));
    EXPECT_FALSE(HitRectContains(r, {610, -300}));
    EXPECT_FALSE(HitRectContains(r, {600, -295}));
    EXPECT_FALSE(HitRectContains(r, {589, -300}));
}

TEST(SpotPick, FirstSpotInListOrderWins) {
    const ViewFrame f = Frame(1.0, 1000, 800, 0, 0);
    const std::vector<CDot> spots = {Spot(1, 0, 0, 0, 0), Spot(0, 1, 0, 10, 0)};
    EXPECT_EQ(HitSpot(spots, f, 20, 10, {505, -400}), 0); // in both
    EXPECT_EQ(HitSpot(spots, f, 20, 10, {515, -400}), 1); // only in the second
    EXPECT_EQ(HitSpot(spots, f, 20, 10, {600, -400}), -1);
    EXPECT_EQ(HitSpot({}, f, 20, 10, {500, -400}), -1);
}

TEST(SpotPick, PanelTextsUseTheLowestKeptOrder) {
    EXPECT_EQ(SpotReflectionText(Spot(1, -3, 1, 0, 0)), "1, -3, 1");
    EXPECT_EQ(SpotWavelengthText(Spot(1, -3, 1, 0, 0, 1, 0.987455)), "0.9875 A");
    EXPECT_EQ(SpotReflectionText(Spot(-2, 1, 1, 0, 0, 2)), "-4, 2, 2");
    EXPECT_EQ(SpotWavelengthText(Spot(-2, 1, 1, 0, 0, 2, 1.810334)), "0.9052 A");
}

} // namespace
} // namespace xelmor
