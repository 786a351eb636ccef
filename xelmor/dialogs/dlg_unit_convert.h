// The "Unit Converter": arc-second, degree and micro-radian, and wavelength and photon energy,
// converted while typing. Modeless: the main window creates it hidden once and shows it on
// request; it keeps its fields and its choices between showings.
#pragma once

#include <QDialog>

#include <array>

class QLineEdit;
class QRadioButton;

namespace xelmor {

class CDlgUnitConvert : public QDialog {
    Q_OBJECT
public:
    // `angleUnit` 0 arc-second, 1 degree, 2 micro-radian; `beamUnit` 0 wavelength, 1 photon
    // energy: the edits that are writable. Starts with 1 degree and 1 Angstrom converted.
    explicit CDlgUnitConvert(int angleUnit = 1, int beamUnit = 0, QWidget* parent = nullptr);

    int AngleUnitChoice() const { return m_nAngleUnit; }
    int BeamUnitChoice() const { return m_nBeamUnit; }

private:
    // A radio button makes its edit writable and the other edits of its group read-only.
    void SelectAngleUnit(int unit);
    void SelectBeamUnit(int unit);
    void OnAngleEdited(int unit);
    void OnBeamEdited(int unit);

    int m_nAngleUnit;
    int m_nBeamUnit;
    std::array<QRadioButton*, 3> m_pAngleRadio{};
    std::array<QLineEdit*, 3> m_pAngle{}; // arc-seconds, degrees, micro-radians
    std::array<QRadioButton*, 2> m_pBeamRadio{};
    std::array<QLineEdit*, 2> m_pBeam{}; // wavelength, energy
};

} // namespace xelmor
