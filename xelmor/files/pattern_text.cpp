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

void PutLine(std::string& out, std::string_view line) {
    out += line;
    out += kLineEnd;
}

Message ErrorBox(std::string text) {
    Message m;
    m.text = std::move(text);
    m.icon = MsgIcon::Stop;
    return m;
}

} // namespace

std::string FormatPatternText(const std::vector<CDot>& spots, double spotWidth, double spotHeight,
                              double shiftX, double shiftY) {
    std::string out;
    PutLine(out, "! Laue Pattern Text File");
    PutLine(out, "! x (mm)\ty (mm)\tIntensity\t h k l");
    PutLine(out, "");
    PutLine(out, std::to_string(spots.size()) + "  ! number of spots");
    PutLine(out, Num(spotWidth / 10.0) + ", " + Num(spotHeight / 10.0) +
                     "  ! Spot width and height (mm)");
    PutLine(out, Num(shiftX / 10.0) + ", " + Num(shiftY / 10.0) + "  ! Film Shift X, Y (mm)");
    PutLine(out, "");
    for (const CDot& s : spots) {
        PutLine(out, Num(s.x / 10.0) + "\t" + Num(s.y / 10.0) + "\t" + Num(s.intensity) + "\t" +
                         OrderIndicesText(s, LowestKeptOrder(s)));
    }
    return out;
}

std::optional<Message> SavePatternText(const std::string& path, const std::vector<CDot>& spots,
                                       double spotWidth, double spotHeight, double shiftX,
                                       double shiftY) {
    switch (
        WriteFileReplacing(path, FormatPatternText(spots, spotWidth, spotHeight, shiftX, shiftY))) {
    case WriteResult::Ok:
        return std::nullopt;
    case WriteResult::CannotCreate:
        return ErrorBox("Failed to open " + path + "!");
    case WriteResult::WriteError:
        break;
    }
    // The export has no text of its own for a failure after the file was created; saying
    // nothing would report a lost export as a success.
    return ErrorBox("Failed to write " + path + "!");
}

} // namespace xelmor
