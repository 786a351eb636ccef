// The parameter set (every input of a simulation and the display and tool values shared by the
// panel, the document, the view and the tools), its crystal and spectrum take-over and reset,
// and the preconditions of a simulation run.
#pragma once

#include "structfile/atom_site.h"
#include "structfile/message.h"
#include "xelmor/core/lattice.h"

#include <string>
#include <vector>

namespace xelmor {

// Start values that are also the defaults of the stored settings: the settings readers fall
// back to these, so each number is written here only.
inline constexpr int kStartTransOrBack = 0;        // forward (transmission) geometry
inline constexpr double kStartD = 500.0;           // imaging distance, 0.1 mm (50 mm)
inline constexpr int kStartRotCrystSeq = 0;        // "YXZ"
inline constexpr double kStartFilmWidth = 2000.0;  // 0.1 mm (200 mm)
inline constexpr double kStartFilmHeight = 1500.0; // 0.1 mm (150 mm)
inline constexpr double kStartSpotWidth = 30.0;    // 0.1 mm (3 mm)
inline constexpr double kStartSpotHeight = 30.0;
inline constexpr int kStartFontNoScreen = 0; // 0 Arial Narrow, 1 Times New Roman, 2 system font
inline constexpr int kStartFontHeightScreen = 32; // 0.1 mm
inline constexpr int kStartFontXoffset = -10;     // 0.1 mm
inline constexpr int kStartFontYoffsetScreen = 0; // 0.1 mm
inline constexpr int kStartFontNoPrint = 0;       // 0 Arial Narrow, 1 Times New Roman
inline constexpr int kStartFontHeightPrint = 32;  // 0.1 mm
inline constexpr int kStartFontYoffsetPrint = 3;  // 0.1 mm
inline constexpr int kStartFontNoBmp = 0;         // 0 Arial Narrow, 1 Times New Roman
inline constexpr int kStartFontHeightBmp = 20;    // pixels
inline constexpr int kStartFontXoffsetBmp = -10;  // pixels
inline constexpr int kStartFontYoffsetBmp = 0;    // pixels

// The zoom calibration of a screen that was never calibrated: the nominal 100 mm bar is taken
// as 1000 units long, so 100 % zoom uses the nominal screen size.
inline constexpr int kUncalibratedZoom = 1000;

// Zoom in percent that every reset of a pattern starts with.
inline constexpr int kResetZoom = 200;

// One atom position of an element group.
struct Position {
    double x = 0.0, y = 0.0, z = 0.0; // fractional coordinates
    double occupancy = 1.0;

    bool operator==(const Position&) const = default;
};

// The atoms of one element, in the order of the structure file.
struct ElementGroup {
    int Z = 0;
    std::vector<Position> positions;

    int count() const { return static_cast<int>(positions.size()); }

    bool operator==(const ElementGroup&) const = default;
};

// Regroups atoms by element: one group for every Z from 1 to 92 that has at least one atom, in
// ascending Z, each holding that element's atoms in file order. Atoms with a Z outside 1..92
// belong to no group.
std::vector<ElementGroup> GroupAtomsByElement(const std::vector<AtomSite>& atoms);

// A crystal as the crystal dialog or a pattern document hands it over.
struct CrystalData {
    std::string name;
    double a = 0.0, b = 0.0, c = 0.0;            // Angstrom
    double alpha = 0.0, beta = 0.0, gamma = 0.0; // degrees
    std::vector<AtomSite> atoms;                 // file order
};

// Every input of a simulation and the display and tool values that go with it. Lengths are in
// 0.1 mm, angles in degrees, wavelengths in Angstrom. One object is shared by every part of the
// program.
class CParameterSet {
public:
    // Crystal.
    std::string m_strCrystalName;
    double m_a = 0.0, m_b = 0.0, m_c = 0.0;            // Angstrom
    double m_alpha = 0.0, m_beta = 0.0, m_gamma = 0.0; // degrees
    std::vector<AtomSite> m_Atoms;                     // file order
    std::vector<ElementGroup> m_Elements;              // rebuilt from m_Atoms, ascending Z
    // Reciprocal basis of the current cell; the unit vectors while no cell is set.
    ReciprocalBasis m_Recip;

