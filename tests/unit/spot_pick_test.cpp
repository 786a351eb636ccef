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

TEST(SpotPick, TheFilmEndsThirtyUnitsInsideTheExtent) {
    const ViewFrame f = Frame(1.0, 1000, 800, 0, 0);
    struct Case {
        LogicalPoint p;
        bool onFilm;
    } const cases[] = {
        {{30, -30}, true},   {{970, -770}, true}, {{29, -400}, false},
        {{971, -400}, false}, {{500, -29}, false}, {{500, -771}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OnFilm(f, c.p), c.onFilm) << c.p.x << ", " << c.p.y;
}

TEST(SpotPick, MarkerTexts) {
    EXPECT_EQ(MarkerPositionText(123.456789, -50), "12.34568, -5");
    EXPECT_EQ(MarkerMenuText(123.456789, -50), "(12.3456789, -5) mm");
    EXPECT_EQ(MarkerPositionText(0, 0), "0, 0");
}

TEST(SpotPick, ReflectionQueryReadsLikeAStructureFileLine) {
    struct Case {
        const char* text;
        ReflectionQuery q;
    } const cases[] = {
        {"1,1,0", {1, 1, 0}},
        {"1 1 0", {1, 1, 0}},
        {"1\t1\t0 ! the strong one", {1, 1, 0}},
        {"  1 ,  1 , 0 # comment", {1, 1, 0}},
        {"1 1", {1, 1, 0}},
        {"-2 4x 3.9", {-2, 4, 3}},
        {"h k l", {0, 0, 0}},
        {"1 2 3 4", {1, 2, 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseReflectionQuery(c.text), c.q) << c.text;
}

TEST(SpotPick, FindMatchesAnyKeptOrderOfTheFirstSpotThatHasIt) {
    CDot a = Spot(1, 1, 0, 0, 0, 2);
    a.harmonics.push_back({4, 1.0, 1.0});
    CDot b = Spot(2, 2, 0, 0, 0, 1); // a later spot of the same reflection loses
    const std::vector<CDot> spots{Spot(1, -3, 1, 0, 0), a, b};
    struct Case {
        ReflectionQuery q;
        int spot, harmonic;
    } const cases[] = {
        {{1, -3, 1}, 0, 0}, {{2, 2, 0}, 1, 0},  {{4, 4, 0}, 1, 1},
        {{1, 1, 0}, -1, -1}, {{3, 3, 0}, -1, -1}, {{-1, 3, -1}, -1, -1},
    };
    for (const Case& c : cases) {
        const ReflectionMatch m = FindReflection(spots, c.q);
        EXPECT_EQ(m.spot, c.spot) << c.q.h << c.q.k << c.q.l;
        EXPECT_EQ(m.harmonic, c.harmonic) << c.q.h << c.q.k << c.q.l;
    }
}

TEST(SpotPick, FindMessages) {
    EXPECT_EQ(NoPatternYetMessage().text, "No pattern available yet.");
    EXPECT_EQ(EnterReflectionMessage().text, "Enter   h, k, l   and then click Find.");
    EXPECT_EQ(ReflectionNotFoundMessage({1, -1, 10}).text,
              "The current Laue pattern does not contain Reflection 1 -1 10.");
}

} // namespace
} // namespace xelmor
