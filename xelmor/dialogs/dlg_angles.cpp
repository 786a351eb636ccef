#include "xelmor/dialogs/dlg_angles.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "structfile/number_format.h"
#include "xelmor/app/seams.h"
#include "xelmor/core/calculators.h"
#include "xelmor/dialogs/calculator_pictures.h"
#include "xelmor/dialogs/dialog_buttons.h"
#include "xelmor/panel/input_controls.h"

namespace xelmor {

namespace {

constexpr double kIndexBound = 1e9; // the step buttons keep the indices within +-1e9
constexpr int kIndexDecimals = 8;

const int kIndexIds[6] = {1117, 1104, 1105, 1118, 1106, 1107};
const char* const kIndexNames[6] = {"H&1:", "K1:", "L1:", "H&2:", "K2:", "L2:"};
const int kHklIds[3] = {1121, 1112, 1113};
const char* const kHklNames[3] = {"H:", "K:", "L:"};

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

CAngles::CAngles(const AngleValues& values, QWidget* parent) : QDialog(parent), m_values(values) {
    setObjectName(QStringLiteral("id401"));
    setWindowTitle(QStringLiteral("Angle between two lattice planes"));

    // The label tells which lattice the angles are for from the start.
    m_pStructure = new QLabel(
        QString::fromLatin1(AngleCalculatorLabel(values.noCrystal).data(),
                            static_cast<qsizetype>(AngleCalculatorLabel(values.noCrystal).size())),
        this);
    m_pStructure->setObjectName(QStringLiteral("structureLabel"));
    QFont bold = m_pStructure->font();
    bold.setBold(true);
    m_pStructure->setFont(bold);

    auto* planes = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        m_pIndex[i] = new QLineEdit(Text(FormatNumber(values.indices[i], kIndexDecimals)), this);
        m_pIndex[i]->setObjectName(QStringLiteral("id%1").arg(kIndexIds[i]));
        m_pIndex[i]->setMinimumWidth(70);
        auto* label = new QLabel(QString::fromLatin1(kIndexNames[i]), this);
        label->setBuddy(m_pIndex[i]);
        const int row = i / 3, col = (i % 3) * 2;
        planes->addWidget(label, row, col, Qt::AlignRight);
        planes->addLayout(EditWithUnitSteps(this, m_pIndex[i], QStringLiteral("-"),
                                            QStringLiteral("+"), -kIndexBound, kIndexBound, false),
                          row, col + 1);
    }
    auto* planeBox = new QGroupBox(QStringLiteral("Planes (H1 K1 L1) and (H2 K2 L2)"), this);
    planeBox->setLayout(planes);

    auto* calculate = new QPushButton(QStringLiteral("&Calculate"), this);
    calculate->setObjectName(QStringLiteral("id1195"));
    calculate->setDefault(true);
    connect(calculate, &QPushButton::clicked, this, &CAngles::OnCalculate);

    // The results.
    m_pAngle = new CEdit_Color(this);
    m_pAngle->setObjectName(QStringLiteral("id1194"));
    m_pAngle->setMinimumWidth(130);
    auto* angleLabel = new QLabel(QStringLiteral("Angle:"), this);
    angleLabel->setBuddy(m_pAngle);
    auto* angleRow = new QHBoxLayout;
    angleRow->addWidget(angleLabel);
    angleRow->addWidget(m_pAngle);
    angleRow->addWidget(new QLabel(QStringLiteral("degree"), this));
    angleRow->addStretch(1);

    auto* crossRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_pHkl[i] = new CEdit_Color(this);
        m_pHkl[i]->setObjectName(QStringLiteral("id%1").arg(kHklIds[i]));
        m_pHkl[i]->setMinimumWidth(110);
        auto* label = new QLabel(QString::fromLatin1(kHklNames[i]), this);
        label->setBuddy(m_pHkl[i]);
        crossRow->addWidget(label);
        crossRow->addWidget(m_pHkl[i]);
    }
    auto* resultBox = new QGroupBox(QStringLiteral("Results"), this);
    auto* results = new QVBoxLayout(resultBox);
    results->addLayout(angleRow);
    results->addWidget(
        new QLabel(QStringLiteral("H1K1L1  x  H2K2L2  (could be Z x Y = -X)"), this));
    results->addLayout(crossRow);

    auto* head = new QHBoxLayout;
    auto* headText = new QVBoxLayout;
    headText->addWidget(m_pStructure);
    headText->addStretch(1);
    head->addLayout(headText, 1);
    head->addWidget(new CAnglePicture(this));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(calculate);
    layout->addWidget(planeBox);
    layout->addLayout(buttons);
    layout->addWidget(resultBox);
}

void CAngles::OnCalculate() {
    m_pAngle->clear();
    for (QLineEdit* e : m_pHkl)
        e->clear();
    std::array<std::string, 6> typed;
    for (int i = 0; i < 6; ++i)
        typed[i] = m_pIndex[i]->text().toStdString();

    const AngleCalculation r = CalculateAngle(m_values.basis, typed);
    for (int i = 0; i < 6; ++i)
        m_pIndex[i]->setText(Text(r.indexTexts[i]));
    if (r.zeroRow != AngleRow::None) {
        ShowMessage(this, r.message);
        m_pIndex[r.zeroRow == AngleRow::First ? 0 : 3]->setFocus();
        return;
    }
    const std::string_view label = AngleCalculatorLabel(m_values.noCrystal);
    m_pStructure->setText(QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size())));
    m_pAngle->setText(Text(r.angleText));
    for (int i = 0; i < 3; ++i)
        m_pHkl[i]->setText(Text(r.hklTexts[i]));
}

} // namespace xelmor
