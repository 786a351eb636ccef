#include "xelmor/tools/dlg_frr_perpend.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "structfile/number_format.h"
#include "xelmor/dialogs/dialog_buttons.h"

namespace xelmor {

CDlgFRRperpend::CDlgFRRperpend(const Hkl& perp, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Perpendicular Orientation"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Direction perpendicular to G"), this));
    auto* grid = new QGridLayout;
    const int ids[3] = {1204, 1205, 1206};
    const char* names[3] = {"h'", "k'", "l'"};
    const double values[3] = {perp.h, perp.k, perp.l};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromLatin1(names[i]), this);
        label->setAlignment(Qt::AlignCenter);
        m_pEdit[i] = new QLineEdit(QString::fromStdString(FormatNumber(values[i], 8)), this);
        m_pEdit[i]->setObjectName(QStringLiteral("id%1").arg(ids[i]));
        label->setBuddy(m_pEdit[i]);
        grid->addWidget(label, 0, i);
        grid->addWidget(m_pEdit[i], 1, i);
    }
    layout->addLayout(grid);
    for (const char* note :
         {"Automatic calculated but you can manually change it.",
          "Only as a reference for the rotation starting position.", "You can ignore it."})
        layout->addWidget(new QLabel(QString::fromLatin1(note), this));
    auto* buttons = new QHBoxLayout;
    // Enter cancels: the direction is only a reference and rarely needs changing.
    QPushButton* ok = DialogButton(this, 1, QStringLiteral("OK"));
    QPushButton* cancel = DialogButton(this, 2, QStringLiteral("Cancel"), true);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

Hkl CDlgFRRperpend::Values() const {
    auto v = [this](int i) { return ParseDouble(m_pEdit[i]->text().toStdString()); };
    return {v(0), v(1), v(2)};
}

} // namespace xelmor
