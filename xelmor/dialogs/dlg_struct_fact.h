// The "Structure Factor (Approximately)" calculator: |F|, phase and d-spacing of one reflection
// (h k l) of the current crystal.
#pragma once

#include <QDialog>

#include <array>
#include <vector>

#include "xelmor/core/lattice.h"
#include "xelmor/core/params.h"

class QLineEdit;

namespace xelmor {

class CUnitStepButton;

class CDlgStructFact : public QDialog {
    Q_OBJECT
public:
    // Opens on (0 0 0) of the crystal given by its reciprocal basis and element groups (none:
    // no crystal) and calculates once.
    CDlgStructFact(const ReciprocalBasis& basis, std::vector<ElementGroup> groups,
                   QWidget* parent = nullptr);

    // "Calculate" (also Enter): reads h, k, l as integers cut toward zero and clamped to
    // -1000..1000, correcting the edits, and shows |F|, the phase and d.
    void OnCalculate();

private:
    ReciprocalBasis m_basis;
    std::vector<ElementGroup> m_groups;
    std::array<QLineEdit*, 3> m_pIndex{};
    std::array<CUnitStepButton*, 3> m_pMinus{};
    QLineEdit* m_pAbsF;
    QLineEdit* m_pPhase;
    QLineEdit* m_pD;
};

} // namespace xelmor
