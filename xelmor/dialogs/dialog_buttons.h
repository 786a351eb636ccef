// The push buttons of the program's dialogs: named by their control ids, with only the one
// default button taking Enter.
#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace xelmor {

// A push button of `dialog` named "id" + `id`. The default button is pressed by Enter; any other
// button never takes Enter, not even while it has the focus.
QPushButton* DialogButton(QDialog* dialog, int id, const QString& text, bool isDefault = false);

// The "OK" (1, the default) and "Cancel" (2) buttons, connected to accept and reject.
struct OkCancelButtons {
    QPushButton* ok;
    QPushButton* cancel;
};
OkCancelButtons MakeOkCancel(QDialog* dialog);

// `edit` followed by a pair of buttons (minus, then plus) that step its number to the next
// integer below or above within [lo, hi]; with `integer` the edit's number is first cut toward
// zero. The buttons are named after the edit ("…minus", "…plus") and never take Enter.
QHBoxLayout* EditWithUnitSteps(QWidget* parent, QLineEdit* edit, const QString& minusText,
                               const QString& plusText, double lo, double hi, bool integer);

} // namespace xelmor
