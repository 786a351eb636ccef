#include "xelmor/dialogs/dlg_unit_convert.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QVBoxLayout>

#include "structfile/number_format.h"
#include "xelmor/core/calculators.h"
#include "xelmor/panel/input_controls.h"

namespace xelmor {

namespace {

const int kAngleRadioIds[3] = {1188, 1189, 1173};
const char* const kAngleRadioTexts[3] = {"a&rc-second", "&degree", "&micro-radian"};
const int kAngleEditIds[3] = {1190, 1104, 1105};
const int kBeamRadioIds[2] = {1174, 1175};
const char* const kBeamRadioTexts[2] = {"&Wavelength", "&Photon Energy"};
const int kBeamEditIds[2] = {1106, 1107};
const char* const kBeamUnits[2] = {"A", "KeV"};

// Writable edits are white, the read-only ones show their values in the colour of the
// program's other result boxes.
void SetWritable(QLineEdit* edit, bool writable) {
    edit->setReadOnly(!writable);
    QPalette pal = edit->palette();
    const QColor base = writable ? QColor(Qt::white) : CEdit_Color::kEnabledColour;
    pal.setColor(QPalette::Active, QPalette::Base, base);
    pal.setColor(QPalette::Inactive, QPalette::Base, base);
    edit->setPalette(pal);
}

void Show(QLineEdit* edit, const std::string& text) {
    edit->setText(QString::fromStdString(text));
}

} // namespace

CDlgUnitConvert::CDlgUnitConvert(int angleUnit, int beamUnit, QWidget* parent)
    : QDialog(parent), m_nAngleUnit(angleUnit), m_nBeamUnit(beamUnit) {
    setObjectName(QStringLiteral("id395"));
    setWindowTitle(QStringLiteral("Unit Converter"));

    auto* angleGroup = new QButtonGroup(this);
    auto* angleGrid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        m_pAngleRadio[i] = new QRadioButton(QString::fromLatin1(kAngleRadioTexts[i]), this);
        m_pAngleRadio[i]->setObjectName(QStringLiteral("id%1").arg(kAngleRadioIds[i]));
        angleGroup->addButton(m_pAngleRadio[i], i);
        m_pAngle[i] = new QLineEdit(this);
        m_pAngle[i]->setObjectName(QStringLiteral("id%1").arg(kAngleEditIds[i]));
        m_pAngle[i]->setAccessibleName(m_pAngleRadio[i]->text().remove(QLatin1Char('&')));
        m_pAngle[i]->setMinimumWidth(150);
        angleGrid->addWidget(m_pAngleRadio[i], i, 0);
        angleGrid->addWidget(m_pAngle[i], i, 1);
        connect(m_pAngle[i], &QLineEdit::textChanged, this, [this, i] { OnAngleEdited(i); });
    }
    connect(angleGroup, &QButtonGroup::idClicked, this, &CDlgUnitConvert::SelectAngleUnit);
    auto* angleBox = new QGroupBox(QStringLiteral("Angle"), this);
    angleBox->setLayout(angleGrid);

    auto* beamGroup = new QButtonGroup(this);
    auto* beamGrid = new QGridLayout;
    for (int i = 0; i < 2; ++i) {
        m_pBeamRadio[i] = new QRadioButton(QString::fromLatin1(kBeamRadioTexts[i]), this);
        m_pBeamRadio[i]->setObjectName(QStringLiteral("id%1").arg(kBeamRadioIds[i]));
        beamGroup->addButton(m_pBeamRadio[i], i);
        m_pBeam[i] = new QLineEdit(this);
        m_pBeam[i]->setObjectName(QStringLiteral("id%1").arg(kBeamEditIds[i]));
        m_pBeam[i]->setAccessibleName(m_pBeamRadio[i]->text().remove(QLatin1Char('&')));
        m_pBeam[i]->setMinimumWidth(150);
        auto* unit = new QLabel(QString::fromLatin1(kBeamUnits[i]), this);
        unit->setBuddy(m_pBeam[i]);
        beamGrid->addWidget(m_pBeamRadio[i], i, 0);
        beamGrid->addWidget(m_pBeam[i], i, 1);
        beamGrid->addWidget(unit, i, 2);
        connect(m_pBeam[i], &QLineEdit::textChanged, this, [this, i] { OnBeamEdited(i); });
    }
    connect(beamGroup, &QButtonGroup::idClicked, this, &CDlgUnitConvert::SelectBeamUnit);
    auto* beamBox = new QGroupBox(QStringLiteral("X-ray"), this);
    beamBox->setLayout(beamGrid);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(angleBox);
    layout->addWidget(beamBox);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_pAngleRadio[m_nAngleUnit]->setChecked(true);
    m_pBeamRadio[m_nBeamUnit]->setChecked(true);
    SelectAngleUnit(m_nAngleUnit);
    SelectBeamUnit(m_nBeamUnit);

    // One degree and one Angstrom, with every other field filled from them.
    const AngleUnits one = ConvertAngle(AngleUnit::Degree, 1.0);
    const double angles[3] = {one.arcSeconds, one.degrees, one.microRadians};
    for (int i = 0; i < 3; ++i)
        Show(m_pAngle[i], ConvertedText(angles[i]));
    Show(m_pBeam[0], ConvertedText(1.0));
    Show(m_pBeam[1], BeamPartnerText(1.0));
}

void CDlgUnitConvert::SelectAngleUnit(int unit) {
    m_nAngleUnit = unit;
    for (int i = 0; i < 3; ++i)
        SetWritable(m_pAngle[i], i == unit);
}

void CDlgUnitConvert::SelectBeamUnit(int unit) {
    m_nBeamUnit = unit;
    for (int i = 0; i < 2; ++i)
        SetWritable(m_pBeam[i], i == unit);
}

void CDlgUnitConvert::OnAngleEdited(int unit) {
    // The program's own writes go into read-only edits and stop here.
    if (m_pAngle[unit]->isReadOnly())
        return;
    const AngleUnits u = ConvertAngle(static_cast<AngleUnit>(unit),
                                      ParseDouble(m_pAngle[unit]->text().toStdString()));
    const double values[3] = {u.arcSeconds, u.degrees, u.microRadians};
    for (int i = 0; i < 3; ++i)
        if (i != unit)
            Show(m_pAngle[i], ConvertedText(values[i]));
}

void CDlgUnitConvert::OnBeamEdited(int unit) {
    if (m_pBeam[unit]->isReadOnly())
        return;
    Show(m_pBeam[1 - unit], BeamPartnerText(ParseDouble(m_pBeam[unit]->text().toStdString())));
}

} // namespace xelmor
