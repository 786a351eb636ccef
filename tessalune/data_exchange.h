// Taking numbers over from edits as the framework's data exchange does, with its prompts.
#pragma once

#include <QString>

#include <optional>
#include <string>

class QLineEdit;

namespace xelmor::tessalune {

// %g of a bound, in the C locale ("0.001", "1e-30", "179.999").
std::string FormatBound(double v);

// The number in an edit: the whole text, blanks around it allowed, must be one finite decimal
// number, otherwise "Enter a number."; outside [lo, hi] it is refused with "Enter a number
// between LO and HI.". A refusal is shown with the exclamation icon, the edit gets the focus
// with its text selected and there is no value.
std::optional<double> ExchangeReal(QLineEdit* edit, double lo, double hi);

// Gives an edit the focus with its whole text selected, as a refused field does.
void FocusField(QLineEdit* edit);

} // namespace xelmor::tessalune
