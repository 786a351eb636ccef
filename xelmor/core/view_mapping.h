// The geometry and colours of the pattern view: film lengths mapped to logical units of 0.1 mm
// of screen (y up, the top-left of the scroll area at (0, 0)), every rectangle, line and point
// the paint routine draws, the spot grey levels, the label faces, and the one mapping from
// logical units to device pixels. Shared by the screen, the image export and the batch
// simulator's images.
#pragma once

#include "structfile/message.h"

#include <array>
#include <string>
#include <string_view>

namespace xelmor {

// int(v) as the drawing code truncates, kept inside a range where sums of a few coordinates
// cannot overflow; NaN gives 0.
int Trunc(double v);

// The grey margin around the film, logical units.
inline constexpr int kFilmMargin = 30;
// How far the grey margins reach at least, logical units (2 m: beyond any window).
inline constexpr int kMarginReach = 20000;
// Width of the pen of the look-up-table markers, logical units (not scaled with the zoom).
inline constexpr int kMarkerPenWidth = 4;
// The direct beam misses the film when either coordinate of spot 000 is this large.
inline constexpr double kSpot000Missing = 1e8;

// A rectangle in logical units, y up: `top` is the upper edge, so top > bottom for a rectangle
// of positive height. As in GDI, the right and the bottom edge do not belong to it.
struct LogicalRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    bool operator==(const LogicalRect&) const = default;
};

struct LogicalPoint {
    int x = 0, y = 0;

    bool operator==(const LogicalPoint&) const = default;
};

struct LogicalLine {
    LogicalPoint from, to;

    bool operator==(const LogicalLine&) const = default;
};

