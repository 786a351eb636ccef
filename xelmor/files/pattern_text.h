// The pattern text file (.pdat): the export of a pattern (film position and intensity of every
// spot, with the spot size and film shift) and the reader that fills a merge slot with one.
#pragma once

#include "structfile/message.h"
#include "xelmor/core/spot.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xelmor {

// The bytes of the exported file for `spots` in list order. The spot size and film shift are
// given in 0.1 mm, as the pattern keeps them, and written in mm, as are the spot positions;
// every number has 8 decimals, every line ends with CR LF. A spot is named by its lowest kept
// order.
std::string FormatPatternText(const std::vector<CDot>& spots, double spotWidth, double spotHeight,
                              double shiftX, double shiftY);

// Exports the pattern to the file at `path`, replacing an existing file only once the new one
// is complete. Returns the error to show when the file cannot be written, nothing on success.
std::optional<Message> SavePatternText(const std::string& path, const std::vector<CDot>& spots,
                                       double spotWidth, double spotHeight, double shiftX,
                                       double shiftY);

// One spot read from a pattern text file. x and y are film coordinates in 0.1 mm relative to the
// shift origin written in the file.
struct MergedSpot {
    double x = 0.0, y = 0.0;
    double intensity = 0.0;
    int slot = 1; // 1 or 2

    bool operator==(const MergedSpot&) const = default;
};

// Colour modes of a merge slot.
inline constexpr int kMergeColorBlack = 0;
inline constexpr int kMergeColorBlue = 1;
inline constexpr int kMergeColorRed = 2;

// A saturation of 0 or less draws a slot with the current pattern's levels; this is the value
// that stands for it.
inline constexpr double kMergeUsePatternLevels = -0.01;

// One of the document's two merged patterns and how it is drawn.
struct MergeSlot {
    // An empty slot: slot 1 is drawn red, slot 2 blue.
    explicit MergeSlot(int slot = 1) : nColor(slot == 2 ? kMergeColorBlue : kMergeColorRed) {}

    std::vector<MergedSpot> records; // the spots read from the file
    std::string strFile;             // path of the file read
    int nColor;                      // kMergeColorBlack, kMergeColorBlue or kMergeColorRed
    double spotWidth = 30.0, spotHeight = 30.0; // drawn spot size, 0.1 mm
    // Fraction of the first record's intensity that saturates; <= 0 uses the pattern's levels.
    double saturate = kMergeUsePatternLevels;
    double shiftX = 0.0, shiftY = 0.0; // the film shift written in the file, 0.1 mm

    int nRecords() const { return static_cast<int>(records.size()); }
};

// Empties a slot: no records, no file; its drawing settings stay.
void ClearMergeSlot(MergeSlot& slot);

// What a pattern text file gives a merge slot.
struct MergeFileData {
    std::vector<MergedSpot> records;              // at most the header's count, in file order
    double spotWidthMm = 0.0, spotHeightMm = 0.0; // as written, in mm
    double shiftX = 0.0, shiftY = 0.0;            // 0.1 mm

    bool operator==(const MergeFileData&) const = default;
};

// Interprets the bytes of a pattern text file for slot `slot`. Every line is cleaned (comment
// cut, commas and TABs to blanks, trimmed) and blank lines are skipped. The first three lines
// are the header: the count N (the integer at the line's start), the spot width and height in
// mm, and the film shift in mm (kept in 0.1 mm). Each further line is a record: x and y in mm
// (kept in 0.1 mm) and the number at the start of the third token as intensity; reading stops
// after N records, and a count of 0 or less gives none. Nothing is reserved from the count, so
// a huge one holds only the records found. No value when a number is too large for a double:
// an infinite position or intensity cannot be drawn.
std::optional<MergeFileData> ParseMergeFile(std::string_view bytes, int slot);

struct MergeReadResult {
    std::optional<MergeFileData> data; // the content, when the read succeeded
    Message message;                   // the failure to show; empty text on success
};

// Reads the pattern text file at `path` for slot `slot`. Failures (exclamation icon): "Cannot
// open the file  " + path + "! " when it cannot be opened, "Failed to open the file  " + path +
// "! " when its content cannot be read.
MergeReadResult ReadMergeFile(const std::string& path, int slot);

} // namespace xelmor
