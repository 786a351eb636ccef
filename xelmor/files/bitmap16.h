// The 16-bit Windows bitmap (.bmp) the image export writes for "16-bit per pixel": 5 bits of
// each of red, green and blue in one little-endian word per pixel (BI_RGB), rows bottom-up and
// padded to four bytes.
#pragma once

#include "structfile/message.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace xelmor {

// One image row, top row 0: `width` pixels as 0RRRRRGGGGGBBBBB words.
using Bitmap16Row = std::function<const std::uint16_t*(int row)>;

// The bytes of the bitmap file: file header, information header (40 bytes, 16 bits per pixel,
// no compression, 2835 pixels per metre, as 72 DPI), then the rows.
std::string EncodeBitmap16(int width, int height, const Bitmap16Row& row);

// The 5-5-5 word of an 8-bit-per-channel colour: the upper five bits of each channel.
inline constexpr std::uint16_t Pack555(int r, int g, int b) {
    return static_cast<std::uint16_t>(((r >> 3) & 0x1f) << 10 | ((g >> 3) & 0x1f) << 5 |
                                      ((b >> 3) & 0x1f));
}

// Writes the bitmap as the file at `path` (replacing an existing file only once the new one is
// complete). Returns the failure to show, nothing on success.
std::optional<Message> SaveBitmap16(const std::string& path, int width, int height,
                                    const Bitmap16Row& row);

} // namespace xelmor
