// Tests of the binary archive reader and writer: byte layout, both string forms with every
// length prefix, and the reporting of data that end early.
#include "xelmor/files/archive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace xelmor {
namespace {

using namespace std::string_literals;

// The bytes of ASCII text as UTF-16LE code units.
std::string Utf16Le(const std::string& ascii) {
    std::string out;
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

TEST(ArchiveReader, ReadsLittleEndianNumbersInOrder) {
    const std::string bytes = "\xFE\xFF\xFF\xFF"s                  // int32 -2
                              "\x00\x00\x00\x00\x00\x00\xF8\x3F"s  // double 1.5
                              "\x78\x56\x34\x12"s                  // int32 0x12345678
                              "\x00\x00\x00\x00\x00\x00\xF0\xFF"s; // double -infinity
    ArchiveReader in(bytes);
    EXPECT_EQ(in.ReadInt32(), -2);
    EXPECT_EQ(in.ReadDouble(), 1.5);
    EXPECT_EQ(in.ReadInt32(), 0x12345678);
    EXPECT_EQ(in.ReadDouble(), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(in.Ok());
    EXPECT_TRUE(in.AtEnd());
}

TEST(ArchiveReader, ReadsBothStringFormsWithEveryLengthPrefix) {
    const std::string long300(300, 'x');
    const std::string long70k(70000, 'y');
    struct Case {
        const char* label;
        std::string bytes;
        std::string text; // UTF-8
    };
    const Case cases[] = {
        {"narrow, one length byte", "\x0C"s + "Xelmor3.File", "Xelmor3.File"},
        {"narrow, empty", "\x00"s, ""},
        {"narrow, 16-bit length", "\xFF\x2C\x01"s + long300, long300},
        {"narrow, 32-bit length", "\xFF\xFF\xFF\x70\x11\x01\x00"s + long70k, long70k},
        {"narrow, 64-bit length",
         "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x03\x00\x00\x00\x00\x00\x00\x00"s + "abc", "abc"},
        {"narrow, Windows-1252 byte", "\x06"s + "1 \xC5 Al", "1 \xC3\x85 Al"},
        {"narrow, valid UTF-8 kept", "\x02"s + "\xC3\x85", "\xC3\x85"},
        {"wide, one length byte", "\xFF\xFE\xFF\x0C"s + Utf16Le("Xelmor3.File"), "Xelmor3.File"},
        {"wide, empty", "\xFF\xFE\xFF\x00"s, ""},
        {"wide, 16-bit length", "\xFF\xFE\xFF\xFF\x2C\x01"s + Utf16Le(long300), long300},
        {"wide, 16-bit length 0xFFFE after the marker",
         "\xFF\xFE\xFF\xFF\xFE\xFF"s + Utf16Le(std::string(0xFFFE, 'z')), std::string(0xFFFE, 'z')},
        {"wide, 32-bit length", "\xFF\xFE\xFF\xFF\xFF\xFF\x70\x11\x01\x00"s + Utf16Le(long70k),
         long70k},
        {"wide, Latin-1 and astral characters",
         "\xFF\xFE\xFF\x04"s + "\xC5\x00"s + "\x3D\xD8\x00\xDE"s + "!\x00"s,
         "\xC3\x85\xF0\x9F\x98\x80!"},
        {"wide, unpaired surrogates", "\xFF\xFE\xFF\x03"s + "\x00\xDC"s + "a\x00"s + "\x3D\xD8"s,
         "\xEF\xBF\xBD"
         "a\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        const std::string bytes = c.bytes + "\x2A\x00\x00\x00"s;
        ArchiveReader in(bytes);
        EXPECT_EQ(in.ReadString(), c.text) << c.label;
        EXPECT_EQ(in.ReadInt32(), 42) << c.label << ": the string took the wrong number of bytes";
        EXPECT_TRUE(in.Ok()) << c.label;
        EXPECT_TRUE(in.AtEnd()) << c.label;
    }
}

// A record as the document reader will read it: a string, an int32 and a double.
const std::string kRecord =
    "\xFF\xFE\xFF\x02"s + Utf16Le("Hi") + "\x07\x00\x00\x00"s + "\x00\x00\x00\x00\x00\x00\x04\x40"s;

TEST(ArchiveReader, EveryTruncationOfARecordIsReported) {
    {
        ArchiveReader in(kRecord);
        EXPECT_EQ(in.ReadString(), "Hi");
        EXPECT_EQ(in.ReadInt32(), 7);
        EXPECT_EQ(in.ReadDouble(), 2.5);
        ASSERT_TRUE(in.Ok());
    }
    for (std::size_t size = 0; size < kRecord.size(); ++size) {
        ArchiveReader in(std::string_view(kRecord).substr(0, size));
        in.ReadString();
        in.ReadInt32();
        in.ReadDouble();
        EXPECT_FALSE(in.Ok()) << "record cut to " << size << " bytes";
    }
}

TEST(ArchiveReader, AFailedReadTakesNothingGivesZeroAndStaysFailed) {
    // Three bytes left: an int32 cannot be read, the bytes stay, and even a byte read now fails.
    const std::string bytes = "\x01\x02\x03";
    ArchiveReader in(bytes);
    EXPECT_EQ(in.ReadInt32(), 0);
    EXPECT_FALSE(in.Ok());
    EXPECT_EQ(in.Remaining(), 3u);
    EXPECT_EQ(in.ReadByte(), 0);
    EXPECT_EQ(in.ReadDouble(), 0.0);
    EXPECT_EQ(in.ReadString(), "");
    EXPECT_FALSE(in.Ok());
}

TEST(ArchiveReader, StringLengthsBeyondTheDataFailWithoutTakingThem) {
    struct Case {
        const char* label;
        std::string bytes;
    };
    const Case cases[] = {
        {"narrow, one byte short", "\x05"s + "abcd"},
        {"wide, one code unit short", "\xFF\xFE\xFF\x03"s + Utf16Le("ab")},
        {"wide, half a code unit", "\xFF\xFE\xFF\x01"s + "a"},
        {"narrow, 32-bit length of 4 GB", "\xFF\xFF\xFF\xFE\xFF\xFF\xFF"s + "abc"},
        {"wide, 32-bit length of 2 G characters", "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F"s},
        {"wide, 64-bit length near 2^64",
         "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s + "ab"},
        {"prefix cut after the marker", "\xFF\xFE\xFF"s},
        {"prefix cut inside the 16-bit length", "\xFF\x2C"s},
        {"prefix cut inside the 32-bit length", "\xFF\xFF\xFF\x01\x00"s},
    };
    for (const Case& c : cases) {
        ArchiveReader in(c.bytes);
        EXPECT_EQ(in.ReadString(), "") << c.label;
        EXPECT_FALSE(in.Ok()) << c.label;
    }
}

TEST(ArchiveWriter, WritesNumbersLittleEndian) {
    ArchiveWriter out;
    out.WriteInt32(-1);
    out.WriteInt32(0x01020304);
    out.WriteDouble(1.0);
    out.WriteDouble(-2.5);
    EXPECT_EQ(out.Bytes(), "\xFF\xFF\xFF\xFF"s
                           "\x04\x03\x02\x01"s
                           "\x00\x00\x00\x00\x00\x00\xF0\x3F"s
                           "\x00\x00\x00\x00\x00\x00\x04\xC0"s);
}

TEST(ArchiveWriter, WritesStringsInTheWideFormWithTheShortestLengthPrefix) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, "\xFF\xFE\xFF\x00"s},
        {12, "\xFF\xFE\xFF\x0C"s},
        {254, "\xFF\xFE\xFF\xFE"s},
        {255, "\xFF\xFE\xFF\xFF\xFF\x00"s},
        {0xFFFD, "\xFF\xFE\xFF\xFF\xFD\xFF"s},
        // 0xFFFE and 0xFFFF cannot be written as a 16-bit length: the first would read as the
        // wide marker in older readers, the second announces the 32-bit length.
        {0xFFFE, "\xFF\xFE\xFF\xFF\xFF\xFF\xFE\xFF\x00\x00"s},
        {0xFFFF, "\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\x00\x00"s},
        {0x10000, "\xFF\xFE\xFF\xFF\xFF\xFF\x00\x00\x01\x00"s},
    };
    for (const Case& c : cases) {
        const std::string text(c.length, 'q');
        ArchiveWriter out;
        out.WriteString(text);
        EXPECT_EQ(out.Bytes(), c.prefix + Utf16Le(text)) << "length " << c.length;
        ArchiveReader in(out.Bytes());
        EXPECT_EQ(in.ReadString(), text) << "length " << c.length;
        EXPECT_TRUE(in.AtEnd()) << "length " << c.length;
    }
}

TEST(ArchiveWriter, VersionTextHasTheDocumentedBytes) {
    ArchiveWriter out;
    out.WriteString("Xelmor3.File");
    EXPECT_EQ(out.Bytes(), "\xFF\xFE\xFF\x0C"s + Utf16Le("Xelmor3.File"));
}

TEST(ArchiveWriter, NonAsciiTextRoundTrips) {
    struct Case {
        std::string written; // as handed to the writer
        std::string read;    // UTF-8 as read back
    };
    const Case cases[] = {
        {"Mo 1 \xC3\x85 Al", "Mo 1 \xC3\x85 Al"}, // U+00C5
        {"\xE2\x82\xAC 5", "\xE2\x82\xAC 5"},     // U+20AC, one code unit
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"}, // U+1F600, a surrogate pair
        {"1 \xC5 Al", "1 \xC3\x85 Al"},           // not UTF-8: Windows-1252
    };
    for (const Case& c : cases) {
        ArchiveWriter out;
        out.WriteString(c.written);
        ArchiveReader in(out.Bytes());
        EXPECT_EQ(in.ReadString(), c.read) << c.written;
        EXPECT_TRUE(in.Ok() && in.AtEnd()) << c.written;
    }
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\xD83D\xDE00");
}

} // namespace
} // namespace xelmor
