// The maths and texts of the small calculators: the angle between two lattice planes with the
// indices of their cross product, the unit converter's chains, and the index font values.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "structfile/message.h"
#include "xelmor/core/lattice.h"

namespace xelmor {

class CParameterSet;

// ---- Angle between two lattice planes ----

// The label at the top of the angle calculator: the cubic text while no crystal is loaded (the
// reciprocal basis is then the unit vectors), else the current-structure text.
inline constexpr std::string_view kCubicStructureLabel = "For Cubic Structure (e.g. Si)    ";
inline constexpr std::string_view kCurrentStructureLabel = "For current structure";
std::string_view AngleCalculatorLabel(bool noCrystal);

// The six indices H1 K1 L1 H2 K2 L2 the calculator opens with: the surface plane and the
// horizontal orientation once a geometry is set, else (0 0 1) and (1 0 0).
std::array<double, 6> AngleStartIndices(const CParameterSet& p);

// Which row a zero-index message belongs to.
enum class AngleRow { None, First, Second };

// One press of "Calculate".
struct AngleCalculation {
    std::array<std::string, 6> indexTexts; // the indices as read, written back at 8 decimals
    AngleRow zeroRow = AngleRow::None;     // a row of zeros: nothing else is computed
    Message message;                       // the zero-row message, if any
    double angleDeg = 0.0;
    Vec3 cross{};                // G1 x G2 in the Cartesian crystal frame
    std::array<double, 3> hkl{}; // the cross product in the reciprocal basis, scaled
    std::string angleText;       // degrees at 8 decimals
    std::array<std::string, 3> hklTexts;
};

// Reads the six typed indices as atof does, writes each back at 8 decimals, refuses a row of
// zeros (the first row before the second), and computes the angle between the plane normals
// G1 and G2 and the indices of G1 x G2 divided by their largest magnitude.
AngleCalculation CalculateAngle(const ReciprocalBasis& rb, const std::array<std::string, 6>& typed);

// The text of one cross-product index: "%.12g", or "0    (" + that text + ")" for a magnitude
// above 0 and below 1e-10. A negative zero is shown as "0".
std::string CrossIndexText(double value);

// ---- Unit converter ----

enum class AngleUnit { ArcSecond = 0, Degree = 1, MicroRadian = 2 };

// One angle in the converter's three units.
struct AngleUnits {
    double arcSeconds = 0.0, degrees = 0.0, microRadians = 0.0;
};

// The angle `value` given in unit `from` in all three units.
AngleUnits ConvertAngle(AngleUnit from, double value);

// The text a converted value is shown with: the number formatter at 8 decimals.
std::string ConvertedText(double value);

// The partner of a wavelength (Angstrom) or a photon energy (keV), as the converter shows it:
// 12.3984244 / value at 8 decimals, or an empty text when the value is not greater than 0.
std::string BeamPartnerText(double value);

// ---- Index font dialog ----

// Whether the screen height can be chosen for a screen font index: only the two scalable
// faces (0 "Arial Narrow", 1 "Times New Roman"); the system font has a fixed size.
inline bool ScreenFontHasHeight(int fontNo) {
    return fontNo == 0 || fontNo == 1;
}

} // namespace xelmor
