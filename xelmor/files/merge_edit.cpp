#include "xelmor/files/merge_edit.h"

#include <utility>

namespace xelmor {

MergeEdit MergeEditOf(const MergeSlot& slot) {
    MergeEdit e;
    e.strFile = slot.strFile;
    e.nColor = slot.nColor;
    e.spotWidthMm = slot.spotWidth / 10;
    e.spotHeightMm = slot.spotHeight / 10;
    e.saturatePct = slot.saturate * 100;
    e.shiftX = slot.shiftX;
    e.shiftY = slot.shiftY;
    e.nRecords = slot.nRecords();
    return e;
}

void TakeMergeFile(MergeEdit& edit, const std::string& path, MergeFileData data) {
    edit.nRecords = static_cast<int>(data.records.size());
    edit.imported = std::move(data.records);
    edit.strFile = path;
    edit.spotWidthMm = data.spotWidthMm;
    edit.spotHeightMm = data.spotHeightMm;
    edit.shiftX = data.shiftX;
    edit.shiftY = data.shiftY;
}

void RemoveMergeFile(MergeEdit& edit) {
    edit.imported.reset();
    edit.nRecords = 0;
    edit.strFile.clear();
}

void ApplyMergeEdit(MergeSlot& slot, MergeEdit edit) {
    if (edit.nRecords != 0) {
        slot.strFile = edit.strFile;
        slot.nColor = edit.nColor;
        slot.spotWidth = edit.spotWidthMm * 10;
        slot.spotHeight = edit.spotHeightMm * 10;
        slot.shiftX = edit.shiftX;
        slot.shiftY = edit.shiftY;
        const double saturate = edit.saturatePct / 100;
        slot.saturate = saturate > 0 ? saturate : kMergeUsePatternLevels;
        if (edit.imported)
            slot.records = std::move(*edit.imported);
    } else if (!slot.records.empty()) {
        ClearMergeSlot(slot);
    }
}

} // namespace xelmor