    // Number of atoms in the cell; 0 means that no crystal is loaded.
    int nAtoms() const { return static_cast<int>(m_Atoms.size()); }
    int nElements() const { return static_cast<int>(m_Elements.size()); }

    // Spectrum. The two arrays run in step; m_Wavelength is strictly ascending.
    std::string m_strSpectrumName;
    std::string m_strSpectrumFile;    // empty after a document load
    std::vector<double> m_Wavelength; // Angstrom
    std::vector<double> m_Intensity;

    // Number of samples (of the shorter array, should they ever differ); fewer than 2 means
    // that no spectrum is loaded.
    int nSpectrum() const {
        return static_cast<int>(m_Wavelength.size() < m_Intensity.size() ? m_Wavelength.size()
                                                                         : m_Intensity.size());
    }

    // Diffraction geometry.
    int m_bGeometrySet = 0;                 // 1 once confirmed in the dialog or read from a file
    int m_TransOrBack = kStartTransOrBack;  // 0 transmission, 1 back reflection
    double m_D = kStartD;                   // crystal to film along the film normal, 0.1 mm
    double m_H = 0.0, m_K = 0.0, m_L = 0.0; // surface plane, its normal faces the beam
    double m_h = 0.0, m_k = 0.0, m_l = 0.0; // horizontal direction toward the viewer
    int m_Hmax = 0, m_Kmax = 0, m_Lmax = 0; // index ranges

    // Crystal rotation.
    int m_RotCrystSeq = kStartRotCrystSeq;           // 0 YXZ, 1 YZX, 2 XYZ, 3 XZY, 4 ZXY, 5 ZYX
    double m_Rot1 = 0.0, m_Rot2 = 0.0, m_Rot3 = 0.0; // each in the open interval -360..360

    // Detector.
    double m_Tilt = 0.0; // about the film's own x axis
    int m_bTiltX = 0;    // legacy flag, always 0 in use
    double m_ShiftX = 0.0, m_ShiftY = 0.0;
    double m_FilmWidth = kStartFilmWidth, m_FilmHeight = kStartFilmHeight;
    double m_SpotWidth = kStartSpotWidth, m_SpotHeight = kStartSpotHeight;

    // Intensity scale.
    double m_Saturate = 1.0;  // fraction of m_Imax
    double m_Truncate = 0.01; // fraction of m_Imax
    double m_Isat = -1.0;     // absolute saturation; <= 0: the pattern is not normalised yet
    double m_Itrunc = 0.0;    // absolute truncation intensity
    double m_Imax = 0.0;      // strongest spot of the last run

    // Display.
    int m_nZoom = kResetZoom; // percent
    int m_bCrossline = 1;
    int m_bShowIndex = 0;
    int m_bGrayScale = 1; // 0 draws every spot dark
    int m_bShowSpot000 = 1;
    int m_SpotColor = 2; // 0 black, 1 blue, 2 red
    int m_FontColor = 0; // 0 black, 1 blue, 2 red, 3 white

    // Zoom calibration of the screen.
    int m_nCalibZoom = kUncalibratedZoom; // measured length of the 100 mm bar, 0.1 mm
    int m_bZoomCalibrated = 0;
    double m_CalibFactor = 1.0; // 1000 / m_nCalibZoom once calibrated

    // Index labels on screen, in print and in exported images.
    int m_FontNoScreen = kStartFontNoScreen;
    int m_FontHeightScreen = kStartFontHeightScreen;
    int m_FontXoffset = kStartFontXoffset;
    int m_FontYoffsetScreen = kStartFontYoffsetScreen;
    int m_FontNoPrint = kStartFontNoPrint;
    int m_FontHeightPrint = kStartFontHeightPrint;
    int m_FontYoffsetPrint = kStartFontYoffsetPrint;
    int m_FontNoBmp = kStartFontNoBmp;
    int m_FontHeightBmp = kStartFontHeightBmp;
    int m_FontXoffsetBmp = kStartFontXoffsetBmp;
    int m_FontYoffsetBmp = kStartFontYoffsetBmp;

