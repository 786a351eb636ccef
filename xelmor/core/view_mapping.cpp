#include "xelmor/core/view_mapping.h"

#include <algorithm>
#include <cmath>

namespace xelmor {

int Trunc(double v) {
    constexpr double kLimit = 1e9;
    if (!(v == v))
        return 0;
    return static_cast<int>(std::clamp(v, -kLimit, kLimit));
}

namespace {

int Round(double v) {
    return Trunc(std::round(v));
}

} // namespace

double ViewScale(int zoomPercent, double calibFactor) {
    return zoomPercent / 100.0 * calibFactor;
}

ViewFrame ViewExtent(double scale, double filmWidth, double filmHeight) {
    ViewFrame f;
    f.scale = scale;
    f.width = Trunc(scale * filmWidth) + 2 * kFilmMargin;
    f.height = Trunc(scale * filmHeight) + 2 * kFilmMargin;
    return f;
}

LogicalRect FilmRect(int width, int height) {
    return {kFilmMargin, -kFilmMargin, width - kFilmMargin, kFilmMargin - height};
}

LogicalRect BaseSpotRect(const ViewFrame& f, double spotWidth, double spotHeight) {
    const double s = f.scale, w = f.width, h = f.height;
    LogicalRect r;
    r.left = Trunc((w - s * spotWidth) * 0.5 - s * f.shiftX);
    r.right = Trunc((w + s * spotWidth) * 0.5 - s * f.shiftX);
    r.top = Trunc((s * spotHeight - h) * 0.5 - s * f.shiftY);
    r.bottom = Trunc((-h - s * spotHeight) * 0.5 - s * f.shiftY);
    return r;
}

LogicalRect SpotRectAt(const LogicalRect& base, double scale, double x, double y) {
    const int dx = Trunc(scale * x), dy = Trunc(scale * y);
    return {base.left + dx, base.top + dy, base.right + dx, base.bottom + dy};
}

LogicalPoint MarkerPoint(const ViewFrame& f, double x, double y) {
    return {Trunc((x - f.shiftX) * f.scale + f.width * 0.5 + 0.5),
            Trunc((y - f.shiftY) * f.scale - f.height * 0.5 + 0.5)};
}

std::array<LogicalLine, 2> Crosslines(const ViewFrame& f) {
    // Integer halves of the extent first, then the shift, then the truncation.
    const int y0 = Trunc(-(f.height / 2) - f.scale * f.shiftY);
    const int x0 = Trunc((f.width / 2) - f.scale * f.shiftX) - 1;
    return {{{{kFilmMargin, y0}, {f.width - kFilmMargin, y0}},
             {{x0, -kFilmMargin}, {x0, kFilmMargin - f.height}}}};
}

int CrosslinePenWidth(double scale) {
    return std::max(1, Trunc(1.5 * scale));
}

int SelectionPenWidth(double scale) {
    return std::max(4, Trunc(1.5 * scale));
}

LogicalRect BackImageRect(const ViewFrame& f, double width, double height) {
    const double s = f.scale;
    LogicalRect r;
    r.left = Trunc((f.width - s * width) * 0.5);
    r.top = Trunc((s * height - f.height) * 0.5);
    r.right = r.left + Trunc(s * width);
    r.bottom = r.top - Trunc(s * height);
    return r;
}

std::array<LogicalRect, 4> MarginRects(int width, int height) {
    const int reach = kMarginReach + std::max(width, height);
    return {{{0, 0, kFilmMargin, -reach},
             {0, 0, reach, -kFilmMargin},
             {0, kFilmMargin - height, reach, -reach},
             {width - kFilmMargin, 0, reach, -reach}}};
}

std::array<LogicalPoint, 5> FilmBorder(int width, int height) {
    const int l = kFilmMargin, t = -kFilmMargin;
    const int r = width - kFilmMargin, b = kFilmMargin - height;
    return {{{l, t}, {l, b}, {r, b}, {r, t}, {l, t}}};
}

std::array<LogicalPoint, 5> RectOutline(const LogicalRect& r) {
    return {{{r.left, r.top},
             {r.right, r.top},
             {r.right, r.bottom},
             {r.left, r.bottom},
             {r.left, r.top}}};
}

std::array<LogicalLine, 2> PlusMarker(LogicalPoint p) {
    return {{{{p.x - 28, p.y}, {p.x + 26, p.y}}, {{p.x, p.y - 27}, {p.x, p.y + 27}}}};
}

std::array<LogicalLine, 2> CrossMarker(LogicalPoint p) {
    return {{{{p.x - 22, p.y - 22}, {p.x + 22, p.y + 22}},
             {{p.x - 22, p.y + 22}, {p.x + 22, p.y - 22}}}};
}

int SpotLevel(double intensity, double reference, bool grayScale) {
    if (!grayScale)
        return 255;
    const double v = intensity / reference * 255;
    if (!(v < 255)) // also a ratio of x / 0
        return 255;
    return v > 0 ? Trunc(v) : 0;
}

Rgb SpotRgb(int level, int colorMode) {
    const int t = 255 - level;
    switch (colorMode) {
    case 0:
        return {t, t, t};
    case 1:
        return {t, t, 255};
    default:
        return {255, t, t};
    }
}

Rgb FrameRgb(int spotColor) {
    return spotColor == 2 ? Rgb{0, 0, 255} : Rgb{255, 0, 0};
}

Rgb LabelRgb(int fontColor) {
    switch (fontColor) {
    case 0:
        return {0, 0, 0};
    case 1:
        return {0, 0, 255};
    case 2:
        return {255, 0, 0};
    default:
        return {255, 255, 255};
    }
}

double MergeNormaliser(double saturate, double firstIntensity, bool patternHasSpots, double isat) {
    if (saturate > 0)
        return saturate * firstIntensity;
    return patternHasSpots ? isat : firstIntensity;
}

LogicalRect MergeBaseRect(double width, double height, double scale, double spotWidth,
                          double spotHeight, double shiftX, double shiftY, bool yDown) {
    const double s = scale;
    LogicalRect r;
    r.left = Trunc((width - s * spotWidth) * 0.5 - s * shiftX);
    r.right = Trunc((width + s * spotWidth) * 0.5 - s * shiftX);
    if (yDown) {
        r.bottom = Trunc((s * spotHeight + height) * 0.5 + s * shiftY);
        r.top = r.bottom - Trunc(s * spotHeight);
    } else {
        r.bottom = Trunc((-height - s * spotHeight) * 0.5 - s * shiftY);
        r.top = Trunc((s * spotHeight - height) * 0.5 - s * shiftY);
    }
    return r;
}

LogicalRect MergeRectAt(const LogicalRect& base, double scale, double x, double y, bool yDown) {
    const int dx = Trunc(scale * x);
    const int dy = yDown ? -Trunc(scale * y) : Trunc(scale * y);
    return {base.left + dx, base.top + dy, base.right + dx, base.bottom + dy};
}

int RescaledExportWidth(int exportWidth, double newFilmWidth, double oldFilmWidth) {
    if (!(oldFilmWidth > 0))
        return exportWidth;
    const double w = exportWidth * newFilmWidth / oldFilmWidth;
    return std::isfinite(w) ? Trunc(w) : exportWidth;
}

std::string_view IndexFontFace(int fontNo) {
    return fontNo == 0 ? "Arial Narrow" : "Times New Roman";
}

Message FontFailureMessage(std::string_view face) {
    return MakeMessage("Cannot create Font: " + std::string(face) + ".", MsgIcon::Stop);
}

int DeviceMapping::X(int x) const {
    return originX + Round(x * unitsX);
}

int DeviceMapping::Y(int y) const {
    return originY + Round(-y * unitsY);
}

int DeviceMapping::PenWidth(int width) const {
    return std::max(1, Round(width * unitsX));
}

LogicalPoint DeviceMapping::ToLogical(int x, int y) const {
    return {Round((x - originX) / unitsX), Round(-(y - originY) / unitsY)};
}

DeviceRect ToDevice(const DeviceMapping& map, const LogicalRect& r) {
    const int x1 = map.X(r.left), x2 = map.X(r.right);
    const int y1 = map.Y(r.top), y2 = map.Y(r.bottom);
    return {x1, y1, std::max(0, x2 - x1), std::max(0, y2 - y1)};
}

} // namespace xelmor
