// The spot record of a simulated pattern (CDot) and its harmonic orders.
#pragma once

#include <vector>

namespace xelmor {

// One kept order n of a reflection family: the reflection (n h, n k, n l) diffracting at the
// wavelength lambda / n of its spot.
struct Harmonic {
    int n = 1;
    double F2 = 0.0;        // squared modulus of the structure factor
    double intensity = 0.0; // arbitrary units

    bool operator==(const Harmonic&) const = default;
};

// One spot of a pattern: the reduced reflection (h k l), where its beam meets the film, and the
// harmonic orders that make it up. Lengths in 0.1 mm, wavelength and spacing in Angstrom.
struct CDot {
    int h = 0, k = 0, l = 0; // reduced indices: no common factor
    double x = 0.0;          // film position in detector coordinates, 0.1 mm, y up
    double y = 0.0;
    double lambda = 0.0;             // wavelength of the order n = 1
    double intensity = 0.0;          // sum over the kept harmonics
    double d = 0.0;                  // interplanar spacing of (h k l)
    std::vector<Harmonic> harmonics; // the kept orders, ascending n

    // Number of kept orders; a spot of a finished run has at least one.
    int nHarmonics() const { return static_cast<int>(harmonics.size()); }

    bool operator==(const CDot&) const = default;
};

} // namespace xelmor
