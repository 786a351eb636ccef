#include "xelmor/dialogs/dlg_equation.h"

#include <QVBoxLayout>

#include "xelmor/dialogs/calculator_pictures.h"

namespace xelmor {

CDlgEquation::CDlgEquation(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("id397"));
    setWindowTitle(QStringLiteral("Intensity Calculation Equation"));
    // Only the picture: the dialog closes with its close box or Escape.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new CEquationPicture(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace xelmor
