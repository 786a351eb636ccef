// Turning the crystal about a fixed reflection G and stating its orientation in the lab frame:
// the lab triad of the selected point, the perpendicular reference, the orientation for an
// angle about G, the AutoRotate limits, and the three planes perpendicular to the lab axes.
#pragma once

#include <optional>
#include <string>

#include "structfile/message.h"
#include "xelmor/core/film.h"
#include "xelmor/core/lattice.h"

namespace xelmor {

// The lab frame in which the crystal turns: G along the selected point's diffraction vector,
// P perpendicular to G and to the beam (the angle 0), Q = G x P.
struct LabTriad {
    Vec3 G{0, 0, 1}, P{1, 0, 0}, Q{0, 1, 0};
};

enum class TriadStatus {
    Ok,
    Forward,   // the point is the exact forward direction: there is no triad
    ExactBack, // the point is the exact back-reflection direction: the fixed triad z', x', y'
};

struct TriadResult {
    TriadStatus status = TriadStatus::Ok;
    LabTriad triad;
};

// The triad of the film point (x, y), 0.1 mm.
TriadResult FixReflTriad(const FilmGeometry& g, double x, double y);

// The rotation angle about G after one wrap: >= 360 loses 360, <= -360 gains 360.
double WrapRotationAngle(double deg);

// Indices of a plane or direction as real numbers.
struct Hkl {
    double h = 0, k = 0, l = 0;

    bool operator==(const Hkl&) const = default;
    bool IsZero() const { return h == 0 && k == 0 && l == 0; }
};

// The reference direction for G: `perp` ((1 0 0) when all zero), made perpendicular to G by
// changing one index when it is not, and then rounded to 8 decimals when the rounded value is
// still perpendicular. Empty when no perpendicular could be made.
std::optional<Hkl> PerpendicularReference(const ReciprocalBasis& rb, const Hkl& g, const Hkl& perp);

// The surface plane facing the beam and the horizontal direction of the orientation in which
// G diffracts along triad.G and the reference direction lies at `angleDeg` from triad.P about
// triad.G (right-handed); each scaled so that its largest index is +-1.
struct SurfaceAndHorizontal {
    Hkl surface, horizontal;
};
SurfaceAndHorizontal FixReflOrientation(const ReciprocalBasis& rb, const Hkl& g, const Hkl& perp,
                                        const LabTriad& triad, double angleDeg);

// The AutoRotate step (degrees): between -0.01 and 0.01 it becomes 0.01 (0 or positive) or
// -0.01. The interval (seconds): below 0.001 it becomes 0.001.
double ClampAutoStep(double step);
double ClampAutoInterval(double seconds);

// The planes perpendicular to the lab axes z', x' and y' of the orientation O (columns a*, b*,
// c* in the lab), each scaled so that its largest index is +-1 (the sign kept), and whether
// the z' and x' planes are perpendicular to within 1e-7.
struct LabPlanes {
    Hkl z, x, y;
    bool perpendicular = true;
};
LabPlanes LabOrientationPlanes(const Mat3& orient, const ReciprocalBasis& rb);

// The nine numbers as "Copy" puts them on the clipboard: "%g, %g, %g" per plane, z' x' y',
// lines ended by CR LF except the last.
std::string LabPlanesText(const LabPlanes& planes);

// The explanation shown beside the planes.
std::string LabOrientationExplanation();

// The messages of the rotation dialog and of the lab orientation.
Message ExactBackReflectionMessage();
Message HklAllZeroMessage();
Message NotPerpendicularMessage();
Message LabPlanesNotPerpendicularMessage();

} // namespace xelmor
