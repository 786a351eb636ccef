#include "xelmor/dialogs/dlg_sel_spot.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "xelmor/core/spot_details.h"
#include "xelmor/panel/input_controls.h"

namespace xelmor {

namespace {

enum EditIndex { kBase, kBragg, kPosition, kWavelength, kAbsolute, kRelative };

// The edits with their ids, their labels and the unit that follows them.
struct EditRow {
    int id;
    const char* label;
    const char* unit;
};

constexpr EditRow kEditRows[6] = {
    {1169, "Base Reflection:", ""},    {1079, "Bragg Angle:", "\u00b0"},
    {1080, "Spot Position:", "mm"},    {1081, "Base Wavelength / Energy:", ""},
    {1082, "Absolute Intensity:", ""}, {1083, "Relative I:", ""},
};

} // namespace

CDlgSelSpot::CDlgSelSpot(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Detailed Information of the Selected Spot"));
    setModal(false);
    auto* grid = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        const EditRow& row = kEditRows[i];
        auto* label = new QLabel(QString::fromUtf8(row.label), this);
        m_pEdit[i] = new CEdit_Color(this);
        m_pEdit[i]->setObjectName(QStringLiteral("id%1").arg(row.id));
        m_pEdit[i]->setReadOnly(true);
        label->setBuddy(m_pEdit[i]);
        grid->addWidget(label, i, 0);
        grid->addWidget(m_pEdit[i], i, 1);
        if (*row.unit)
            grid->addWidget(new QLabel(QString::fromUtf8(row.unit), this), i, 2);
    }
    m_pList = new QTreeWidget(this);
    m_pList->setObjectName(QStringLiteral("id1168"));
    m_pList->setRootIsDecorated(false);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setStyleSheet(QStringLiteral("QTreeView::item { border: 1px solid #d0d0d0; }"));
    QStringList headers;
    for (const SpotListColumn& c : kSpotHarmonicColumns)
        headers << QString::fromLatin1(c.title);
    m_pList->setColumnCount(static_cast<int>(kSpotHarmonicColumns.size()));
    m_pList->setHeaderLabels(headers);
    // Dialog units: a quarter of the average character width.
    const int charWidth = fontMetrics().averageCharWidth();
    for (int i = 0; i < static_cast<int>(kSpotHarmonicColumns.size()); ++i)
        m_pList->setColumnWidth(i, kSpotHarmonicColumns[i].width * charWidth / 4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_pList);
}

QLineEdit* CDlgSelSpot::BaseReflection() const {
    return m_pEdit[kBase];
}
QLineEdit* CDlgSelSpot::BraggAngle() const {
    return m_pEdit[kBragg];
}
QLineEdit* CDlgSelSpot::Position() const {
    return m_pEdit[kPosition];
}
QLineEdit* CDlgSelSpot::WavelengthEnergy() const {
    return m_pEdit[kWavelength];
}
QLineEdit* CDlgSelSpot::AbsoluteIntensity() const {
    return m_pEdit[kAbsolute];
}
QLineEdit* CDlgSelSpot::RelativeIntensity() const {
    return m_pEdit[kRelative];
}

void CDlgSelSpot::ShowSpot(const CDot* spot, double reference) {
    const SpotDetails d = MakeSpotDetails(spot, reference);
    m_pList->clear();
    const std::string* texts[6] = {&d.baseReflection,   &d.braggAngle,        &d.position,
                                   &d.wavelengthEnergy, &d.absoluteIntensity, &d.relativeIntensity};
    for (int i = 0; i < 6; ++i)
        m_pEdit[i]->setText(QString::fromStdString(*texts[i]));
    for (const SpotHarmonicRow& row : d.harmonics) {
        auto* item = new QTreeWidgetItem(m_pList);
        for (int c = 0; c < static_cast<int>(row.size()); ++c)
            item->setText(c, QString::fromStdString(row[c]));
    }
}

void CDlgSelSpot::Clear() {
    ShowSpot(nullptr, 0.0);
}

} // namespace xelmor