    // Rotation around a fixed reflection G.
    double m_Gh = 0.0, m_Gk = 0.0, m_Gl = 1.0;
    double m_Ph = 1.0, m_Pk = 0.0, m_Pl = 0.0; // reference direction perpendicular to G
    double m_RotAroundG = 0.0;                 // degrees
    int m_nRotStepIndex = 2;                   // step index 2 is 2 degrees
    int m_bFixReflOpen = 0;
    double m_AutoStep = 2.0;      // degrees
    double m_AutoInterval = 0.01; // seconds

    // Look-up-table spot markers, film frame, 0.1 mm.
    double m_MajorX = 0.0, m_MajorY = 0.0;
    double m_SecondX = 0.0, m_SecondY = 0.0;
    int m_bMajorSpot = 0;
    int m_bSecondSpot = 0;
};

// Takes a crystal over: name, cell and atoms replace the old ones, the atoms are regrouped by
// element and the reciprocal basis is recomputed from the cell. The flags are left alone: the
// crystal dialog follows with MarkCrystalChanged, the document reader sets the geometry as set.
void TakeOverCrystal(CParameterSet& p, CrystalData crystal);

// What taking over a crystal in the crystal dialog does to the state: the geometry must be set
// again and the next run normalises.
void MarkCrystalChanged(CParameterSet& p);

// What confirming the geometry dialog does to the state: the geometry is set and the next run
// normalises.
void MarkGeometryConfirmed(CParameterSet& p);

// Frees the atoms and the element groups (name and cell stay as they are).
void FreeCrystal(CParameterSet& p);

// Frees the spectrum samples and empties its name and file path.
void FreeSpectrum(CParameterSet& p);

// Takes the zoom calibration over: the measured length of the 100 mm bar in 0.1 mm. A length
// of 0 or less cannot give a scale (1000 / length would be infinite or negative) and leaves
// the screen uncalibrated.
void SetZoomCalibration(CParameterSet& p, int calibZoom);

// The screen as never calibrated: length 1000, flag 0, factor 1.0.
void ClearZoomCalibration(CParameterSet& p);

// The stored defaults a new pattern starts from (lengths in 0.1 mm).
struct DocumentDefaults {
    int transOrBack = kStartTransOrBack;
    double D = kStartD;
    int rotCrystSeq = kStartRotCrystSeq;
    double filmWidth = kStartFilmWidth, filmHeight = kStartFilmHeight;
    double spotWidth = kStartSpotWidth, spotHeight = kStartSpotHeight;

    bool operator==(const DocumentDefaults&) const = default;
};

// Brings the parameter set to the start of a new pattern: zoom 200, geometry kind, distance,
// rotation sequence, film and spot sizes from the defaults, angles, tilt and shifts 0, the
// tilt-axis flag 0, levels 100 % and 1 %, not normalised, no geometry, no spectrum, no crystal
// and the unit reciprocal basis. Loading the default spectrum is left to the caller.
void ResetParameters(CParameterSet& p, const DocumentDefaults& defaults);

// Why a simulation cannot run, checked in this order.
enum class SimulateBlock { None, NoSpectrum, NoCrystal, NoGeometry };

// The first missing input of a run: a spectrum of at least 2 samples, at least one atom, a
// confirmed geometry.
SimulateBlock CanSimulate(const CParameterSet& p);

// The warning shown for a missing input (exclamation icon, OK button); an empty message for
// SimulateBlock::None. The Crystal and Geometry buttons show the same texts.
Message SimulateBlockMessage(SimulateBlock block);

} // namespace xelmor
