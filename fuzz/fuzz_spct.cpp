// Fuzz target of the .spct spectrum reader: any bytes must read or fail cleanly; a spectrum that
// reads has at least two strictly ascending positive wavelengths and intensities normalised to
// a maximum of 1, and can be written.
#include "structfile/text.h"
#include "xelmor/files/spectrum_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace xelmor;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto spectrum = ParseSpct(DecodeText(bytes));
    if (!spectrum)
        return 0;
    if (spectrum->Count() < 2 || spectrum->Count() > kMaxSpctSamples)
        std::abort();
    double maximum = 0;
    for (int i = 0; i < spectrum->Count(); ++i) {
        const double w = spectrum->wavelength[i], p = spectrum->intensity[i];
        if (!(w > 0) || !std::isfinite(w) || !(p >= 0 && p <= 1))
            std::abort();
        if (i > 0 && !(w > spectrum->wavelength[i - 1]))
            std::abort();
        maximum = std::fmax(maximum, p);
    }
    if (maximum != 1)
        std::abort();
    FormatSpct(*spectrum);
    return 0;
}
