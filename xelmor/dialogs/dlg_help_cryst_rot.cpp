#include "xelmor/dialogs/dlg_help_cryst_rot.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "xelmor/core/lattice.h"
#include "xelmor/dialogs/dialog_pictures.h"
#include "xelmor/files/settings_values.h"

namespace xelmor {

namespace {

// The radio buttons of the sequences 0 .. 5, in this order.
const int kSequenceIds[kRotationSequenceCount] = {1099, 1093, 1094, 1095, 1097, 1098};

} // namespace

CDlgHelpCrystRot::CDlgHelpCrystRot(int sequence, SettingsStore* settings, QWidget* parent)
    : QDialog(parent), m_nSequence(sequence), m_nOpening(sequence), m_pSettings(settings) {
    setObjectName(QStringLiteral("id354"));
    setWindowTitle(QStringLiteral("Help for Crystal Rotation around XYZ axes"));

    auto* intro = new QLabel(
        QStringLiteral(
            "Crystal XYZ Rotation is based on a 3-Circle Goniometer with orthgonal axes X, Y, Z "
            "bound to the crystal.\n\n"
            "Before rotation, X, Y and Z coincide with the laboratory axes x', y', z': X is "
            "horizontal, Y is vertical and Z points opposite to the incident beam. The surface "
            "plane (HKL) of the crystal is then perpendicular to the beam.\n\n"
            "The sequence sets the order of the three rotations. For \"YXZ\" the crystal is "
            "rotated first about Y, then about the new direction of X, and at last about the "
            "latest direction of Z, by the three angles set in the control panel."),
        this);
    intro->setWordWrap(true);
    intro->setMinimumWidth(300);

    auto* group = new QButtonGroup(this);
    auto* box = new QGroupBox(QStringLiteral("Rotation Sequence"), this);
    auto* boxLayout = new QVBoxLayout(box);
    for (int i = 0; i < kRotationSequenceCount; ++i) {
        auto* radio = new QRadioButton(
            QString::fromLatin1(RotationSequenceName(i).data(), RotationSequenceName(i).size()),
            box);
        radio->setObjectName(QStringLiteral("id%1").arg(kSequenceIds[i]));
        radio->setChecked(i == sequence);
        group->addButton(radio, i);
        boxLayout->addWidget(radio);
    }
    connect(group, &QButtonGroup::idClicked, this, &CDlgHelpCrystRot::OnSelect);

    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setObjectName(QStringLiteral("id1"));
    m_pOk->setEnabled(false);
    m_pOk->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("id2"));
    cancel->setAutoDefault(false);
    auto* setDefault = new QPushButton(QStringLiteral("Set as Default"), this);
    setDefault->setObjectName(QStringLiteral("id1100"));
    setDefault->setAutoDefault(false);
    connect(m_pOk, &QPushButton::clicked, this, &CDlgHelpCrystRot::accept);
    connect(cancel, &QPushButton::clicked, this, &CDlgHelpCrystRot::reject);
    connect(setDefault, &QPushButton::clicked, this, &CDlgHelpCrystRot::OnSetAsDefault);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pOk);
    buttons->addWidget(cancel);
    buttons->addSpacing(12);
    buttons->addWidget(box);
    buttons->addWidget(setDefault);
    buttons->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(new CGoniometerAxesPicture(this), 0, Qt::AlignHCenter);
    left->addWidget(intro);
    left->addStretch(1);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addSpacing(8);
    top->addLayout(buttons);
}

void CDlgHelpCrystRot::OnSelect(int sequence) {
    m_nSequence = sequence;
    m_pOk->setEnabled(m_nSequence != m_nOpening);
}

void CDlgHelpCrystRot::OnSetAsDefault() {
    if (m_pSettings)
        WriteRotCrystSeqDefault(*m_pSettings, m_nSequence);
}

} // namespace xelmor
