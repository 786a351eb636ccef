// Fuzz target of the obsolete binary .spectrum reader: any bytes must read or fail cleanly.
#include "xelmor/files/spectrum_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace xelmor;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto spectrum = ParseObsoleteSpectrum(bytes);
    if (!spectrum)
        return 0;
    if (spectrum->Count() != kObsoleteSpectrumSamples)
        std::abort();
    for (double p : spectrum->intensity) {
        if (!(p >= 0) || !std::isfinite(p))
            std::abort();
    }
    return 0;
}
