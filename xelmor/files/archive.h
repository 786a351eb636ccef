// Little-endian binary archives as the old framework stored them: a reader that reports running
// past the end and a writer, both with the framework's length-prefixed strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace xelmor {

// Reads int32, double and string values one after the other from a block of bytes held by the
// caller. A read that would run past the end takes nothing, gives 0 (or an empty string) and
// marks the reader as failed; once failed, every further read fails too, so a caller may read a
// whole record and check Ok() once at its end.
//
// Strings come in two forms, both length-prefixed (the prefix is one byte for lengths below
// 0xFF, else the byte 0xFF and a 16-bit length below 0xFFFF, else 0xFF, 0xFFFF and a 32-bit
// length, which when it is 0xFFFFFFFF is followed by a 64-bit one):
//   wide:   the bytes FF FE FF, then the length prefix in characters and the UTF-16LE code units;
//   narrow: the length prefix in bytes, then the text in the ANSI code page.
// Both are returned as UTF-8. The length is checked against the bytes left before anything is
// taken, so no length in the data can make the reader allocate more than the data holds.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}
    // The reader keeps a view of the bytes: a temporary string would be gone before the reads.
    explicit ArchiveReader(std::string&&) = delete;

    std::uint8_t ReadByte();
    std::uint16_t ReadUInt16();
    std::uint32_t ReadUInt32();
    std::int32_t ReadInt32();
    double ReadDouble();
    std::string ReadString();

    // False once a read has run past the end of the data.
    bool Ok() const { return ok_; }
    // The bytes not read yet.
    std::size_t Remaining() const { return bytes_.size() - pos_; }
    bool AtEnd() const { return pos_ == bytes_.size(); }

private:
    // Takes `n` bytes, or fails (taking nothing) when fewer are left.
    bool Take(std::size_t n, std::string_view& out);
    // The length prefix of a string; `wide` tells whether the wide marker preceded it.
    std::uint64_t ReadStringLength(bool& wide);

    std::string_view bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// Builds an archive in memory, in the layout ArchiveReader reads. Strings are always written in
// the wide form, from UTF-8 text (bytes that are not valid UTF-8 are taken as Windows-1252, as
// the text files' reader takes them).
class ArchiveWriter {
public:
    void WriteByte(std::uint8_t value);
    void WriteUInt16(std::uint16_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteInt32(std::int32_t value);
    void WriteDouble(double value);
    void WriteString(std::string_view text);

    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// The text as UTF-16 code units (bytes that are not valid UTF-8 taken as Windows-1252).
std::u16string Utf8ToUtf16(std::string_view text);
// UTF-16 code units as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

} // namespace xelmor
