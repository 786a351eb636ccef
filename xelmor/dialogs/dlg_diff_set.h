// The "Diffraction Geometry" dialog: transmission or back reflection, the imaging distance,
// the surface plane facing the beam, the horizontal orientation facing the viewer and the index
// ranges, with the checks of OK and the corrected horizontal orientation it proposes.
#pragma once

#include <QDialog>

#include "xelmor/core/geometry.h"
#include "xelmor/core/lattice.h"

class QLineEdit;
class QRadioButton;

namespace xelmor {

class CGeometryPicture;

class CDlgDiffSet : public QDialog {
    Q_OBJECT
public:
    // `basis`: the reciprocal basis of the current crystal, in which (H K L) and (h k l) must
    // be perpendicular.
    CDlgDiffSet(const GeometryValues& values, const ReciprocalBasis& basis,
                QWidget* parent = nullptr);

    // The values, as typed once OK was accepted.
    const GeometryValues& Values() const { return m_values; }

    // Exchanges and checks the controls in order; a failed check shows its message and moves
    // the focus to its control. A horizontal orientation that is not perpendicular to the
    // surface plane gets a corrected one proposed (Yes writes it into the edits); the dialog
    // stays open either way.
    void accept() override;

private:
    QLineEdit* EditOf(GeometryField field) const;

    GeometryValues m_values;
    ReciprocalBasis m_basis;

    QRadioButton* m_pTrans = nullptr;       // 1110
    QRadioButton* m_pBack = nullptr;        // 1111
    QLineEdit* m_pD = nullptr;              // 1070
    QLineEdit* m_pIndex[6] = {};            // H 1117, K 1104, L 1105, h 1115, k 1116, l 1124
    QLineEdit* m_pMax[3] = {};              // 1106, 1107, 1108
    CGeometryPicture* m_pPicture = nullptr; // 1112
};

} // namespace xelmor
