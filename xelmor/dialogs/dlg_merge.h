// "Merge Data Patterns (*.pdat)": the two merge slots with their files, colours, spot sizes and
// saturation; imports pattern text files into them and removes them.
#pragma once

#include <QDialog>

#include <array>

#include "xelmor/files/merge_edit.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace xelmor {

class CDlgMerge : public QDialog {
    Q_OBJECT
public:
    CDlgMerge(const MergeSlot& slot1, const MergeSlot& slot2, QWidget* parent = nullptr);

    // Slot 1 or 2 as the dialog left it (after OK: with the typed colour, sizes and saturation).
    const MergeEdit& Slot(int slot) const { return m_Slots[static_cast<std::size_t>(slot - 1)]; }
    MergeEdit TakeSlot(int slot) { return std::move(m_Slots[static_cast<std::size_t>(slot - 1)]); }

    void accept() override;

private:
    struct Controls {
        QLineEdit* file = nullptr;
        QPushButton* import = nullptr;
        QPushButton* remove = nullptr;
        QComboBox* color = nullptr;
        QLineEdit* width = nullptr;
        QLineEdit* height = nullptr;
        QLineEdit* saturate = nullptr;
    };

    void OnImport(int slot);
    void OnRemove(int slot);
    // Shows the slot's file and sizes and enables its controls by whether it holds a pattern.
    void ShowSlot(int slot);

    std::array<MergeEdit, 2> m_Slots;
    std::array<Controls, 2> m_Controls;
};

} // namespace xelmor
