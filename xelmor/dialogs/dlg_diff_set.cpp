#include "xelmor/dialogs/dlg_diff_set.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "structfile/number_format.h"
#include "xelmor/app/seams.h"
#include "xelmor/dialogs/dialog_buttons.h"
#include "xelmor/dialogs/dialog_pictures.h"
#include "xelmor/dialogs/first_pattern.h"
#include "xelmor/panel/input_controls.h"

namespace xelmor {

namespace {

constexpr double kIndexBound = 999; // the step buttons keep the indices within +-999
constexpr int kMaxIndexLimit = 999; // index ranges 0 .. 999
constexpr int kIndexDecimals = 10;

const int kIndexIds[6] = {1117, 1104, 1105, 1115, 1116, 1124};
const char* const kIndexNames[6] = {"H", "K", "L", "h", "k", "l"};
const int kMaxIds[3] = {1106, 1107, 1108};
const char* const kMaxNames[3] = {"H&max:", "K&max:", "L&max:"};
// Both buttons of a pair step the same edit; the up-down buttons of the ranges step integers.
const char16_t kUp = u'\u25b4', kDown = u'\u25be';

QString Index(double v) {
    return QString::fromStdString(FormatNumber(v, kIndexDecimals));
}

} // namespace

CDlgDiffSet::CDlgDiffSet(const GeometryValues& values, const ReciprocalBasis& basis,
                         QWidget* parent)
    : QDialog(parent), m_values(values), m_basis(basis) {
    setObjectName(QStringLiteral("id316"));
    setWindowTitle(QStringLiteral("Diffraction Geometry"));

    // Geometry kind and its picture.
    m_pTrans = new QRadioButton(QStringLiteral("&Forward (Transmission)"), this);
    m_pTrans->setObjectName(QStringLiteral("id1110"));
    m_pBack = new QRadioButton(QStringLiteral("&Back Reflection"), this);
    m_pBack->setObjectName(QStringLiteral("id1111"));
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(m_pTrans, 0);
    kinds->addButton(m_pBack, 1);
    (m_values.transOrBack == 1 ? m_pBack : m_pTrans)->setChecked(true);
    m_pPicture = new CGeometryPicture(this);
    m_pPicture->setObjectName(QStringLiteral("id1112"));
    m_pPicture->SetBackReflection(m_values.transOrBack == 1);
    connect(kinds, &QButtonGroup::idClicked, this, [this](int id) {
        m_values.transOrBack = id;
        m_pPicture->SetBackReflection(id == 1);
    });

    m_pD = new QLineEdit(QString::number(m_values.D, 'g', 15), this);
    m_pD->setObjectName(QStringLiteral("id1070"));
    auto* dLabel = new QLabel(QStringLiteral("&D (mm):"), this);
    dLabel->setBuddy(m_pD);
    auto* dRow = new QHBoxLayout;
    dRow->addWidget(dLabel);
    dRow->addWidget(m_pD);
    dRow->addStretch(1);

    auto* kindBox = new QGroupBox(QStringLiteral("Geometry"), this);
    auto* kindLayout = new QVBoxLayout(kindBox);
    kindLayout->addWidget(m_pTrans);
    kindLayout->addWidget(m_pBack);
    kindLayout->addLayout(dRow);

    // Surface plane and horizontal orientation.
    const double indices[6] = {m_values.H, m_values.K, m_values.L,
                               m_values.h, m_values.k, m_values.l};
    auto* planes = new QGridLayout;
    planes->addWidget(new QLabel(QStringLiteral("Surface Plane (HKL) facing the beam:"), this), 0,
                      0, 1, 6);
    planes->addWidget(new QLabel(QStringLiteral("Horizontal Orientation (hkl) facing you:"), this),
                      2, 0, 1, 6);
    for (int i = 0; i < 6; ++i) {
        m_pIndex[i] = new QLineEdit(Index(indices[i]), this);
        m_pIndex[i]->setObjectName(QStringLiteral("id%1").arg(kIndexIds[i]));
        m_pIndex[i]->setMinimumWidth(70);
        auto* label = new QLabel(QString::fromLatin1(kIndexNames[i]) + QStringLiteral(":"), this);
        label->setBuddy(m_pIndex[i]);
        const int row = i < 3 ? 1 : 3, col = (i % 3) * 2;
        planes->addWidget(label, row, col, Qt::AlignRight);
        planes->addLayout(EditWithUnitSteps(this, m_pIndex[i], QStringLiteral("-"),
                                            QStringLiteral("+"), -kIndexBound, kIndexBound, false),
                          row, col + 1);
    }
    const int maxima[3] = {m_values.Hmax, m_values.Kmax, m_values.Lmax};
    planes->addWidget(new QLabel(QStringLiteral("Index ranges:"), this), 4, 0, 1, 6);
    for (int i = 0; i < 3; ++i) {
        m_pMax[i] = new QLineEdit(QString::number(maxima[i]), this);
        m_pMax[i]->setObjectName(QStringLiteral("id%1").arg(kMaxIds[i]));
        auto* label = new QLabel(QString::fromLatin1(kMaxNames[i]), this);
        label->setBuddy(m_pMax[i]);
        planes->addWidget(label, 5, i * 2, Qt::AlignRight);
        planes->addLayout(EditWithUnitSteps(this, m_pMax[i], QString(QChar(kDown)),
                                            QString(QChar(kUp)), 0, kMaxIndexLimit, true),
                          5, i * 2 + 1);
    }
    auto* planeBox = new QGroupBox(QStringLiteral("Crystal"), this);
    planeBox->setLayout(planes);

    const auto [ok, cancel] = MakeOkCancel(this);
    QPushButton* help = DialogButton(this, 1254, QStringLiteral("?"));
    help->setToolTip(QStringLiteral("Help for Setting CCD or Film"));
    connect(help, &QPushButton::clicked, this, [this] { RunFilmHelp(this); });
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    buttons->addStretch(1);

    auto* left = new QVBoxLayout;
    auto* upper = new QHBoxLayout;
    upper->addWidget(kindBox);
    upper->addWidget(m_pPicture);
    left->addLayout(upper);
    left->addWidget(planeBox);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addSpacing(8);
    top->addLayout(buttons);
}

QLineEdit* CDlgDiffSet::EditOf(GeometryField field) const {
    switch (field) {
    case GeometryField::D:
        return m_pD;
    case GeometryField::H:
        return m_pIndex[0];
    case GeometryField::K:
        return m_pIndex[1];
    case GeometryField::L:
        return m_pIndex[2];
    case GeometryField::h:
        return m_pIndex[3];
    case GeometryField::k:
        return m_pIndex[4];
    case GeometryField::l:
        return m_pIndex[5];
    case GeometryField::Hmax:
        return m_pMax[0];
    case GeometryField::None:
        break;
    }
    return nullptr;
}

void CDlgDiffSet::accept() {
    // The framework's exchange: the geometry kind, D as a number, the ranges as integers.
    GeometryValues v = m_values;
    v.transOrBack = m_pBack->isChecked() ? 1 : 0;
    const std::optional<double> d = ExchangeReal(m_pD);
    if (!d)
        return;
    v.D = *d;
    int* maxima[3] = {&v.Hmax, &v.Kmax, &v.Lmax};
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> m = ExchangeInt(m_pMax[i], 0, kMaxIndexLimit);
        if (!m)
            return;
        *maxima[i] = *m;
    }
    double* indices[6] = {&v.H, &v.K, &v.L, &v.h, &v.k, &v.l};
    for (int i = 0; i < 6; ++i)
        *indices[i] = ParseDouble(m_pIndex[i]->text().toStdString());

    const GeometryCheck check = CheckGeometry(m_basis, v);
    switch (check.kind) {
    case GeometryCheck::Accepted:
        m_values = v;
        QDialog::accept();
        return;
    case GeometryCheck::Refused:
        ShowMessage(this, check.message);
        if (QLineEdit* edit = EditOf(check.focus)) {
            edit->setFocus();
            edit->selectAll();
        }
        return;
    case GeometryCheck::Correction:
        if (ShowMessage(this, check.message) == MsgAnswer::Yes) {
            m_pIndex[3]->setText(Index(check.hc));
            m_pIndex[4]->setText(Index(check.kc));
            m_pIndex[5]->setText(Index(check.lc));
        }
        return;
    }
}

} // namespace xelmor
