// Fuzz target of Tessalune's structure file reader: any bytes must read or fail cleanly, and a
// structure that reads can be written.
#include "structfile/struct_file.h"
#include "structfile/text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace xelmor;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (auto structure = ParseStructure(DecodeText(bytes), StructDialect::Tessalune))
        FormatStructureTessalune(*structure);
    return 0;
}
