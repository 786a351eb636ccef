// The push buttons of the program's dialogs: named by their control ids, with only the one
// default button taking Enter.
#pragma once

#include <QString>

class QDialog;
class QPushButton;

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

} // namespace xelmor
