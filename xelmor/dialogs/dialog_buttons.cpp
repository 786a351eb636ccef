#include "xelmor/dialogs/dialog_buttons.h"

#include <QDialog>
#include <QPushButton>

namespace xelmor {

QPushButton* DialogButton(QDialog* dialog, int id, const QString& text, bool isDefault) {
    auto* b = new QPushButton(text, dialog);
    b->setObjectName(QStringLiteral("id%1").arg(id));
    if (isDefault)
        b->setDefault(true);
    else
        b->setAutoDefault(false);
    return b;
}

OkCancelButtons MakeOkCancel(QDialog* dialog) {
    OkCancelButtons b{DialogButton(dialog, 1, QStringLiteral("OK"), true),
                      DialogButton(dialog, 2, QStringLiteral("Cancel"))};
    QObject::connect(b.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return b;
}

} // namespace xelmor
