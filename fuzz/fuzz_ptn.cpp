// Fuzz target of the pattern document reader: any bytes must read or fail cleanly; a document
// that reads writes back to bytes that read as the same document, and its run completes.
#include "xelmor/files/pattern_doc.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// Reflections times atoms above which the run is left out: the index ranges may reach 999 each,
// a run the program itself would spend hours on, which is no fault of the reader.
constexpr double kMaxRunWork = 2e4;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace xelmor;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    PatternParseResult parsed = ParsePatternDocument(bytes);
    if (!parsed.document) {
        if (parsed.messages.empty())
            std::abort(); // a failed read always says so
        return 0;
    }
    const std::string written = FormatPatternDocument(*parsed.document);
    const PatternParseResult again = ParsePatternDocument(written);
    if (!again.document || FormatPatternDocument(*again.document) != written)
        std::abort();

    const PatternDocument& d = *parsed.document;
    const double work =
        (d.Hmax + 1.0) * (d.Kmax + 1.0) * (d.Lmax + 1.0) *
        (d.crystal.atoms.empty() ? 1.0 : static_cast<double>(d.crystal.atoms.size()));
    if (work > kMaxRunWork)
        return 0;
    CParameterSet params;
    TakeOverPatternDocument(params, std::move(*parsed.document));
    SimulationResult result;
    RunSimulation(params, result);
    return 0;
}
