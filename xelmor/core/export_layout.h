// The layout of an exported pattern image: the proposed size and its limits, the pixel geometry
// of film, crosslines, spots and border (y downward, no margin: the image is the film), the
// index labels and the information line, and the file type chosen by the name.
#pragma once

#include "structfile/message.h"
#include "xelmor/core/params.h"
#include "xelmor/core/spot.h"
#include "xelmor/core/view_mapping.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace xelmor {

// The widest image the export writes, pixels.
inline constexpr int kExportMaxWidth = 10000;

// The width the export dialog proposes: the last exported width, or the film width in 0.1 mm
// as pixels (10 pixels per mm) before the first export.
int ProposedExportWidth(int exportWidth, double filmWidth);

// int(width x ratio), the ratio being film height / film width.
int ExportHeight(int width, double ratio);

// The smallest accepted width, int(1 / ratio + 1): the image must be at least one pixel high.
int ExportWidthLowerLimit(double ratio);

// Nothing when `width` lies within the limits; otherwise "Enter a number between" + lower limit
// + " and 10000." (no icon).
std::optional<Message> CheckExportWidth(int width, double ratio);

// Where the exported image stands: its size, the pixels per 0.1 mm of film and the film shift of
// the last run.
struct ExportFrame {
    int width = 0, height = 0;     // pixels
    double q = 1.0;                // pixels per 0.1 mm: width / film width
    double shiftX = 0, shiftY = 0; // film shift at the last run, 0.1 mm
};

ExportFrame MakeExportFrame(int width, int height, double filmWidth, double shiftX, double shiftY);

// The detector origin in pixels: (int(L/2 - q Sx), int(Hh/2 + q Sy)).
LogicalPoint ExportOrigin(const ExportFrame& f);

// The pen of the crosslines and the border: max(1, int(2 q)) pixels.
int ExportPenWidth(double q);

// The crosslines through the origin across the whole image: horizontal, then vertical.
std::array<LogicalLine, 2> ExportCrosslines(const ExportFrame& f);

// The spot rectangle centred on the origin, in pixels with y downward (top < bottom): left =
// ox - int(q w / 2), right = left + int(q w), bottom = oy + int(q h / 2), top = bottom - int(q h).
LogicalRect ExportBaseSpotRect(const ExportFrame& f, double spotWidth, double spotHeight);

// The base rectangle moved to film point (x, y) by (int(q x), -int(q y)).
LogicalRect ExportSpotRectAt(const LogicalRect& base, double q, double x, double y);

// The recorded image of (width, height) 0.1 mm, centred on the image (y downward).
LogicalRect ExportBackImageRect(const ExportFrame& f, double width, double height);

// The border: (0, 1), (L - 1, 1), (L - 1, Hh - 1), (1, Hh - 1), back to (1, 1).
std::array<LogicalPoint, 5> ExportBorder(int width, int height);

// The label of a spot: "%d %d %d" (or "%d%d%d" without separators) of its lowest kept order.
std::string ExportLabelText(const CDot& spot, bool whiteSpaceSeparators);

// Whether a spot of `intensity` is labelled: its intensity is not below `ignoreBelow` x `imax`
// (a spot exactly at the ignore level is labelled).
bool ExportLabelShown(double intensity, double imax, double ignoreBelow);

// The information line: crystal; D=..mm; HKL: ..; hkl: ..; Rot=SEQ: r1, r2, r3. Trans|Back.
std::string ExportInfoLine(const CParameterSet& p);
// Its top-left corner: (10, Hh - 20).
LogicalPoint ExportInfoLinePos(int height);

// How an image file is written: a bitmap for "bmp", JPEG for "jpg" and "jpeg" (any case), and
// otherwise the encoder the extension names (TIFF for "tif").
enum class ExportFileType { Bitmap, Jpeg, ByExtension };
ExportFileType ExportFileTypeOf(std::string_view path);

// The colour a 16-bit (5-5-5) bitmap keeps of an 8-bit channel, widened back to 8 bits as a
// reader shows it: the upper five bits, repeated into the lower three.
inline constexpr int Quantise555(int channel) {
    const int v = (channel >> 3) & 0x1f;
    return (v << 3) | (v >> 2);
}

} // namespace xelmor
