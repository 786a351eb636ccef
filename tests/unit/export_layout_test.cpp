// The image export without Qt: the width limits and their message, the pixel geometry, labels,
// the information line, the file types, the 16-bit bitmap bytes, the sorted drawing order and
// the merge dialog's hand-back into a slot.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "xelmor/core/export_layout.h"
#include "xelmor/files/bitmap16.h"
#include "xelmor/files/export_spots.h"
#include "xelmor/files/merge_edit.h"

namespace xelmor {
namespace {

struct WidthCase {
    int width;
    double ratio;
    const char* message; // empty: accepted
};

class ExportWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(ExportWidthTest, LimitsAndMessage) {
    const WidthCase& c = GetParam();
    const std::optional<Message> m = CheckExportWidth(c.width, c.ratio);
    if (*c.message == '\0') {
        EXPECT_FALSE(m);
    } else {
        ASSERT_TRUE(m);
        EXPECT_EQ(m->text, c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportWidthTest,
    ::testing::Values(WidthCase{10000, 0.75, ""},
                      WidthCase{10001, 0.75, "Enter a number between2 and 10000."},
                      WidthCase{3, 0.5, ""}, // a film twice as wide as high
                      WidthCase{2, 0.5, "Enter a number between3 and 10000."},
                      WidthCase{0, 0.75, "Enter a number between2 and 10000."}));

TEST(ExportLayout, ProposalIsTenPixelsPerMmUntilTheFirstExport) {
    EXPECT_EQ(ProposedExportWidth(0, 2000), 2000);
    EXPECT_EQ(ProposedExportWidth(1234, 2000), 1234);
    EXPECT_EQ(ExportHeight(2000, 1500.0 / 2000.0), 1500);
    EXPECT_EQ(ExportHeight(1001, 0.75), 750);
}

TEST(ExportLayout, SpotRectanglesAreYDownAroundTheShiftedOrigin) {
    // 200 x 150 mm at 2000 pixels: q = 1 pixel per 0.1 mm; the film shifted by (10, 20) mm.
    const ExportFrame f = MakeExportFrame(2000, 1500, 2000, 100, 200);
    EXPECT_DOUBLE_EQ(f.q, 1.0);
    EXPECT_EQ(ExportOrigin(f), (LogicalPoint{900, 950}));
    const LogicalRect base = ExportBaseSpotRect(f, 30, 30);
    EXPECT_EQ(base, (LogicalRect{885, 935, 915, 965}));
    // Film +y is drawn upward.
    EXPECT_EQ(ExportSpotRectAt(base, f.q, 50, 40), (LogicalRect{935, 895, 965, 925}));
    EXPECT_EQ(ExportCrosslines(f)[0], (LogicalLine{{0, 950}, {2000, 950}}));
    EXPECT_EQ(ExportPenWidth(f.q), 2);
    EXPECT_EQ(ExportBackImageRect(f, 1000, 750), (LogicalRect{500, 375, 1500, 1125}));
}

TEST(ExportLayout, LabelsAndTheIgnoreLevel) {
    CDot d;
    d.h = 1, d.k = -1, d.l = 1;
    d.harmonics = {Harmonic{2, 1.0, 1.0}};
    EXPECT_EQ(ExportLabelText(d, true), "2 -2 2");
    EXPECT_EQ(ExportLabelText(d, false), "2-22");
    const double imax = 5952.43274506;
    EXPECT_TRUE(ExportLabelShown(0.1 * imax, imax, 0.1)); // exactly at the level
    EXPECT_FALSE(ExportLabelShown(0.0999 * imax, imax, 0.1));
}

TEST(ExportLayout, InformationLine) {
    CParameterSet p;
    p.m_strCrystalName = "Silicon";
    p.m_D = 500;
    p.m_H = 0, p.m_K = 0, p.m_L = 1;
    p.m_h = 1, p.m_k = 0, p.m_l = 0;
    p.m_RotCrystSeq = 3;
    p.m_Rot1 = 12.5, p.m_Rot2 = -3, p.m_Rot3 = 0;
    p.m_TransOrBack = 1;
    EXPECT_EQ(ExportInfoLine(p),
              "Silicon; D=50mm; HKL: 0 0 1; hkl: 1 0 0; Rot=XZY: 12.5, -3, 0. Back");
    p.m_RotCrystSeq = 9;
    p.m_TransOrBack = 0;
    EXPECT_NE(ExportInfoLine(p).find("Rot=ZYX: 12.5, -3, 0. Trans"), std::string::npos);
}

TEST(ExportLayout, FileTypeByExtension) {
    EXPECT_EQ(ExportFileTypeOf("/tmp/a.JPG"), ExportFileType::Jpeg);
    EXPECT_EQ(ExportFileTypeOf("a.jpeg"), ExportFileType::Jpeg);
    EXPECT_EQ(ExportFileTypeOf("a.Bmp"), ExportFileType::Bitmap);
    EXPECT_EQ(ExportFileTypeOf("a.tif"), ExportFileType::ByExtension);
    EXPECT_EQ(ExportFileTypeOf("dir.bmp/name"), ExportFileType::ByExtension);
}

std::uint32_t U32(const std::string& b, std::size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8 |
           static_cast<std::uint8_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}

std::uint16_t U16(const std::string& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                      static_cast<std::uint8_t>(b[at + 1]) << 8);
}

TEST(Bitmap16, HeaderAndBottomUpPaddedRows) {
    // 3 x 2 pixels: rows of 6 bytes padded to 8.
    const std::vector<std::uint16_t> top = {Pack555(255, 0, 0), Pack555(0, 255, 0),
                                            Pack555(0, 0, 255)};
    const std::vector<std::uint16_t> bottom = {Pack555(255, 255, 255), 0, Pack555(8, 16, 24)};
    const std::string b =
        EncodeBitmap16(3, 2, [&](int row) { return row == 0 ? top.data() : bottom.data(); });
    ASSERT_EQ(b.size(), 14u + 40u + 16u);
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(U32(b, 2), b.size());
    EXPECT_EQ(U32(b, 10), 54u);    // pixel data offset
    EXPECT_EQ(U32(b, 18), 3u);     // width
    EXPECT_EQ(U32(b, 22), 2u);     // height, positive: bottom-up
    EXPECT_EQ(U16(b, 28), 16u);    // bits per pixel
    EXPECT_EQ(U32(b, 30), 0u);     // BI_RGB
    EXPECT_EQ(U16(b, 54), 0x7fff); // bottom row first
    EXPECT_EQ(U16(b, 58), 1u << 10 | 2u << 5 | 3u);
    EXPECT_EQ(U16(b, 60), 0u);     // padding
    EXPECT_EQ(U16(b, 62), 0x7c00); // red
    EXPECT_EQ(U16(b, 64), 0x03e0); // green
    EXPECT_EQ(U16(b, 66), 0x001f); // blue
}

TEST(Bitmap16, QuantisedChannelsAsAReaderShowsThem) {
    EXPECT_EQ(Quantise555(255), 255);
    EXPECT_EQ(Quantise555(0), 0);
    EXPECT_EQ(Quantise555(7), 0);
    EXPECT_EQ(Quantise555(128), 132);
}

TEST(ExportSpots, MergedAndCurrentSpotsSortedByLevel) {
    std::vector<CDot> spots(2);
    spots[0].x = 1, spots[0].intensity = 80;
    spots[1].x = 2, spots[1].intensity = 20;
    MergeSlot one(1), two(2);
    one.records = {{10, 0, 50, 1}, {11, 0, 30, 1}}; // current levels: 0.5, 0.3
    two.saturate = 0.5;                             // its own: N = 0.5 x 40
    two.records = {{20, 0, 40, 2}, {21, 0, 4, 2}};  // 2.0, 0.2
    const std::vector<ExportSpot> sorted = SortedExportSpots(spots, 100, &one, &two);
    std::vector<double> xs;
    for (const ExportSpot& s : sorted)
        xs.push_back(s.x);
    // Equal levels (0.2) keep slot 2 before the current pattern.
    EXPECT_EQ(xs, (std::vector<double>{20, 1, 10, 11, 21, 2}));
    EXPECT_DOUBLE_EQ(sorted[0].level, 2.0);
    EXPECT_EQ(sorted[0].source, 2);
    EXPECT_EQ(sorted[1].source, 0);
}

TEST(MergeEdit, OkTakesImportedRecordsAndSettings) {
    MergeSlot slot(2);
    slot.records = {{1, 1, 1, 2}};
    slot.strFile = "old.pdat";
    MergeEdit e = MergeEditOf(slot);
    EXPECT_EQ(e.nColor, kMergeColorBlue);
    EXPECT_DOUBLE_EQ(e.saturatePct, -1);
    EXPECT_DOUBLE_EQ(e.spotWidthMm, 3);
    MergeFileData data;
    data.records = {{10, 20, 3, 2}, {30, 40, 2, 2}};
    data.spotWidthMm = 2.5, data.spotHeightMm = 2.5;
    data.shiftX = 15;
    TakeMergeFile(e, "new.pdat", data);
    e.saturatePct = 0; // 0 or less: the pattern's levels
    e.nColor = kMergeColorBlack;
    ApplyMergeEdit(slot, e);
    EXPECT_EQ(slot.records, data.records);
    EXPECT_EQ(slot.strFile, "new.pdat");
    EXPECT_EQ(slot.nColor, kMergeColorBlack);
    EXPECT_DOUBLE_EQ(slot.spotWidth, 25);
    EXPECT_DOUBLE_EQ(slot.shiftX, 15);
    EXPECT_DOUBLE_EQ(slot.saturate, kMergeUsePatternLevels);

    // Only the settings changed: the records stay; a positive saturation is a fraction.
    MergeEdit kept = MergeEditOf(slot);
    kept.saturatePct = 50;
    ApplyMergeEdit(slot, kept);
    EXPECT_EQ(slot.records, data.records);
    EXPECT_DOUBLE_EQ(slot.saturate, 0.5);

    // Removed in the dialog.
    MergeEdit removed = MergeEditOf(slot);
    RemoveMergeFile(removed);
    ApplyMergeEdit(slot, removed);
    EXPECT_TRUE(slot.records.empty());
    EXPECT_EQ(slot.strFile, "");
}

} // namespace
} // namespace xelmor
