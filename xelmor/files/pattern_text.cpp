#include "xelmor/files/pattern_text.h"

#include "structfile/number_format.h"
#include "structfile/text.h"
#include "structfile/text_file.h"
#include "xelmor/core/spot_details.h"

#include <cmath>
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

void ClearMergeSlot(MergeSlot& slot) {
    slot.records.clear();
    slot.strFile.clear();
}

std::optional<MergeFileData> ParseMergeFile(std::string_view bytes, int slot) {
    constexpr int kHeaderLines = 3;
    const std::string text = DecodeText(bytes);
    MergeFileData data;
    int header = 0;
    int count = 0;
    bool finite = true;
    // Reads a number given in mm and keeps it in `unit` times that.
    const auto number = [&finite](const std::string& token, double unit) {
        const double v = ParseDouble(token) * unit;
        finite = finite && std::isfinite(v);
        return v;
    };
    for (std::string_view raw : SplitLines(text)) {
        if (header == kHeaderLines &&
            (count <= 0 || data.records.size() >= static_cast<std::size_t>(count)))
            break;
        const std::string line = CleanLine(raw);
        if (line.empty())
            continue;
        if (header == 0) {
            count = ParseInt(line);
        } else if (header < kHeaderLines) {
            const std::vector<std::string> t = SplitTokens(line, 2);
            if (header == 1) {
                data.spotWidthMm = number(t[0], 1.0);
                data.spotHeightMm = number(t[1], 1.0);
            } else {
                data.shiftX = number(t[0], 10.0);
                data.shiftY = number(t[1], 10.0);
            }
        } else {
            const std::vector<std::string> t = SplitTokens(line, 3);
            MergedSpot spot;
            spot.x = number(t[0], 10.0);
            spot.y = number(t[1], 10.0);
            spot.intensity = number(t[2], 1.0);
            spot.slot = slot;
            data.records.push_back(spot);
            continue;
        }
        ++header;
    }
    if (!finite)
        return std::nullopt;
    return data;
}

MergeReadResult ReadMergeFile(const std::string& path, int slot) {
    MergeReadResult result;
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        result.message = MakeMessage("Cannot open the file  " + path + "! ", MsgIcon::Exclamation);
        return result;
    }
    result.data = ParseMergeFile(bytes, slot);
    if (!result.data)
        result.message =
            MakeMessage("Failed to open the file  " + path + "! ", MsgIcon::Exclamation);
    return result;
}

} // namespace xelmor
