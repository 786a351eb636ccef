#include "xelmor/core/panel_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace xelmor {
namespace {

TEST(PanelRulesZoom, RoundsClampsAndCorrectsTheText) {
    struct Case {
        const char* text;
        int zoom;
        const char* result;
    };
    const Case cases[] = {
        {"5%", 10, "10%"},       {"2000%", 1000, "1000%"}, {"abc", 10, "10%"},
        {"", 10, "10%"},         {"150%", 150, "150%"},    {"99.5", 100, "100%"},
        {"99.4%", 99, "99%"},    {"-50%", 10, "10%"},      {" 250 %", 250, "250%"},
        {"1e20", 1000, "1000%"}, {"1e999", 1000, "1000%"}, // beyond any int: still the limit
    };
    for (const auto& c : cases) {
        const ZoomValue z = ReadZoom(c.text);
        EXPECT_EQ(z.zoom, c.zoom) << '"' << c.text << '"';
        EXPECT_EQ(z.text, c.result) << '"' << c.text << '"';
    }
}

TEST(PanelRulesZoom, AListEntrySetsItsNumber) {
    std::vector<int> zooms;
    for (const char* entry : kZoomList)
        zooms.push_back(ZoomOfListEntry(entry));
    EXPECT_EQ(zooms, (std::vector<int>{1000, 500, 400, 300, 250, 200, 150, 100, 50}));
}

TEST(PanelRulesAngles, StayInsideTheOpenInterval) {
    struct Case {
        const char* text;
        double angle;
        const char* result;
    };
    const Case cases[] = {
        {"360", 0, "0"}, {"-360", 0, "0"}, {"359.9", 359.9, "359.9"}, {"-359.9", -359.9, "-359.9"},
        {"400", 0, "0"}, {"-1e6", 0, "0"}, {"12.50", 12.5, "12.5"},
    };
    for (const auto& c : cases) {
        const PanelValue a = ReadAngle(c.text);
        EXPECT_DOUBLE_EQ(a.value, c.angle) << c.text;
        EXPECT_EQ(a.text, c.result) << c.text;
    }
}

TEST(PanelRulesDetector, TiltAndLengthsAsTheirPairsReadThem) {
    struct Case {
        PanelValue (*read)(std::string_view);
        const char* text;
        double value;
        const char* result;
    };
    const Case cases[] = {
        {ReadTilt, "360", 360, "360"}, // the tilt has its limits only
        {ReadTilt, "-400", -360, "-360"},
        {ReadDistance, "50", 500, "50"},
        {ReadDistance, "0", 0.01, "0.001"},
        {ReadDistance, "200000", 1e6, "100000"},
        {ReadShift, "-12.5", -125, "-12.5"},
        {ReadShift, "-20000", -100000, "-10000"},
        {ReadShift, "x", 0, "0"},
    };
    for (const auto& c : cases) {
        const PanelValue v = c.read(c.text);
        EXPECT_DOUBLE_EQ(v.value, c.value) << c.text;
        EXPECT_EQ(v.text, c.result) << c.text;
    }
}

TEST(PanelRulesLevels, AfterTheFirstNormalisation) {
    struct Case {
        const char* saturate;
        const char* truncate;
        double saturateValue, truncateValue;
        const char* saturateText;
        const char* truncateText;
    };
    const Case cases[] = {
        {"0%", "0.01%", 0.001, 0.0001, "0.1%", "0.01%"},
        {"50%", "60%", 0.5, 0.05, "50%", "5%"}, // truncation at or above saturation: a tenth of it
        {"50%", "50%", 0.5, 0.05, "50%", "5%"},
        {"100%", "0%", 1.0, 1e-5, "100%", "0.001%"},
        {"-5%", "1%", 0.001, 0.0001, "0.1%", "0.01%"},
        {"75", "10", 0.75, 0.1, "75%", "10%"},
        {"200%", "1%", 2.0, 0.01, "200%", "1%"},
        {"abc", "abc", 0.001, 1e-5, "0.1%", "0.001%"},
        {"1e999%", "1%", 0.001, 0.0001, "0.1%", "0.01%"}, // never an infinite level
    };
    for (const auto& c : cases) {
        const LevelValues l = ReadLevels(1234.0, 0.2, c.saturate, c.truncate);
        const std::string where = std::string(c.saturate) + " / " + c.truncate;
        EXPECT_DOUBLE_EQ(l.saturate, c.saturateValue) << where;
        EXPECT_DOUBLE_EQ(l.truncate, c.truncateValue) << where;
        EXPECT_EQ(l.saturateText, c.saturateText) << where;
        EXPECT_EQ(l.truncateText, c.truncateText) << where;
    }
}

TEST(PanelRulesLevels, BeforeTheFirstNormalisationSaturationIsForced) {
    for (double isat : {-1.0, 0.0}) {
        const LevelValues l = ReadLevels(isat, 0.2, "50%", "5%");
        EXPECT_DOUBLE_EQ(l.saturate, 1.0);
        EXPECT_DOUBLE_EQ(l.truncate, 0.2); // kept: the run that follows rewrites the boxes
        EXPECT_EQ(l.saturateText, "100%");
        EXPECT_EQ(l.truncateText, "1%");
    }
}

// A normalised pattern with every value the panel shows moved away from its start.
CParameterSet ShownParameters() {
    CParameterSet p;
    p.m_nZoom = 300;
    p.m_D = 812.5;
    p.m_Rot1 = 10;
    p.m_Rot2 = -20;
    p.m_Rot3 = 30.25;
    p.m_Tilt = 45;
    p.m_ShiftY = -25;
    p.m_ShiftX = 150;
    p.m_Saturate = 0.5;
    p.m_Truncate = 0.05;
    p.m_Isat = 1234;
    return p;
}

TEST(PanelRulesCycle, ShownValuesReadBackUnchanged) {
    CParameterSet p = ShownParameters();
    const PanelTexts shown = PanelTextsOf(p);
    EXPECT_EQ(shown.zoom, "300%");
    EXPECT_EQ(shown.distance, "81.25");
    EXPECT_EQ(shown.rot, (std::array<std::string, 3>{"10", "-20", "30.25"}));
    EXPECT_EQ(shown.tilt, "45");
    EXPECT_EQ(shown.shiftY, "-2.5");
    EXPECT_EQ(shown.shiftX, "15");
    EXPECT_EQ(shown.saturate, "50%");
    EXPECT_EQ(shown.truncate, "5%");

    const PanelReading r = ReadPanel(p, shown);
    EXPECT_EQ(r.texts, shown); // nothing to rewrite
    EXPECT_FALSE(r.zoomChanged);
    EXPECT_DOUBLE_EQ(p.m_D, 812.5);
    EXPECT_DOUBLE_EQ(p.m_Rot3, 30.25);
    EXPECT_DOUBLE_EQ(p.m_ShiftY, -25);
    EXPECT_DOUBLE_EQ(p.m_ShiftX, 150);
    EXPECT_DOUBLE_EQ(p.m_Saturate, 0.5);
    EXPECT_DOUBLE_EQ(p.m_Truncate, 0.05);
}

TEST(PanelRulesCycle, ReadsEveryTextIntoTheParameterSet) {
    CParameterSet p = ShownParameters();
    PanelTexts typed = PanelTextsOf(p);
    typed.zoom = "2000%";
    typed.distance = "0";
    typed.rot = {"360", "359.9", "-400"};
    typed.tilt = "-360";
    typed.shiftY = "7";
    typed.shiftX = "-99999";
    typed.saturate = "0%";
    typed.truncate = "1%";

    const PanelReading r = ReadPanel(p, typed);
    EXPECT_TRUE(r.zoomChanged);
    EXPECT_EQ(p.m_nZoom, 1000);
    EXPECT_DOUBLE_EQ(p.m_D, 0.01);
    EXPECT_DOUBLE_EQ(p.m_Rot1, 0);
    EXPECT_DOUBLE_EQ(p.m_Rot2, 359.9);
    EXPECT_DOUBLE_EQ(p.m_Rot3, 0);
    EXPECT_DOUBLE_EQ(p.m_Tilt, -360);
    EXPECT_DOUBLE_EQ(p.m_ShiftY, 70);
    EXPECT_DOUBLE_EQ(p.m_ShiftX, -100000);
    EXPECT_DOUBLE_EQ(p.m_Saturate, 0.001);
    EXPECT_DOUBLE_EQ(p.m_Truncate, 0.0001);
    PanelTexts corrected = typed;
    corrected.zoom = "1000%";
    corrected.distance = "0.001";
    corrected.rot = {"0", "359.9", "0"};
    corrected.shiftX = "-10000";
    corrected.saturate = "0.1%";
    corrected.truncate = "0.01%";
    EXPECT_EQ(r.texts, corrected);
}

TEST(PanelRulesCycle, ResetToZeroKeepsDistanceZoomAndLevels) {
    CParameterSet p = ShownParameters();
    PanelTexts texts = PanelTextsOf(p);
    ZeroAnglesAndShifts(texts);
    const PanelReading r = ReadPanel(p, texts);
    EXPECT_FALSE(r.zoomChanged);
    EXPECT_EQ(p.m_nZoom, 300);
    EXPECT_DOUBLE_EQ(p.m_D, 812.5);
    EXPECT_DOUBLE_EQ(p.m_Saturate, 0.5);
    EXPECT_DOUBLE_EQ(p.m_Truncate, 0.05);
    EXPECT_DOUBLE_EQ(p.m_Isat, 1234);
    for (double v : {p.m_Rot1, p.m_Rot2, p.m_Rot3, p.m_Tilt, p.m_ShiftX, p.m_ShiftY})
        EXPECT_DOUBLE_EQ(v, 0);
    EXPECT_EQ(r.texts.rot, (std::array<std::string, 3>{"0", "0", "0"}));
    EXPECT_EQ(r.texts.distance, "81.25");
    EXPECT_EQ(r.texts.saturate, "50%");
}

TEST(PanelRulesSpotSize, LadderBothWaysWithTheClamps) {
    std::vector<double> up{0.1};
    while (up.size() < 30)
        up.push_back(IncreaseSpotSize(up.back()));
    const std::vector<double> expectedUp{0.1, 1,   5,   10,  15,  20,  30,  40,  50,  60,
                                         70,  80,  90,  100, 110, 120, 130, 140, 150, 160,
                                         170, 180, 190, 200, 200, 200, 200, 200, 200, 200};
    EXPECT_EQ(up, expectedUp); // 20 mm grows to 21 mm and is clamped back to 20 mm

    std::vector<double> down{200};
    while (down.size() < 26)
        down.push_back(ReduceSpotSize(down.back()));
    const std::vector<double> expectedDown{200, 190, 180, 170, 160, 150, 140, 130, 120,
                                           110, 100, 90,  80,  70,  60,  50,  40,  30,
                                           20,  15,  10,  5,   1,   0.1, 0.1, 0.1};
    EXPECT_EQ(down, expectedDown); // 0.1 mm (1) goes to 0.01 mm (0.1)

    // Values between the rungs go to the next rung.
    EXPECT_DOUBLE_EQ(IncreaseSpotSize(0.5), 1);
    EXPECT_DOUBLE_EQ(IncreaseSpotSize(12), 15);
    EXPECT_DOUBLE_EQ(IncreaseSpotSize(195), 200);
    EXPECT_DOUBLE_EQ(ReduceSpotSize(12), 10);
    EXPECT_DOUBLE_EQ(ReduceSpotSize(25), 15);
    EXPECT_DOUBLE_EQ(ReduceSpotSize(0.5), 0.1);
}

TEST(PanelRulesLabels, FollowTheRotationSequence) {
    using Labels = std::array<std::string, 3>;
    const Labels expected[] = {
        {"around Y", "around X", "around Z"}, {"around Y", "around Z", "around X"},
        {"around X", "around Y", "around Z"}, {"around X", "around Z", "around Y"},
        {"around Z", "around X", "around Y"}, {"around Z", "around Y", "around X"},
    };
    for (int seq = -1; seq <= 6; ++seq) {
        const auto l = RotationAxisLabels(seq);
        const Labels& want = expected[seq >= 0 && seq <= 5 ? seq : 5];
        EXPECT_EQ((Labels{l[0], l[1], l[2]}), want) << seq;
    }
    const DetectorLabels y = DetectorLabelsFor(0);
    EXPECT_EQ(std::string(y.tilt), "Tilt Axis y:");
    EXPECT_EQ(std::string(y.shift1091), "Shift y:");
    EXPECT_EQ(std::string(y.shift1090), "Shift x:");
    const DetectorLabels x = DetectorLabelsFor(1);
    EXPECT_EQ(std::string(x.tilt), "Tilt Axis x:");
    EXPECT_EQ(std::string(x.shift1091), "Shift x:");
    EXPECT_EQ(std::string(x.shift1090), "Shift y:");
}

} // namespace
} // namespace xelmor