struct Rgb {
    int r = 0, g = 0, b = 0;

    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kFilmRgb{255, 255, 255};
inline constexpr Rgb kCrosslineRgb{0, 255, 255};
inline constexpr Rgb kSpot000Rgb{0, 128, 0};
inline constexpr Rgb kMarginRgb{200, 200, 200};

// Where the view stands: the scale, the scroll extent and the film shift of the last run.
struct ViewFrame {
    double scale = 1.0;            // logical units per 0.1 mm of film
    int width = 0, height = 0;     // scroll extent W, H, logical units
    double shiftX = 0, shiftY = 0; // film shift at the last run, 0.1 mm
};

// Logical units per 0.1 mm of film: zoom / 100 x calibration factor.
double ViewScale(int zoomPercent, double calibFactor);

// The scroll extent of the film plus its margins: width int(s x film width) + 60 and height
// int(s x film height) + 60. Returned as a frame without shift.
ViewFrame ViewExtent(double scale, double filmWidth, double filmHeight);

// The film: left 30, top -30, right W - 30, bottom 30 - H.
LogicalRect FilmRect(int width, int height);

// The spot rectangle centred on the detector origin (film point 0, 0), each edge truncated
// toward zero on its own.
LogicalRect BaseSpotRect(const ViewFrame& frame, double spotWidth, double spotHeight);

// The base rectangle moved to film point (x, y) by (int(s x), int(s y)).
LogicalRect SpotRectAt(const LogicalRect& base, double scale, double x, double y);

// The point of a look-up-table marker at film point (x, y): 0.5 added to each coordinate, then
// truncated toward zero.
LogicalPoint MarkerPoint(const ViewFrame& frame, double x, double y);

// The two crosslines through the detector origin, across the film: horizontal, then vertical.
std::array<LogicalLine, 2> Crosslines(const ViewFrame& frame);

// Pen widths in logical units: the crosslines max(1, int(1.5 s)), the selection frame
// max(4, int(1.5 s)).
int CrosslinePenWidth(double scale);
int SelectionPenWidth(double scale);

// The rectangle of the recorded image of (width, height) 0.1 mm, centred on the view (not on
// the detector origin, and not moved by the film shift).
LogicalRect BackImageRect(const ViewFrame& frame, double width, double height);

// The four grey margins that cover labels running past the film edge: left, top, bottom,
// right. They reach at least kMarginReach, and always past the scroll extent, so that a film
// zoomed beyond 2 m keeps its right and bottom margin.
std::array<LogicalRect, 4> MarginRects(int width, int height);

// The film border, a closed line through the film's four corners.
std::array<LogicalPoint, 5> FilmBorder(int width, int height);

// The selection frame: left-top, right-top, right-bottom, left-bottom, back to left-top.
std::array<LogicalPoint, 5> RectOutline(const LogicalRect& r);

// The Major spot's plus sign at p: a horizontal arm from x - 28 to x + 26 and a vertical arm
// from y - 27 to y + 27.
std::array<LogicalLine, 2> PlusMarker(LogicalPoint p);
// The 2nd spot's cross at p: the two diagonals of the square of half-width 22.
std::array<LogicalLine, 2> CrossMarker(LogicalPoint p);

// The level 0..255 of a spot: int(intensity / reference x 255), at most 255, in grey scale;
// 255 in dark mode. A ratio that cannot be computed (a reference of 0) counts as saturated,
// a negative one as 0, so that every level is a valid colour.
int SpotLevel(double intensity, double reference, bool grayScale);

// The colour of a spot of `level` in colour mode 0 black, 1 blue, 2 (or any other) red: the
// mode's full colour at 255, fading toward white as the level falls.
Rgb SpotRgb(int level, int colorMode);

// The colour of the selection frame and the markers: blue on red spots, otherwise red.
Rgb FrameRgb(int spotColor);

// The label colour: 0 black, 1 blue, 2 red, any other value white.
Rgb LabelRgb(int fontColor);

// The normaliser of a merged pattern: saturate x the first record's intensity when the slot's
// saturate is above 0; otherwise the pattern's saturation level when it has spots, else the
// first record's intensity.
double MergeNormaliser(double saturate, double firstIntensity, bool patternHasSpots, double isat);

// The spot rectangle of a merged pattern centred on the slot's own origin (its shift), either
// in the view's y-up convention or in the export's y-down pixels. `width` and `height` are the
// extent W, H (view) or the image size (export) and `scale` the units per 0.1 mm.
LogicalRect MergeBaseRect(double width, double height, double scale, double spotWidth,
                          double spotHeight, double shiftX, double shiftY, bool yDown);

// The merged rectangle moved to film point (x, y): by (int(s x), int(s y)) y up,
// (int(s x), -int(s y)) y down.
LogicalRect MergeRectAt(const LogicalRect& base, double scale, double x, double y, bool yDown);

// The export width after the film width changed from `oldFilmWidth` to `newFilmWidth` (both
// 0.1 mm): int(exportWidth x new / old). An unset width (0) stays unset; so does every width
// when the old film width gives no ratio.
int RescaledExportWidth(int exportWidth, double newFilmWidth, double oldFilmWidth);

// The index label faces: 0 "Arial Narrow", 1 "Times New Roman". The screen font of number 2 or
// more is the system font (no face); the print and image fonts use "Times New Roman" for every
// number but 0.
std::string_view IndexFontFace(int fontNo);

// "Cannot create Font: " + face + "." with the stop icon.
Message FontFailureMessage(std::string_view face);

// Device pixels of one logical unit and the device position of logical (0, 0), which is the
// top-left of the scroll area moved by the scroll position.
struct DeviceMapping {
    double unitsX = 1.0, unitsY = 1.0; // pixels per logical unit (logical DPI / 254)
    int originX = 0, originY = 0;

    // Device coordinates of a logical point; y is turned downward. Rounded to the nearest
    // pixel, halves away from zero.
    int X(int x) const;
    int Y(int y) const;
    // Pixels of a logical pen width, at least 1.
    int PenWidth(int width) const;
    // Logical coordinates of a device point, rounded as the old device-to-logical conversion
    // did (to the nearest unit).
    LogicalPoint ToLogical(int x, int y) const;
};

// A device rectangle: the pixels x .. x + width - 1, y .. y + height - 1.
struct DeviceRect {
    int x = 0, y = 0, width = 0, height = 0;

    bool operator==(const DeviceRect&) const = default;
};

// The pixels a logical rectangle fills: its corners mapped on their own, without the right
// and the bottom edge. A rectangle turned inside out fills nothing (zero size).
DeviceRect ToDevice(const DeviceMapping& map, const LogicalRect& r);

} // namespace xelmor
