// The "Angle between two lattice planes" calculator: the angle between (H1 K1 L1) and
// (H2 K2 L2) of the current crystal and the indices of their cross product.
#pragma once

#include <QDialog>

#include <array>

#include "xelmor/core/lattice.h"

class QLabel;
class QLineEdit;

namespace xelmor {

// What the calculator is opened with.
struct AngleValues {
    std::array<double, 6> indices{0, 0, 1, 1, 0, 0}; // H1 K1 L1 H2 K2 L2
    bool noCrystal = true;                           // the basis is then the unit vectors
    ReciprocalBasis basis;
};

class CAngles : public QDialog {
    Q_OBJECT
public:
    explicit CAngles(const AngleValues& values, QWidget* parent = nullptr);

    // "Calculate" (also Enter): reads the six indices, writes them back, and shows the angle
    // and the cross product's indices, or the message of a row of zeros.
    void OnCalculate();

private:
    AngleValues m_values;
    QLabel* m_pStructure;
    std::array<QLineEdit*, 6> m_pIndex{};
    QLineEdit* m_pAngle;
    std::array<QLineEdit*, 3> m_pHkl{};
};

} // namespace xelmor
