#include "xelmor/dialogs/dialog_buttons.h"

#include "xelmor/panel/input_controls.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
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

QHBoxLayout* EditWithUnitSteps(QWidget* parent, QLineEdit* edit, const QString& minusText,
                               const QString& plusText, double lo, double hi, bool integer) {
    auto* row = new QHBoxLayout;
    row->setSpacing(1);
    row->addWidget(edit);
    for (int direction : {0, 1}) {
        auto* b = new CUnitStepButton(direction == 1 ? plusText : minusText, parent);
        b->SetEdit(edit);
        b->SetDirection(direction);
        b->SetLimits(lo, hi);
        b->SetInteger(integer);
        b->setAutoDefault(false);
        b->setFixedWidth(22);
        b->setObjectName(edit->objectName() +
                         (direction == 1 ? QStringLiteral("plus") : QStringLiteral("minus")));
        row->addWidget(b);
    }
    return row;
}

} // namespace xelmor
