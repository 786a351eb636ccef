// Picking a spot with the pointer: the conversion of a logical view point to film
// coordinates, the hit rectangle of a spot, the hit test, and the panel texts of a picked spot.
#pragma once

#include "structfile/message.h"
#include "xelmor/core/spot.h"
#include "xelmor/core/view_mapping.h"

#include <string>
#include <string_view>
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

// Whether a logical point lies on the film itself rather than in the grey margin around it:
// 30 <= x <= W - 30 and 30 - H <= y <= -30.
bool OnFilm(const ViewFrame& frame, LogicalPoint p);

// A marked film point (0.1 mm) as the look-up table's position edits show it: "x, y" in mm,
// at most 5 decimals each.
std::string MarkerPositionText(double x, double y);
// The greyed position item of the view's pop-up menu: "(x, y) mm", at most 8 decimals each.
std::string MarkerMenuText(double x, double y);

// The reflection typed into the panel's Reflection box.
struct ReflectionQuery {
    int h = 0, k = 0, l = 0;

    bool operator==(const ReflectionQuery&) const = default;
};

// Reads the typed text as the structure files' lines are read: a comment from "!" or "#" on
// is dropped, commas and tabs separate like blanks, and the three tokens are read as integers
// (a missing or non-numeric token gives 0).
ReflectionQuery ParseReflectionQuery(std::string_view text);

// Where a reflection was found: the spot and the position of the matching order in its kept
// harmonics. spot is -1 when no spot has it.
struct ReflectionMatch {
    int spot = -1;
    int harmonic = -1;
};

// The first spot, in list order, with a kept order n such that (h, k, l) = n (h, k, l) of the
// spot; so 2 2 0 finds the spot of 1 1 0 when its second order was kept.
ReflectionMatch FindReflection(const std::vector<CDot>& spots, const ReflectionQuery& q);

// The messages of Find: no pattern yet, nothing typed, and no spot with the reflection.
Message NoPatternYetMessage();
Message EnterReflectionMessage();
Message ReflectionNotFoundMessage(const ReflectionQuery& q);

} // namespace xelmor
