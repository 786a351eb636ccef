#include "xelmor/core/export_layout.h"

#include "structfile/number_format.h"

#include "xelmor/core/lattice.h"
#include "xelmor/core/spot_details.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace xelmor {

namespace {} // namespace

int ProposedExportWidth(int exportWidth, double filmWidth) {
    return exportWidth < 1 ? Trunc(filmWidth) : exportWidth;
}

int ExportHeight(int width, double ratio) {
    return Trunc(width * ratio);
}

int ExportWidthLowerLimit(double ratio) {
    return Trunc(1.0 / ratio + 1.0);
}

std::optional<Message> CheckExportWidth(int width, double ratio) {
    const int lower = ExportWidthLowerLimit(ratio);
    if (width >= lower && width <= kExportMaxWidth)
        return std::nullopt;
    return MakeMessage("Enter a number between" + std::to_string(lower) + " and 10000.",
                       MsgIcon::None);
}

ExportFrame MakeExportFrame(int width, int height, double filmWidth, double shiftX, double shiftY) {
    ExportFrame f;
    f.width = width;
    f.height = height;
    f.q = filmWidth > 0 ? width / filmWidth : 1.0;
    f.shiftX = shiftX;
    f.shiftY = shiftY;
    return f;
}

LogicalPoint ExportOrigin(const ExportFrame& f) {
    return {Trunc(f.width * 0.5 - f.q * f.shiftX), Trunc(f.height * 0.5 + f.q * f.shiftY)};
}

int ExportPenWidth(double q) {
    return std::max(1, Trunc(2 * q));
}

std::array<LogicalLine, 2> ExportCrosslines(const ExportFrame& f) {
    const LogicalPoint o = ExportOrigin(f);
    return {{{{0, o.y}, {f.width, o.y}}, {{o.x, 0}, {o.x, f.height}}}};
}

LogicalRect ExportBaseSpotRect(const ExportFrame& f, double spotWidth, double spotHeight) {
    const LogicalPoint o = ExportOrigin(f);
    LogicalRect r;
    r.left = o.x - Trunc(f.q * spotWidth * 0.5);
    r.right = r.left + Trunc(f.q * spotWidth);
    r.bottom = o.y + Trunc(f.q * spotHeight * 0.5);
    r.top = r.bottom - Trunc(f.q * spotHeight);
    return r;
}

LogicalRect ExportSpotRectAt(const LogicalRect& base, double q, double x, double y) {
    const int dx = Trunc(q * x), dy = -Trunc(q * y);
    return {base.left + dx, base.top + dy, base.right + dx, base.bottom + dy};
}

LogicalRect ExportBackImageRect(const ExportFrame& f, double width, double height) {
    LogicalRect r;
    r.left = Trunc((f.width - f.q * width) * 0.5);
    r.top = Trunc((f.height - f.q * height) * 0.5);
    r.right = r.left + Trunc(f.q * width);
    r.bottom = r.top + Trunc(f.q * height);
    return r;
}

std::array<LogicalPoint, 5> ExportBorder(int width, int height) {
    return {{{0, 1}, {width - 1, 1}, {width - 1, height - 1}, {1, height - 1}, {1, 1}}};
}

std::string ExportLabelText(const CDot& spot, bool whiteSpaceSeparators) {
    const int n = LowestKeptOrder(spot);
    if (whiteSpaceSeparators)
        return OrderIndicesText(spot, n);
    return std::to_string(n * spot.h) + std::to_string(n * spot.k) + std::to_string(n * spot.l);
}

bool ExportLabelShown(double intensity, double imax, double ignoreBelow) {
    return !(intensity < ignoreBelow * imax);
}

std::string ExportInfoLine(const CParameterSet& p) {
    std::string s = p.m_strCrystalName;
    s += "; D=" + FormatG(p.m_D / 10) + "mm; HKL: " + FormatG(p.m_H) + " " + FormatG(p.m_K) + " " +
         FormatG(p.m_L);
    s += "; hkl: " + FormatG(p.m_h) + " " + FormatG(p.m_k) + " " + FormatG(p.m_l) + "; Rot=";
    s += std::string(RotationSequenceName(p.m_RotCrystSeq));
    s += ": " + FormatG(p.m_Rot1) + ", " + FormatG(p.m_Rot2) + ", " + FormatG(p.m_Rot3) + ". ";
    s += p.m_TransOrBack ? "Back" : "Trans";
    return s;
}

LogicalPoint ExportInfoLinePos(int height) {
    return {10, height - 20};
}

ExportFileType ExportFileTypeOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return ExportFileType::ByExtension;
    std::string ext(name.substr(dot + 1));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (ext == "bmp")
        return ExportFileType::Bitmap;
    if (ext == "jpg" || ext == "jpeg")
        return ExportFileType::Jpeg;
    return ExportFileType::ByExtension;
}

} // namespace xelmor
