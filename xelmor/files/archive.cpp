#include "xelmor/files/archive.h"

#include "structfile/text.h"

#include <bit>

namespace xelmor {

namespace {

constexpr char16_t kReplacementChar = 0xFFFD;

// The prefix values that announce a length too large for the shorter form (after a 32-bit
// 0xFFFFFFFF a 64-bit length follows, as later versions of the framework wrote).
constexpr std::uint8_t kLongerLength8 = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kLongerLength16 = 0xFFFF;
constexpr std::uint32_t kLongerLength32 = 0xFFFFFFFF;

std::uint64_t LittleEndian(std::string_view bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i > 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i - 1]);
    return value;
}

bool IsHighSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
    // After decoding the bytes are well-formed UTF-8, so every sequence is complete.
    const std::string utf8 = DecodeText(text);
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 1;
        char32_t cp = lead;
        if (lead >= 0xF0) {
            length = 4;
            cp = lead & 0x07;
        } else if (lead >= 0xE0) {
            length = 3;
            cp = lead & 0x0F;
        } else if (lead >= 0x80) {
            length = 2;
            cp = lead & 0x1F;
        }
        for (std::size_t k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t u = text[i];
        if (IsHighSurrogate(u) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
            AppendUtf8(out, kReplacementChar);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

bool ArchiveReader::Take(std::size_t n, std::string_view& out) {
    if (!ok_ || n > Remaining()) {
        ok_ = false;
        out = {};
        return false;
    }
    out = bytes_.substr(pos_, n);
    pos_ += n;
    return true;
}

std::uint8_t ArchiveReader::ReadByte() {
    std::string_view b;
    return Take(1, b) ? static_cast<std::uint8_t>(LittleEndian(b)) : 0;
}

std::uint16_t ArchiveReader::ReadUInt16() {
    std::string_view b;
    return Take(2, b) ? static_cast<std::uint16_t>(LittleEndian(b)) : 0;
}

std::uint32_t ArchiveReader::ReadUInt32() {
    std::string_view b;
    return Take(4, b) ? static_cast<std::uint32_t>(LittleEndian(b)) : 0;
}

std::int32_t ArchiveReader::ReadInt32() {
    return static_cast<std::int32_t>(ReadUInt32());
}

double ArchiveReader::ReadDouble() {
    std::string_view b;
    return Take(8, b) ? std::bit_cast<double>(LittleEndian(b)) : 0.0;
}

std::uint64_t ArchiveReader::ReadStringLength(bool& wide) {
    wide = false;
    std::uint8_t length8 = ReadByte();
    if (length8 < kLongerLength8)
        return length8;
    std::uint16_t length16 = ReadUInt16();
    if (length16 == kWideMarker) {
        wide = true;
        length8 = ReadByte();
        if (length8 < kLongerLength8)
            return length8;
        length16 = ReadUInt16();
    }
    if (length16 < kLongerLength16)
        return length16;
    const std::uint32_t length32 = ReadUInt32();
    if (length32 < kLongerLength32)
        return length32;
    std::string_view b;
    return Take(8, b) ? LittleEndian(b) : 0;
}

std::string ArchiveReader::ReadString() {
    bool wide = false;
    const std::uint64_t length = ReadStringLength(wide);
    if (!ok_)
        return {};
    // Compared with what is left before it is multiplied, so a huge length cannot overflow.
    const std::uint64_t unit = wide ? 2 : 1;
    if (length > Remaining() / unit) {
        ok_ = false;
        return {};
    }
    std::string_view b;
    Take(static_cast<std::size_t>(length * unit), b);
    if (!wide)
        return DecodeText(b);
    std::u16string units(static_cast<std::size_t>(length), u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(LittleEndian(b.substr(2 * i, 2)));
    return Utf16ToUtf8(units);
}

void ArchiveWriter::WriteByte(std::uint8_t value) {
    bytes_ += static_cast<char>(value);
}

void ArchiveWriter::WriteUInt16(std::uint16_t value) {
    WriteByte(static_cast<std::uint8_t>(value & 0xFF));
    WriteByte(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::WriteUInt32(std::uint32_t value) {
    WriteUInt16(static_cast<std::uint16_t>(value & 0xFFFF));
    WriteUInt16(static_cast<std::uint16_t>(value >> 16));
}

void ArchiveWriter::WriteInt32(std::int32_t value) {
    WriteUInt32(static_cast<std::uint32_t>(value));
}

void ArchiveWriter::WriteDouble(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    WriteUInt32(static_cast<std::uint32_t>(bits & 0xFFFFFFFF));
    WriteUInt32(static_cast<std::uint32_t>(bits >> 32));
}

void ArchiveWriter::WriteString(std::string_view text) {
    const std::u16string units = Utf8ToUtf16(text);
    WriteByte(kLongerLength8);
    WriteUInt16(kWideMarker);
    // The 16-bit form stops below 0xFFFE: that word would read as the wide marker again.
    if (units.size() < kLongerLength8) {
        WriteByte(static_cast<std::uint8_t>(units.size()));
    } else if (units.size() < kWideMarker) {
        WriteByte(kLongerLength8);
        WriteUInt16(static_cast<std::uint16_t>(units.size()));
    } else if (units.size() < kLongerLength32) {
        WriteByte(kLongerLength8);
        WriteUInt16(kLongerLength16);
        WriteUInt32(static_cast<std::uint32_t>(units.size()));
    } else {
        WriteByte(kLongerLength8);
        WriteUInt16(kLongerLength16);
        WriteUInt32(kLongerLength32);
        const auto length = static_cast<std::uint64_t>(units.size());
        WriteUInt32(static_cast<std::uint32_t>(length & 0xFFFFFFFF));
        WriteUInt32(static_cast<std::uint32_t>(length >> 32));
    }
    for (char16_t u : units)
        WriteUInt16(static_cast<std::uint16_t>(u));
}

} // namespace xelmor
