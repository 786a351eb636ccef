#include "xelmor/files/pattern_text.h"

#include "structfile/number_format.h"
#include "structfile/text.h"
#include "structfile/text_file.h"
#include "xelmor/core/spot_details.h"

#include <utility>

namespace xelmor {

namespace {

constexpr int kDecimals = 8;

std::string Num(double value) {
    return FormatNumber(value, kDecimals);
}

} // namespace

std::string FormatPatternText(const std::vector<CDot>& spots, double spotWidth, double spotHeight,
                              double shiftX, double shiftY) {
    std::string out;
    AppendLine(out, "! Laue Pattern Text File");
    AppendLine(out, "! x (mm)\ty (mm)\tIntensity\t h k l");
    AppendLine(out, "");
    AppendLine(out, std::to_string(spots.size()) + "  ! number of spots");
    AppendLine(out, Num(spotWidth / 10.0) + ", " + Num(spotHeight / 10.0) +
                        "  ! Spot width and height (mm)");
    AppendLine(out, Num(shiftX / 10.0) + ", " + Num(shiftY / 10.0) + "  ! Film Shift X, Y (mm)");
    AppendLine(out, "");
    for (const CDot& s : spots) {
        AppendLine(out, Num(s.x / 10.0) + "\t" + Num(s.y / 10.0) + "\t" + Num(s.intensity) + "\t" +
                            OrderIndicesText(s, LowestKeptOrder(s)));
    }
    return out;
}

std::optional<Message> SavePatternText(const std::string& path, const std::vector<CDot>& spots,
                                       double spotWidth, double spotHeight, double shiftX,
                                       double shiftY) {
    return SaveFile(path, FormatPatternText(spots, spotWidth, spotHeight, shiftX, shiftY));
}

} // namespace xelmor
