// Tests of the pattern text file export.
#include "xelmor/files/pattern_text.h"

#include "structfile/text_file.h"
#include "tests/unit/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace xelmor {
namespace {

namespace fs = std::filesystem;

using test::SiliconSpot;

// Three spots of the silicon reference pattern, strongest first; (-2 1 1) diffracts only in
// its second order and is written as -4 2 2.
std::vector<CDot> SiliconSpots() {
    return {
        SiliconSpot(1, -3, 1, {{1, 2129.19, 5952.43274506}}, 5952.43274506),
        SiliconSpot(-2, 1, 1, {{2, 2889.24, 4152.47}}, 4152.47),
        SiliconSpot(3, 3, 1, {{1, 1660.67, 1250.97}}, 1250.97),
    };
}

const char kSiliconFile[] = "! Laue Pattern Text File\r\n"
                            "! x (mm)\ty (mm)\tIntensity\t h k l\r\n"
                            "\r\n"
                            "3  ! number of spots\r\n"
                            "3, 3  ! Spot width and height (mm)\r\n"
                            "2.5, -1.25  ! Film Shift X, Y (mm)\r\n"
                            "\r\n"
                            "11.11111111\t-33.33333333\t5952.43274506\t1 -3 1\r\n"
                            "-50\t25\t4152.47\t-4 2 2\r\n"
                            "17.64705882\t17.64705882\t1250.97\t3 3 1\r\n";

TEST(PatternText, ExportIsByteForByte) {
    struct Case {
        const char* what;
        std::vector<CDot> spots;
        double spotWidth, spotHeight, shiftX, shiftY; // 0.1 mm
        std::string bytes;
    } const cases[] = {
        {"silicon spots", SiliconSpots(), 30, 30, 25, -12.5, kSiliconFile},
        {"no spots, small spots",
         {},
         0.25,
         12.345678912,
         0,
         -0.0,
         "! Laue Pattern Text File\r\n"
         "! x (mm)\ty (mm)\tIntensity\t h k l\r\n"
         "\r\n"
         "0  ! number of spots\r\n"
         "0.025, 1.23456789  ! Spot width and height (mm)\r\n"
         "0, 0  ! Film Shift X, Y (mm)\r\n" // a negative zero shift shows as 0
         "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FormatPatternText(c.spots, c.spotWidth, c.spotHeight, c.shiftX, c.shiftY),
                  c.bytes);
    }
}

// A spot is written under its lowest kept order, whatever the later orders are.
TEST(PatternText, SpotLineNamesTheLowestKeptOrder) {
    CDot spot = SiliconSpot(1, -3, 1, {{3, 10, 2}, {5, 10, 1}}, 3);
    spot.x = 0;
    spot.y = 1234.5;
    const std::string text = FormatPatternText({spot}, 30, 30, 0, 0);
    const std::string line = "0\t123.45\t3\t3 -9 3\r\n";
    ASSERT_GE(text.size(), line.size());
    EXPECT_EQ(text.substr(text.size() - line.size()), line);
}

using PatternTextFiles = test::TempFolderTest;
using test::FileBytes;

TEST_F(PatternTextFiles, SaveWritesTheExportReplacingAnOldFile) {
    const std::string path = Path("silicon.pdat");
    ASSERT_EQ(WriteFileReplacing(path, "old content that is longer than nothing"), WriteResult::Ok);
    EXPECT_EQ(SavePatternText(path, SiliconSpots(), 30, 30, 25, -12.5), std::nullopt);
    EXPECT_EQ(FileBytes(path), kSiliconFile);
}

TEST_F(PatternTextFiles, FailedSaveShowsAnErrorAndKeepsTheOldFile) {
    const std::string path = Path("kept.pdat");
    const std::string old = "! an earlier export\r\n";
    struct Case {
        FileWriteFault fault;
        std::string text;
    } const cases[] = {
        {FileWriteFault::Create, "Failed to open " + path + "!"},
        // A failure after the file was created is reported too, never taken as a success.
        {FileWriteFault::Write, "Failed to write " + path + "!"},
        {FileWriteFault::Rename, "Failed to write " + path + "!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_EQ(WriteFileReplacing(path, old), WriteResult::Ok);
        FileWriteFaultForTesting fault(c.fault);
        EXPECT_EQ(SavePatternText(path, SiliconSpots(), 30, 30, 0, 0),
                  (Message{c.text, MsgIcon::Stop, MsgButtons::Ok, ""}));
        EXPECT_TRUE(fault.Triggered());
        EXPECT_EQ(FileBytes(path), old);
    }

    const std::string nowhere = Path("missing/folder/x.pdat");
    EXPECT_EQ(SavePatternText(nowhere, SiliconSpots(), 30, 30, 0, 0),
              (Message{"Failed to open " + nowhere + "!", MsgIcon::Stop, MsgButtons::Ok, ""}));
    EXPECT_FALSE(fs::exists(nowhere));
}

} // namespace
} // namespace xelmor
