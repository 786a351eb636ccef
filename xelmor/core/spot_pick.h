// Picking a spot with the pointer: the conversion of a logical view point to film
// coordinates, the hit rectangle of a spot, the hit test, and the panel texts of a picked spot.
#pragma once

#include "xelmor/core/spot.h"
#include "xelmor/core/view_mapping.h"

#include <string>
#include <vector>

namespace xelmor {

// A point of the film in 0.1 mm, detector coordinates (y up), not rounded.
struct FilmPoint {
    double x = 0.0, y = 0.0;

    bool operator==(const FilmPoint&) const = default;
};

// The film point under logical point p: X = (x - W/2) / s + Sx, Y = (y + H/2) / s + Sy.
FilmPoint LogicalToFilm(const ViewFrame& frame, LogicalPoint p);

// The rectangle in which a click picks `spot`: the spot rectangle centred on the detector
// origin without the film shift, moved by (int((x - Sx) s), int((y - Sy) s)), with its edges
// ordered so that left <= right and bottom <= top.
LogicalRect SpotHitRect(const ViewFrame& frame, double spotWidth, double spotHeight,
                        const CDot& spot);

// Whether p lies in r: left <= x < right and bottom <= y < top.
bool HitRectContains(const LogicalRect& r, LogicalPoint p);

// The index of the first spot (the strongest, drawn on top) whose hit rectangle contains p,
// or -1 when the point misses every spot.
int HitSpot(const std::vector<CDot>& spots, const ViewFrame& frame, double spotWidth,
            double spotHeight, LogicalPoint p);

// The panel's Reflection text of a spot: "%d, %d, %d" of its lowest kept order.
std::string SpotReflectionText(const CDot& spot);

// The panel's Wavelength text of a spot: the wavelength of its lowest kept order with at most
// 4 decimals, then " A".
std::string SpotWavelengthText(const CDot& spot);

} // namespace xelmor
