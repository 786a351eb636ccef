#include "xelmor/files/bitmap16.h"

#include "structfile/text_file.h"

namespace xelmor {

namespace {

void Put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xff));
    out.push_back(static_cast<char>((v >> 8) & 0xff));
}

void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;

} // namespace

std::string EncodeBitmap16(int width, int height, const Bitmap16Row& row) {
    if (width < 0 || height < 0)
        width = height = 0;
    const std::uint32_t w = static_cast<std::uint32_t>(width);
    const std::uint32_t h = static_cast<std::uint32_t>(height);
    const std::uint32_t stride = (w * 2 + 3) / 4 * 4;
    const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    const std::uint64_t dataSize = static_cast<std::uint64_t>(stride) * h;
    std::string out;
    out.reserve(offset + dataSize);
    out += "BM";
    Put32(out, static_cast<std::uint32_t>(offset + dataSize));
    Put32(out, 0); // reserved
    Put32(out, offset);
    Put32(out, kInfoHeaderSize);
    Put32(out, w);
    Put32(out, h); // positive: rows bottom-up
    Put16(out, 1); // planes
    Put16(out, 16);
    Put32(out, 0); // BI_RGB: 5-5-5
    Put32(out, static_cast<std::uint32_t>(dataSize));
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, 0); // colours used
    Put32(out, 0); // important colours
    for (int y = height - 1; y >= 0; --y) {
        const std::uint16_t* pixels = row(y);
        for (int x = 0; x < width; ++x)
            Put16(out, pixels[x]);
        for (std::uint32_t pad = w * 2; pad < stride; ++pad)
            out.push_back('\0');
    }
    return out;
}

std::optional<Message> SaveBitmap16(const std::string& path, int width, int height,
                                    const Bitmap16Row& row) {
    return SaveFile(path, EncodeBitmap16(width, height, row));
}

} // namespace xelmor
