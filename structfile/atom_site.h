// One atom of a unit cell as a structure file lists it.
#pragma once

namespace xelmor {

struct AtomSite {
    int Z = 0;      // atomic number, 1 (H) to 92 (U)
    double x = 0.0; // fractional coordinates
    double y = 0.0;
    double z = 0.0;
    double occupancy = 1.0;

    bool operator==(const AtomSite&) const = default;
};

} // namespace xelmor
