#include "xelmor/core/panel_rules.h"

#include "structfile/number_format.h"
#include "xelmor/core/step_math.h"

#include <cmath>

namespace xelmor {

namespace {

constexpr double kLengthUnitsPerMm = 10.0; // lengths are stored in 0.1 mm
constexpr double kMinSaturate = 0.001;     // 0.1 %
constexpr double kMinTruncate = 1e-5;      // 0.001 %

// Reads a level box: its percentage as a fraction, `floor` when that is 0 or less. A number
// too large for a double reads as the text "inf" does, as no number: an infinite level would
// hide every spot and be stored as a text that no pattern file reads back.
double LevelOf(std::string_view text, double floor) {
    const double level = ParseDouble(text) / 100.0;
    return level <= 0.0 || !std::isfinite(level) ? floor : level;
}

} // namespace

std::string PanelNumber(double value) {
    return FormatNumber(value, kPanelDecimals);
}

std::string ZoomText(int zoom) {
    return std::to_string(zoom) + "%";
}

std::string PercentText(double fraction) {
    return PanelNumber(fraction * 100.0) + "%";
}

ZoomValue ReadZoom(std::string_view text) {
    // Rounded to the nearest integer and clamped while still a double, so that no typed number
    // can overflow the integer.
    const double rounded = text.empty() ? kMinZoom : std::trunc(ParseDouble(text) + 0.5);
    ZoomValue z;
    z.zoom = static_cast<int>(ClampValue(rounded, kMinZoom, kMaxZoom));
    z.text = ZoomText(z.zoom);
    return z;
}

int ZoomOfListEntry(std::string_view entry) {
    return ParseInt(entry);
}

double NormaliseAngle(double degrees) {
    return degrees >= 360.0 || degrees <= -360.0 ? 0.0 : degrees;
}

PanelValue ReadAngle(std::string_view text) {
    const EditUpdate read = ReadThroughPair(text, kAngleLimits.minimum, kAngleLimits.maximum);
    const double angle = NormaliseAngle(read.value);
    if (angle != read.value)
        return {angle, "0"};
    return {angle, read.text};
}

PanelValue ReadTilt(std::string_view text) {
    const EditUpdate read = ReadThroughPair(text, kAngleLimits.minimum, kAngleLimits.maximum);
    return {read.value, read.text};
}

PanelValue ReadDistance(std::string_view text) {
    const EditUpdate read = ReadThroughPair(text, kDistanceLimits.minimum, kDistanceLimits.maximum);
    return {read.value * kLengthUnitsPerMm, read.text};
}

PanelValue ReadShift(std::string_view text) {
    const EditUpdate read = ReadThroughPair(text, kShiftLimits.minimum, kShiftLimits.maximum);
    return {read.value * kLengthUnitsPerMm, read.text};
}

LevelValues ReadLevels(double isat, double truncate, std::string_view saturateText,
                       std::string_view truncateText) {
    LevelValues l;
    if (isat <= 0.0) {
        l.saturate = 1.0;
        l.truncate = truncate;
        l.saturateText = "100%";
        l.truncateText = "1%";
        return l;
    }
    l.saturate = LevelOf(saturateText, kMinSaturate);
    l.truncate = LevelOf(truncateText, kMinTruncate);
    if (!(l.truncate < l.saturate))
        l.truncate = l.saturate / 10.0;
    l.saturateText = PercentText(l.saturate);
    l.truncateText = PercentText(l.truncate);
    return l;
}

PanelReading ReadPanel(CParameterSet& p, const PanelTexts& texts) {
    PanelReading r;
    const ZoomValue zoom = ReadZoom(texts.zoom);
    r.zoomChanged = zoom.zoom != p.m_nZoom;
    p.m_nZoom = zoom.zoom;
    r.texts.zoom = zoom.text;

    const PanelValue d = ReadDistance(texts.distance);
    p.m_D = d.value;
    r.texts.distance = d.text;

    double* const rot[3] = {&p.m_Rot1, &p.m_Rot2, &p.m_Rot3};
    for (int i = 0; i < 3; ++i) {
        const PanelValue angle = ReadAngle(texts.rot[i]);
        *rot[i] = angle.value;
        r.texts.rot[i] = angle.text;
    }

    const PanelValue tilt = ReadTilt(texts.tilt);
    p.m_Tilt = tilt.value;
    r.texts.tilt = tilt.text;

    const PanelValue shiftY = ReadShift(texts.shiftY);
    p.m_ShiftY = shiftY.value;
    r.texts.shiftY = shiftY.text;
    const PanelValue shiftX = ReadShift(texts.shiftX);
    p.m_ShiftX = shiftX.value;
    r.texts.shiftX = shiftX.text;

    const LevelValues levels = ReadLevels(p.m_Isat, p.m_Truncate, texts.saturate, texts.truncate);
    p.m_Saturate = levels.saturate;
    p.m_Truncate = levels.truncate;
    r.texts.saturate = levels.saturateText;
    r.texts.truncate = levels.truncateText;
    return r;
}

PanelTexts PanelTextsOf(const CParameterSet& p) {
    PanelTexts t;
    t.zoom = ZoomText(p.m_nZoom);
    t.distance = PanelNumber(p.m_D / kLengthUnitsPerMm);
    t.rot = {PanelNumber(p.m_Rot1), PanelNumber(p.m_Rot2), PanelNumber(p.m_Rot3)};
    t.tilt = PanelNumber(p.m_Tilt);
    t.shiftY = PanelNumber(p.m_ShiftY / kLengthUnitsPerMm);
    t.shiftX = PanelNumber(p.m_ShiftX / kLengthUnitsPerMm);
    t.saturate = PercentText(p.m_Saturate);
    t.truncate = PercentText(p.m_Truncate);
    return t;
}

void ZeroAnglesAndShifts(PanelTexts& texts) {
    for (std::string& angle : texts.rot)
        angle = "0";
    texts.tilt = "0";
    texts.shiftY = "0";
    texts.shiftX = "0";
}

double IncreaseSpotSize(double size) {
    double next;
    if (size < 1.0)
        next = 1.0;
    else if (size < 5.0)
        next = 5.0;
    else if (size < 10.0)
        next = 10.0;
    else if (size < 15.0)
        next = 15.0;
    else if (size < 20.0)
        next = 20.0;
    else
        next = size + 10.0;
    return ClampValue(next, kMinSpotSize, kMaxSpotSize);
}

double ReduceSpotSize(double size) {
    double next;
    if (size <= 1.0)
        next = 0.1;
    else if (size <= 5.0)
        next = 1.0;
    else if (size <= 10.0)
        next = 5.0;
    else if (size <= 15.0)
        next = 10.0;
    else if (size <= 20.0)
        next = 15.0;
    else
        next = size - 10.0;
    return ClampValue(next, kMinSpotSize, kMaxSpotSize);
}

std::array<const char*, 3> RotationAxisLabels(int rotCrystSeq) {
    switch (rotCrystSeq) {
    case 0:
        return {"around Y", "around X", "around Z"};
    case 1:
        return {"around Y", "around Z", "around X"};
    case 2:
        return {"around X", "around Y", "around Z"};
    case 3:
        return {"around X", "around Z", "around Y"};
    case 4:
        return {"around Z", "around X", "around Y"};
    default:
        return {"around Z", "around Y", "around X"};
    }
}

DetectorLabels DetectorLabelsFor(int bTiltX) {
    if (bTiltX)
        return {"Tilt Axis x:", "Shift x:", "Shift y:"};
    return {"Tilt Axis y:", "Shift y:", "Shift x:"};
}

} // namespace xelmor
