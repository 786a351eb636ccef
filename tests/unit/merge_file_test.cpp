// Tests of the merge-file reader: the header, the records up to the header's count, the line
// cleaning, the exported file read back, and the two failure messages.
#include "xelmor/files/pattern_text.h"

#include "tests/unit/test_support.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace xelmor {

// Readable failure output.
void PrintTo(const MergedSpot& s, std::ostream* os) {
    *os << "{" << s.x << ", " << s.y << ", " << s.intensity << ", slot " << s.slot << "}";
}
void PrintTo(const MergeFileData& d, std::ostream* os) {
    *os << d.records.size() << " records " << ::testing::PrintToString(d.records) << ", spot "
        << d.spotWidthMm << " x " << d.spotHeightMm << " mm, shift " << d.shiftX << ", "
        << d.shiftY;
}

namespace {

// The export writes 8 decimals of mm; positions come back in 0.1 mm.
constexpr double kWrittenDecimals = 1e-8;

const char kHeader[] = "! Laue Pattern Text File\r\n"
                       "! x (mm)\ty (mm)\tIntensity\t h k l\r\n"
                       "\r\n";

MergedSpot Spot(double x, double y, double intensity, int slot) {
    return {x, y, intensity, slot};
}

TEST(MergeSlot, StartsEmptyWithItsOwnColour) {
    const MergeSlot one(1), two(2);
    EXPECT_EQ(one.nColor, kMergeColorRed);
    EXPECT_EQ(two.nColor, kMergeColorBlue);
    for (const MergeSlot* s : {&one, &two}) {
        EXPECT_EQ(s->nRecords(), 0);
        EXPECT_EQ(s->strFile, "");
        EXPECT_EQ(s->spotWidth, 30);
        EXPECT_EQ(s->spotHeight, 30);
        EXPECT_EQ(s->saturate, -0.01);
    }
    MergeSlot filled(2);
    filled.records = {Spot(1, 2, 3, 2)};
    filled.strFile = "a.pdat";
    filled.spotWidth = 12;
    ClearMergeSlot(filled);
    EXPECT_EQ(filled.nRecords(), 0);
    EXPECT_EQ(filled.strFile, "");
    EXPECT_EQ(filled.spotWidth, 12);
    EXPECT_EQ(filled.nColor, kMergeColorBlue);
}

TEST(MergeFileParse, HeaderAndRecords) {
    struct Case {
        const char* what;
        std::string text;
        int slot;
        MergeFileData data;
    } const cases[] = {
        {"header count 5 with 3 records",
         std::string(kHeader) + "5  ! number of spots\r\n"
                                "2.5, 2.5  ! Spot width and height (mm)\r\n"
                                "1.5, -2  ! Film Shift X, Y (mm)\r\n"
                                "\r\n"
                                "1\t2\t30\t1 -3 1\r\n"
                                "-4\t5.5\t20\t-4 2 2\r\n"
                                "7\t8\t10\t3 3 1\r\n",
         1,
         {{Spot(10, 20, 30, 1), Spot(-40, 55, 20, 1), Spot(70, 80, 10, 1)}, 2.5, 2.5, 15, -20}},
        {"header count 3 with 5 records",
         "3\n3, 3\n0, 0\n1 1 5\n2 2 4\n3 3 3\n4 4 2\n5 5 1\n",
         2,
         {{Spot(10, 10, 5, 2), Spot(20, 20, 4, 2), Spot(30, 30, 3, 2)}, 3, 3, 0, 0}},
        {"commas, comments and blank lines anywhere",
         "# written by hand\n\n  2 ! two spots\n! the size\n3,4\n\n0.5, 0.25 # shift\n"
         "# first\n1, 2, 3\n\n   \t\n1,2,3,4 ! indices are ignored\n",
         1,
         {{Spot(10, 20, 3, 1), Spot(10, 20, 3, 1)}, 3, 4, 5, 2.5}},
        {"the intensity is the number that starts the third token",
         "1\n3 3\n0 0\n1 2 5952.43274506abc 1 -3 1\n",
         1,
         {{Spot(10, 20, 5952.43274506, 1)}, 3, 3, 0, 0}},
        {"header count 0 stores no record", "0\n3 3\n0 0\n1 2 3\n", 1, {{}, 3, 3, 0, 0}},
        {"negative header count stores no record", "-4\n3 3\n0 0\n1 2 3\n", 1, {{}, 3, 3, 0, 0}},
        {"huge header count stores what is there",
         "2147483647\n3 3\n0 0\n1 2 3\n4 5 6\n",
         2,
         {{Spot(10, 20, 3, 2), Spot(40, 50, 6, 2)}, 3, 3, 0, 0}},
        {"header count beyond the int range",
         "99999999999999999999\n3 3\n0 0\n1 2 3\n",
         2,
         {{Spot(10, 20, 3, 2)}, 3, 3, 0, 0}},
        {"a short record reads missing numbers as 0",
         "1\n3 3\n0 0\n7\n",
         1,
         {{Spot(70, 0, 0, 1)}, 3, 3, 0, 0}},
        {"header only", "4\n2 2\n", 1, {{}, 2, 2, 0, 0}},
        {"empty file", "", 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<MergeFileData> data = ParseMergeFile(c.text, c.slot);
        ASSERT_TRUE(data.has_value());
        EXPECT_EQ(*data, c.data);
    }
}

TEST(MergeFileParse, ExportedPatternReadsBack) {
    const std::vector<CDot> spots = {
        test::SiliconSpot(1, -3, 1, {{1, 2129.19, 5952.43274506}}, 5952.43274506),
        test::SiliconSpot(-2, 1, 1, {{2, 2889.24, 4152.47}}, 4152.47),
        test::SiliconSpot(3, 3, 1, {{1, 1660.67, 1250.97}}, 1250.97),
    };
    const std::string text = FormatPatternText(spots, 25, 35, 120, -45);
    const std::optional<MergeFileData> data = ParseMergeFile(text, 2);
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->spotWidthMm, 2.5);
    EXPECT_EQ(data->spotHeightMm, 3.5);
    EXPECT_EQ(data->shiftX, 120);
    EXPECT_EQ(data->shiftY, -45);
    ASSERT_EQ(data->records.size(), spots.size());
    for (std::size_t i = 0; i < spots.size(); ++i) {
        EXPECT_NEAR(data->records[i].x, spots[i].x, 10 * kWrittenDecimals);
        EXPECT_NEAR(data->records[i].y, spots[i].y, 10 * kWrittenDecimals);
        EXPECT_EQ(data->records[i].intensity, spots[i].intensity);
        EXPECT_EQ(data->records[i].slot, 2);
    }
}

TEST(MergeFileParse, NumbersTooLargeForADoubleFailTheRead) {
    for (const char* text : {"1\n3 3\n0 0\n1e999 2 3\n", "1\n3 3\n0 0\n1 2 -1e400\n",
                             "1\n3 1e309\n0 0\n1 2 3\n", "1\n3 3\n0 1e308\n1 2 3\n"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ParseMergeFile(text, 1), std::nullopt);
    }
    // Beyond the header's count nothing is read, so an unreadable line there does no harm.
    EXPECT_TRUE(ParseMergeFile("1\n3 3\n0 0\n1 2 3\n1e999 2 3\n", 1).has_value());
}

using MergeFiles = test::TempFolderTest;

TEST_F(MergeFiles, ReadsTheFileOrSaysWhyNot) {
    const std::string good = Put("good.pdat", "1\r\n3, 3\r\n0, 0\r\n1\t2\t3\t1 1 1\r\n");
    MergeReadResult read = ReadMergeFile(good, 1);
    ASSERT_TRUE(read.data.has_value());
    EXPECT_EQ(read.data->records, std::vector<MergedSpot>{Spot(10, 20, 3, 1)});
    EXPECT_EQ(read.message, Message{});

    const std::string missing = Path("missing.pdat");
    read = ReadMergeFile(missing, 1);
    EXPECT_FALSE(read.data.has_value());
    EXPECT_EQ(read.message,
              MakeMessage("Cannot open the file  " + missing + "! ", MsgIcon::Exclamation));

    const std::string bad = Put("bad.pdat", "1\n3 3\n0 0\n1e999 2 3\n");
    read = ReadMergeFile(bad, 2);
    EXPECT_FALSE(read.data.has_value());
    EXPECT_EQ(read.message,
              MakeMessage("Failed to open the file  " + bad + "! ", MsgIcon::Exclamation));
}

} // namespace
} // namespace xelmor
