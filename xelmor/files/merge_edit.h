// What the merge dialog edits of one merge slot, and how its result goes back into the
// document's slot on OK.
#pragma once

#include "xelmor/files/pattern_text.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xelmor {

// The colour list of the merge dialog, kept sorted: its indices are the colour modes.
inline constexpr std::array<std::string_view, 3> kMergeColorNames = {"Black", "Blue", "Red"};

// The limits of a merged pattern's drawn spot size, mm.
inline constexpr double kMergeSpotMin = 0.1, kMergeSpotMax = 200.0;

// One slot as the dialog shows it: sizes in mm, saturation in percent.
struct MergeEdit {
    std::string strFile;
    int nColor = kMergeColorRed;
    double spotWidthMm = 3.0, spotHeightMm = 3.0;
    double saturatePct = 100 * kMergeUsePatternLevels;
    double shiftX = 0.0, shiftY = 0.0; // 0.1 mm
    int nRecords = 0;
    // The records read while the dialog was open; none when the slot keeps what it had.
    std::optional<std::vector<MergedSpot>> imported;
};

// The dialog's view of a document slot.
MergeEdit MergeEditOf(const MergeSlot& slot);

// A file read into the slot in the dialog: its records replace any imported before.
void TakeMergeFile(MergeEdit& edit, const std::string& path, MergeFileData data);

// Remove: the slot is emptied in the dialog.
void RemoveMergeFile(MergeEdit& edit);

// OK: a slot with records takes the path, colour, sizes (x 10), shift and saturation (/ 100, or
// kMergeUsePatternLevels when 0 or less) and the records imported in the dialog; a slot emptied
// in the dialog loses its records and path.
void ApplyMergeEdit(MergeSlot& slot, MergeEdit edit);

} // namespace xelmor
