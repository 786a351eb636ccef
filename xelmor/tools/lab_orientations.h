// The crystal orientation in the fixed lab frame: the planes perpendicular to z' (the beam
// axis), x' and y', with "Set Abs. Orientation" to turn them into the diffraction geometry with
// all goniometer angles zero, and "Copy" to put the nine numbers on the clipboard.
#pragma once

#include <QDialog>

#include <functional>

#include "xelmor/core/fix_refl.h"

class QLineEdit;
class QPlainTextEdit;

namespace xelmor {

struct CParameterSet;

class CLabOrientations : public QDialog {
    Q_OBJECT
public:
    // `orient` is the orientation of the current pattern (columns a*, b*, c* in the lab);
    // `apply` puts "0" into the panel's rotation edits and runs its update cycle.
    CLabOrientations(const Mat3& orient, CParameterSet* params, std::function<void()> apply,
                     QWidget* parent = nullptr);

    const LabPlanes& Planes() const { return m_planes; }
    // The nine edits, row by row (z', x', y').
    QLineEdit* PlaneEdit(int row, int column) const { return m_pEdit[row * 3 + column]; }
    QPlainTextEdit* Explanation() const { return m_pExplanation; }

    void OnSetAbsOrientation();
    void OnCopy();

protected:
    void showEvent(QShowEvent* event) override;

private:
    CParameterSet* m_pBar;
    std::function<void()> m_apply;
    LabPlanes m_planes;
    bool m_bWarned = false;
    QLineEdit* m_pEdit[9] = {};
    QPlainTextEdit* m_pExplanation = nullptr;
};

} // namespace xelmor
