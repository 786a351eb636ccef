// The "Intensity Calculation Equation" dialog: the picture of the formula the simulation uses.
#pragma once

#include <QDialog>

namespace xelmor {

class CDlgEquation : public QDialog {
    Q_OBJECT
public:
    explicit CDlgEquation(QWidget* parent = nullptr);
};

} // namespace xelmor
