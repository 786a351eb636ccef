// The diffraction geometry as the geometry dialog edits it: its defaults for a new crystal and
// the checks that OK runs, with the corrected horizontal direction it proposes.
#pragma once

#include <string>

#include "structfile/message.h"
#include "xelmor/core/lattice.h"

namespace xelmor {

// The values of the geometry dialog. D is in mm as the dialog shows it (the parameter set holds
// ten times that).
struct GeometryValues {
    int transOrBack = 0;
    double D = 50;
    double H = 0, K = 0, L = 1; // surface plane facing the beam
    double h = 1, k = 0, l = 0; // horizontal direction facing the viewer
    int Hmax = 0, Kmax = 0, Lmax = 0;
};

// The index limit proposed for a lattice constant in Angstrom: trunc(3 a + 0.5).
int DefaultIndexLimit(double latticeConstant);

// The control a failed check moves the focus to.
enum class GeometryField { None, D, H, K, L, h, k, l, Hmax };

// Outcome of the OK checks.
struct GeometryCheck {
    enum Kind {
        Accepted,   // the values may be taken over
        Refused,    // `message` names the fault, `focus` the control
        Correction, // (h k l) is not perpendicular: `message` asks to accept `corrected`
    } kind = Accepted;
    Message message;
    GeometryField focus = GeometryField::None;
    double hc = 0, kc = 0, lc = 0; // the proposed (h k l) when kind is Correction
};

// Runs the OK checks in order: distance, index bounds, non-zero planes and limits, and the
// perpendicularity of (h k l) to (H K L) in the crystal's reciprocal basis (1e-7), proposing a
// corrected (h k l) when they are not perpendicular. The index limits are taken as they are
// (the dialog's integer fields keep them within 0..999).
GeometryCheck CheckGeometry(const ReciprocalBasis& rb, const GeometryValues& values);

} // namespace xelmor
