// The modeless dialog with everything known about the selected spot: base reflection, Bragg
// angle, position, base wavelength and energy, intensities, and one list row per harmonic.
#pragma once

#include <QDialog>

class QLineEdit;
class QTreeWidget;

namespace xelmor {

struct CDot;
class CEdit_Color;

class CDlgSelSpot : public QDialog {
    Q_OBJECT
public:
    explicit CDlgSelSpot(QWidget* parent = nullptr);

    // Fills the dialog with `spot`, whose relative intensity counts `reference` as 100; a null
    // spot empties every edit and the list.
    void ShowSpot(const CDot* spot, double reference);

    // The edits: base reflection, Bragg angle, position, wavelength / energy, absolute and
    // relative intensity.
    QLineEdit* BaseReflection() const;
    QLineEdit* BraggAngle() const;
    QLineEdit* Position() const;
    QLineEdit* WavelengthEnergy() const;
    QLineEdit* AbsoluteIntensity() const;
    QLineEdit* RelativeIntensity() const;
    // The harmonics list (1168).
    QTreeWidget* Harmonics() const { return m_pList; }

public slots:
    // The spot shown is gone (a run or a reset): the dialog is emptied.
    void Clear();

private:
    CEdit_Color* m_pEdit[6] = {};
    QTreeWidget* m_pList = nullptr;
};

} // namespace xelmor
