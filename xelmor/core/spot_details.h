// The texts that describe one selected spot: base reflection, Bragg angle, position, wavelength
// and energy, intensities, and one list row per harmonic order.
#pragma once

#include "xelmor/core/spot.h"

#include <array>
#include <string>
#include <vector>

namespace xelmor {

// Photon energy (keV) times wavelength (Angstrom).
inline constexpr double kEnergyTimesWavelength = 12.3984244;

// One column of the harmonics list: header text and width in dialog units.
struct SpotListColumn {
    const char* title;
    int width;
};

// The harmonics list's columns, left to right.
inline constexpr std::array<SpotListColumn, 5> kSpotHarmonicColumns = {{
    {"Harmonics", 66},
    {"Intensity %", 72},
    {"WavLen (A)", 72},
    {"   d (A)", 60},
    {"  | F(hkl) |", 70},
}};

// One row of the harmonics list, a text per column: indices of the order, its share of the
// spot's intensity, its wavelength, its spacing, and the modulus of its structure factor.
using SpotHarmonicRow = std::array<std::string, kSpotHarmonicColumns.size()>;

// Everything the spot-details dialog shows. All texts are empty and there are no rows when no
// spot is shown.
struct SpotDetails {
    std::string baseReflection;    // indices of the lowest kept order, "h k l"
    std::string braggAngle;        // degrees
    std::string position;          // "x = X,  y = Y" in mm
    std::string wavelengthEnergy;  // "L A  /  E KeV" of the lowest kept order
    std::string absoluteIntensity; // the spot's intensity
    std::string relativeIntensity; // percent of the reference intensity, without a "%"
    std::vector<SpotHarmonicRow> harmonics;

    bool operator==(const SpotDetails&) const = default;
};

// The order n of a spot's first kept harmonic, its lowest kept order: the spot is named by the
// reflection (n h, n k, n l). A spot without harmonics counts as order 1.
int LowestKeptOrder(const CDot& spot);

// "%d %d %d" of the indices of order n of the spot's reflection.
std::string OrderIndicesText(const CDot& spot, int n);

// The texts of `spot`, or the cleared texts for nullptr. `reference` is the intensity that
// counts as 100 % for the relative intensity (the saturation level); when it is 0 or less the
// relative intensity is left empty. A value that cannot be computed from the spot (a zero
// intensity, spacing or wavelength) is shown as empty text rather than "inf" or "nan".
SpotDetails MakeSpotDetails(const CDot* spot, double reference);

} // namespace xelmor
