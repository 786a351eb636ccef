// The control panel's rules without its widgets: how the update cycle reads and corrects the
// zoom, the distance, the angles, the tilt, the shifts and the levels; the texts a parameter set
// shows in the panel; the zoom and level lists; the spot-size ladder; the rotation labels.
#pragma once

#include "xelmor/core/params.h"

#include <array>
#include <string>
#include <string_view>

namespace xelmor {

// Decimals of every number the panel writes.
inline constexpr int kPanelDecimals = 8;

// The limits of a step-button pair, in the unit the edit shows (mm or degrees).
struct PairLimits {
    double minimum;
    double maximum;
};

inline constexpr PairLimits kDistanceLimits{0.001, 100000.0}; // D, mm
inline constexpr PairLimits kAngleLimits{-360.0, 360.0};      // rotations and tilt, degrees
inline constexpr PairLimits kShiftLimits{-10000.0, 10000.0};  // shift x and y, mm
inline constexpr int kDistanceStepIndex = 0;                  // D and the shifts step by 10
inline constexpr int kShiftStepIndex = 0;

// Zoom in percent.
inline constexpr int kMinZoom = 10;
inline constexpr int kMaxZoom = 1000;

// The drop-down lists of the zoom, saturate and truncate boxes, top to bottom.
inline constexpr std::array<const char*, 9> kZoomList = {"1000%", "500%", "400%", "300%", "250%",
                                                         "200%",  "150%", "100%", "50%"};
inline constexpr std::array<const char*, 9> kSaturateList = {"200%", "100%", "75%", "50%", "25%",
                                                             "10%",  "5%",   "1%",  "0.1%"};
inline constexpr std::array<const char*, 8> kTruncateList = {"50%", "25%",  "10%",   "5%",
                                                             "1%",  "0.1%", "0.01%", "0.001%"};

// A number as the panel writes it (at most 8 decimals, no trailing zeros).
std::string PanelNumber(double value);
// A zoom as the panel writes it: "%d%".
std::string ZoomText(int zoom);
// A level (a fraction) as the panel writes it: the percentage followed by "%".
std::string PercentText(double fraction);

// A value read from a panel text and the text the control should show. The control is
// rewritten only when `text` differs from what it holds.
struct PanelValue {
    double value = 0.0;
    std::string text;
};

// The zoom box as the update cycle reads it: the number rounded to the nearest integer, 10 for
// an empty text, clamped to 10..1000, shown as "%d%". The clamp is taken before the conversion
// to an integer, so a huge typed number gives 1000 instead of an undefined conversion.
struct ZoomValue {
    int zoom = kMinZoom;
    std::string text;
};
ZoomValue ReadZoom(std::string_view text);

// The zoom an entry picked from the zoom list sets: the integer at the start of its text
// (no clamp).
int ZoomOfListEntry(std::string_view entry);

// An angle brought into the open interval -360..360: 360 or more and -360 or less become 0.
double NormaliseAngle(double degrees);

// A rotation angle as the update cycle reads it: through its pair (limits -360..360), then
// normalised; the text is "0" when it was normalised.
PanelValue ReadAngle(std::string_view text);
// The tilt: through its pair only (360 and -360 stay).
PanelValue ReadTilt(std::string_view text);
// D or a shift: through its pair, the value in 0.1 mm (the text stays in mm).
PanelValue ReadDistance(std::string_view text);
PanelValue ReadShift(std::string_view text);

// The two levels as the update cycle reads them.
struct LevelValues {
    double saturate = 1.0;
    double truncate = 0.01;
    std::string saturateText;
    std::string truncateText;
};

// Before the first normalisation (`isat` <= 0) the saturation is 100 % and the truncate box
// shows "1%" while the truncation keeps `truncate` (the run that follows rewrites both boxes).
// Afterwards the saturation is the saturate box's percentage (0.1 % when it is 0 or less), the
// truncation the truncate box's (0.001 % when 0 or less, a tenth of the saturation when not
// below it). A percentage too large for a double counts as 0.
LevelValues ReadLevels(double isat, double truncate, std::string_view saturateText,
                       std::string_view truncateText);

// The texts of the panel's controls that the update cycle reads.
struct PanelTexts {
    std::string zoom;
    std::string distance; // mm
    std::array<std::string, 3> rot;
    std::string tilt;
    std::string shiftY; // mm
    std::string shiftX; // mm
    std::string saturate;
    std::string truncate;

    bool operator==(const PanelTexts&) const = default;
};

// What reading the panel gives: the corrected texts and whether the zoom changed (which asks
// the view to recompute its scale).
struct PanelReading {
    PanelTexts texts;
    bool zoomChanged = false;
};

// The update cycle's reading once the preconditions hold: zoom, distance, angles, tilt, shifts
// and levels from the texts into `p`, with every text as the control should then show it.
PanelReading ReadPanel(CParameterSet& p, const PanelTexts& texts);

// The texts a parameter set shows in the panel (lengths in mm).
PanelTexts PanelTextsOf(const CParameterSet& p);

// "Reset parameters to 0" and a failed precondition: the three angles, the tilt and both shifts
// show "0"; distance, zoom and levels stay.
void ZeroAnglesAndShifts(PanelTexts& texts);

// Spot sizes, 0.1 mm.
inline constexpr double kMinSpotSize = 0.1;
inline constexpr double kMaxSpotSize = 200.0;
// "Increase^": up to the next of 1, 5, 10, 15, 20, then by 10, at most 200.
double IncreaseSpotSize(double size);
// "Reduce Spot Size": down to the next of 15, 10, 5, 1, 0.1 from 20 down, else by 10, at least
// 0.1.
double ReduceSpotSize(double size);

// The axis labels of the first, second and third rotation for a rotation sequence (0..5; any
// other gives the labels of 5).
std::array<const char*, 3> RotationAxisLabels(int rotCrystSeq);

// The tilt label ("Tilt Axis y:") and the two shift labels as the controls 1091 and 1090 show
// them; the legacy tilt-axis flag exchanges x and y.
struct DetectorLabels {
    const char* tilt;
    const char* shift1091;
    const char* shift1090;
};
DetectorLabels DetectorLabelsFor(int bTiltX);

} // namespace xelmor
