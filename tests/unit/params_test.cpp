#include "xelmor/core/params.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace xelmor {
namespace {

constexpr double kRecipTolerance = 1e-12;

// A parameter set that holds a spectrum and a crystal and has every value a reset touches moved
// away from its start.
CParameterSet UsedParameterSet() {
    CParameterSet p;
    TakeOverCrystal(p, {"Silicon", 5.43, 5.43, 5.43, 90, 90, 90, {{14, 0, 0, 0, 1}}});
    p.m_strSpectrumName = "Beamline";
    p.m_strSpectrumFile = "/data/beam.spct";
    p.m_Wavelength = {0.2, 0.5, 1.0};
    p.m_Intensity = {1.0, 0.5, 0.1};
    p.m_bGeometrySet = 1;
    p.m_TransOrBack = 1;
    p.m_D = 812.5;
    p.m_RotCrystSeq = 4;
    p.m_Rot1 = 10;
    p.m_Rot2 = -20;
    p.m_Rot3 = 30;
    p.m_Tilt = 45;
    p.m_bTiltX = 1;
    p.m_ShiftX = 15;
    p.m_ShiftY = -25;
    p.m_FilmWidth = 1000;
    p.m_FilmHeight = 900;
    p.m_SpotWidth = 5;
    p.m_SpotHeight = 6;
    p.m_Saturate = 0.5;
    p.m_Truncate = 0.2;
    p.m_Isat = 1234;
    p.m_nZoom = 75;
    // Values the reset must leave alone.
    p.m_bShowIndex = 1;
    p.m_bGrayScale = 0;
    p.m_SpotColor = 1;
    p.m_nCalibZoom = 950;
    p.m_bZoomCalibrated = 1;
    p.m_CalibFactor = 1000.0 / 950;
    p.m_FontHeightScreen = 44;
    p.m_Gl = 3;
    p.m_H = 1;
    p.m_Hmax = 7;
    return p;
}

TEST(ParamsStartValues, AreThoseOfAFreshProgram) {
    const CParameterSet p;
    EXPECT_EQ(p.nAtoms(), 0);
    EXPECT_EQ(p.nElements(), 0);
    EXPECT_EQ(p.nSpectrum(), 0);
    EXPECT_EQ(p.m_bGeometrySet, 0);
    EXPECT_EQ(p.m_TransOrBack, 0);
    EXPECT_EQ(p.m_D, 500.0);
    EXPECT_EQ(p.m_RotCrystSeq, 0);
    EXPECT_EQ(p.m_bTiltX, 0);
    EXPECT_EQ(p.m_FilmWidth, 2000.0);
    EXPECT_EQ(p.m_FilmHeight, 1500.0);
    EXPECT_EQ(p.m_SpotWidth, 30.0);
    EXPECT_EQ(p.m_SpotHeight, 30.0);
    EXPECT_EQ(p.m_Saturate, 1.0);
    EXPECT_EQ(p.m_Truncate, 0.01);
    EXPECT_EQ(p.m_Isat, -1.0);
    EXPECT_EQ(p.m_bCrossline, 1);
    EXPECT_EQ(p.m_bShowIndex, 0);
    EXPECT_EQ(p.m_bGrayScale, 1);
    EXPECT_EQ(p.m_bShowSpot000, 1);
    EXPECT_EQ(p.m_SpotColor, 2);
    EXPECT_EQ(p.m_FontColor, 0);
    EXPECT_EQ(p.m_nCalibZoom, 1000);
    EXPECT_EQ(p.m_bZoomCalibrated, 0);
    EXPECT_EQ(p.m_CalibFactor, 1.0);
    EXPECT_EQ(p.m_FontNoScreen, 0);
    EXPECT_EQ(p.m_FontHeightScreen, 32);
    EXPECT_EQ(p.m_FontXoffset, -10);
    EXPECT_EQ(p.m_FontYoffsetScreen, 0);
    EXPECT_EQ(p.m_FontNoPrint, 0);
    EXPECT_EQ(p.m_FontHeightPrint, 32);
    EXPECT_EQ(p.m_FontYoffsetPrint, 3);
    EXPECT_EQ(p.m_FontNoBmp, 0);
    EXPECT_EQ(p.m_FontHeightBmp, 20);
    EXPECT_EQ(p.m_FontXoffsetBmp, -10);
    EXPECT_EQ(p.m_FontYoffsetBmp, 0);
    EXPECT_EQ((std::vector<double>{p.m_Gh, p.m_Gk, p.m_Gl, p.m_Ph, p.m_Pk, p.m_Pl}),
              (std::vector<double>{0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(p.m_RotAroundG, 0.0);
    EXPECT_EQ(p.m_nRotStepIndex, 2);
    EXPECT_EQ(p.m_bFixReflOpen, 0);
    EXPECT_EQ(p.m_AutoStep, 2.0);
    EXPECT_EQ(p.m_AutoInterval, 0.01);
    EXPECT_EQ(p.m_bMajorSpot, 0);
    EXPECT_EQ(p.m_bSecondSpot, 0);
    EXPECT_EQ(p.m_Recip.ax, 1.0);
    EXPECT_EQ(p.m_Recip.by, 1.0);
    EXPECT_EQ(p.m_Recip.cz, 1.0);
}

TEST(ParamsGroupAtoms, AscendingZWithFileOrderInsideEachElement) {
    const std::vector<AtomSite> atoms = {
        {31, 0.0, 0.0, 0.0, 1.0}, {33, 0.25, 0.25, 0.25, 1.0}, {31, 0.0, 0.5, 0.5, 0.9},
        {1, 0.1, 0.2, 0.3, 0.5},  {33, 0.75, 0.75, 0.25, 0.8}, {31, 0.5, 0.0, 0.5, 0.7},
        {0, 0.9, 0.9, 0.9, 1.0},  {93, 0.8, 0.8, 0.8, 1.0},    {92, 0.4, 0.4, 0.4, 1.0},
    };
    const std::vector<ElementGroup> expected = {
        {1, {{0.1, 0.2, 0.3, 0.5}}},
        {31, {{0.0, 0.0, 0.0, 1.0}, {0.0, 0.5, 0.5, 0.9}, {0.5, 0.0, 0.5, 0.7}}},
        {33, {{0.25, 0.25, 0.25, 1.0}, {0.75, 0.75, 0.25, 0.8}}},
        {92, {{0.4, 0.4, 0.4, 1.0}}},
    };
    EXPECT_EQ(GroupAtomsByElement(atoms), expected);
    EXPECT_TRUE(GroupAtomsByElement({}).empty());
}

TEST(ParamsTakeOverCrystal, ReplacesAtomsRegroupsAndRecomputesBasis) {
    CParameterSet p = UsedParameterSet();
    p.m_bGeometrySet = 1;
    p.m_Isat = 50;

    CrystalData crystal;
    crystal.name = "Tetragonal";
    crystal.a = crystal.b = 4.0;
    crystal.c = 8.0;
    crystal.alpha = crystal.beta = crystal.gamma = 90.0;
    crystal.atoms = {{8, 0.5, 0.5, 0.5, 1}, {22, 0, 0, 0, 1}, {8, 0, 0, 0.5, 1}};
    TakeOverCrystal(p, crystal);

    EXPECT_EQ(p.m_strCrystalName, "Tetragonal");
    EXPECT_EQ(p.m_c, 8.0);
    EXPECT_EQ(p.nAtoms(), 3);
    ASSERT_EQ(p.nElements(), 2);
    EXPECT_EQ(p.m_Elements[0].Z, 8);
    EXPECT_EQ(p.m_Elements[0].count(), 2);
    EXPECT_EQ(p.m_Elements[1].Z, 22);
    EXPECT_NEAR(p.m_Recip.ax, 0.25, kRecipTolerance);
    EXPECT_NEAR(p.m_Recip.by, 0.25, kRecipTolerance);
    EXPECT_NEAR(p.m_Recip.cz, 0.125, kRecipTolerance);
    // The take-over alone leaves the flags to its caller (the document reader keeps them).
    EXPECT_EQ(p.m_bGeometrySet, 1);
    EXPECT_EQ(p.m_Isat, 50.0);

    MarkCrystalChanged(p);
    EXPECT_EQ(p.m_bGeometrySet, 0);
    EXPECT_EQ(p.m_Isat, -1.0);

    p.m_Isat = 50;
    MarkGeometryConfirmed(p);
    EXPECT_EQ(p.m_bGeometrySet, 1);
    EXPECT_EQ(p.m_Isat, -1.0);
}

TEST(ParamsReset, StartsANewPatternFromTheDefaultsAndKeepsTheDisplay) {
    CParameterSet p = UsedParameterSet();
    const DocumentDefaults defaults{1, 650.0, 3, 2500.0, 1800.0, 25.0, 0.1};

    ResetParameters(p, defaults);

    EXPECT_EQ(p.m_nZoom, 200);
    EXPECT_EQ(p.m_TransOrBack, 1);
    EXPECT_EQ(p.m_D, 650.0);
    EXPECT_EQ(p.m_RotCrystSeq, 3);
    EXPECT_EQ(p.m_FilmWidth, 2500.0);
    EXPECT_EQ(p.m_FilmHeight, 1800.0);
    EXPECT_EQ(p.m_SpotWidth, 25.0);
    EXPECT_EQ(p.m_SpotHeight, 0.1);
    EXPECT_EQ((std::vector<double>{p.m_Rot1, p.m_Rot2, p.m_Rot3, p.m_Tilt, p.m_ShiftX, p.m_ShiftY}),
              (std::vector<double>(6, 0.0)));
    EXPECT_EQ(p.m_bTiltX, 0);
    EXPECT_EQ(p.m_Saturate, 1.0);
    EXPECT_EQ(p.m_Truncate, 0.01);
    EXPECT_EQ(p.m_Isat, -1.0);
    EXPECT_EQ(p.m_bGeometrySet, 0);
    EXPECT_EQ(p.nSpectrum(), 0);
    EXPECT_TRUE(p.m_Wavelength.empty());
    EXPECT_TRUE(p.m_Intensity.empty());
    EXPECT_EQ(p.m_strSpectrumName, "");
    EXPECT_EQ(p.m_strSpectrumFile, "");
    EXPECT_EQ(p.nAtoms(), 0);
    EXPECT_EQ(p.nElements(), 0);
    EXPECT_EQ((std::vector<double>{p.m_Recip.ax, p.m_Recip.ay, p.m_Recip.az, p.m_Recip.by,
                                   p.m_Recip.bz, p.m_Recip.cz}),
              (std::vector<double>{1, 0, 0, 1, 0, 1}));
    EXPECT_EQ(CanSimulate(p), SimulateBlock::NoSpectrum);

    // Display switches, the screen calibration, the fonts and the tool values survive.
    EXPECT_EQ(p.m_bShowIndex, 1);
    EXPECT_EQ(p.m_bGrayScale, 0);
    EXPECT_EQ(p.m_SpotColor, 1);
    EXPECT_EQ(p.m_nCalibZoom, 950);
    EXPECT_EQ(p.m_bZoomCalibrated, 1);
    EXPECT_EQ(p.m_CalibFactor, 1000.0 / 950);
    EXPECT_EQ(p.m_FontHeightScreen, 44);
    EXPECT_EQ(p.m_Gl, 3.0);
}

TEST(ParamsCanSimulate, ReportsTheFirstMissingInputInOrder) {
    struct Case {
        const char* label;
        int wavelengths;
        int intensities;
        int atoms;
        int geometrySet;
        SimulateBlock block;
        const char* text;
    };
    const Case cases[] = {
        {"nothing at all", 0, 0, 0, 0, SimulateBlock::NoSpectrum, "Please import a spectrum."},
        {"one sample is no spectrum", 1, 1, 1, 1, SimulateBlock::NoSpectrum,
         "Please import a spectrum."},
        {"arrays out of step count as the shorter", 5, 1, 1, 1, SimulateBlock::NoSpectrum,
         "Please import a spectrum."},
        {"spectrum but no crystal", 2, 2, 0, 1, SimulateBlock::NoCrystal,
         "Please import a Crystal Structure."},
        {"crystal but no geometry", 2, 2, 1, 0, SimulateBlock::NoGeometry,
         "Please Set Diffraction Geometry."},
        {"ready", 2, 2, 1, 1, SimulateBlock::None, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        CParameterSet p;
        p.m_Wavelength.assign(c.wavelengths, 1.0);
        p.m_Intensity.assign(c.intensities, 1.0);
        p.m_Atoms.assign(c.atoms, AtomSite{14, 0, 0, 0, 1});
        p.m_bGeometrySet = c.geometrySet;

        const SimulateBlock block = CanSimulate(p);
        EXPECT_EQ(block, c.block);
        const Message message = SimulateBlockMessage(block);
        EXPECT_EQ(message.text, c.text);
        if (block != SimulateBlock::None) {
            EXPECT_EQ(message.icon, MsgIcon::Exclamation);
            EXPECT_EQ(message.buttons, MsgButtons::Ok);
            EXPECT_EQ(message.caption, "");
        }
    }
}

TEST(ParamsZoomCalibration, UnusableLengthsLeaveTheScreenUncalibrated) {
    CParameterSet p;
    SetZoomCalibration(p, 950);
    EXPECT_EQ(p.m_nCalibZoom, 950);
    EXPECT_EQ(p.m_bZoomCalibrated, 1);
    EXPECT_EQ(p.m_CalibFactor, 1000.0 / 950);

    for (const int length : {0, -1, -250}) {
        SCOPED_TRACE(length);
        SetZoomCalibration(p, 950);
        SetZoomCalibration(p, length);
        EXPECT_EQ(p.m_nCalibZoom, 1000);
        EXPECT_EQ(p.m_bZoomCalibrated, 0);
        EXPECT_EQ(p.m_CalibFactor, 1.0);
    }
}

} // namespace
} // namespace xelmor
