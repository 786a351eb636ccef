// Fuzz target of the merge-file reader (pattern text files): any bytes must read or fail
// cleanly; what reads is finite and never holds more records than the file has lines.
#include "xelmor/files/pattern_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace xelmor;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int slot = 1 + static_cast<int>(size % 2);
    const auto merged = ParseMergeFile(bytes, slot);
    if (!merged)
        return 0;
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    if (merged->records.size() > lines)
        std::abort();
    for (double v : {merged->spotWidthMm, merged->spotHeightMm, merged->shiftX, merged->shiftY}) {
        if (!std::isfinite(v))
            std::abort();
    }
    for (const MergedSpot& s : merged->records) {
        if (s.slot != slot || !std::isfinite(s.x) || !std::isfinite(s.y) ||
            !std::isfinite(s.intensity))
            std::abort();
    }
    return 0;
}
